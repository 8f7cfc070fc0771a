#pragma once

#include <functional>

#include <QWidget>

namespace zeb {

// The reader view: a focusable control that fills the main window and shows the book. It owns
// no text and no pictures; painting and the mouse go to handlers the main window installs.
class TZEBScroll : public QWidget {
    Q_OBJECT

public:
    // rect is the part to paint; full is false when the view asked for just these rows to be
    // painted at once (PaintRows, or the strip a shift uncovered).
    using PaintHandler = std::function<void(QPainter& painter, const QRect& rect, bool full)>;
    using MouseHandler = std::function<void(QMouseEvent& event)>;
    using WheelHandler = std::function<void(QWheelEvent& event)>;

    explicit TZEBScroll(QWidget* parent = nullptr);

    void SetPaintHandler(PaintHandler handler) { paint_ = std::move(handler); }
    void SetMouseDownHandler(MouseHandler handler) { mouseDown_ = std::move(handler); }
    void SetMouseMoveHandler(MouseHandler handler) { mouseMove_ = std::move(handler); }
    void SetWheelHandler(WheelHandler handler) { wheel_ = std::move(handler); }
    void SetResizeHandler(std::function<void()> handler) { resized_ = std::move(handler); }

    bool Focused() const { return focused_; }

    // Shifts what is on screen by dy and paints the uncovered strip before returning.
    void ShiftAndPaint(int dy);
    // Paints rect before returning, every line over it drawn.
    void PaintNow(const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    PaintHandler paint_;
    MouseHandler mouseDown_;
    MouseHandler mouseMove_;
    WheelHandler wheel_;
    std::function<void()> resized_;
    bool focused_ = false;
    bool partialPaint_ = false;
};

}  // namespace zeb
