#pragma once

#include <functional>

#include <QWidget>

namespace zeb {

// The text area of the import preview: a focusable control whose painting, wheel and keys the
// dialog handles. It wants the arrow keys; Tab still moves on to the next control.
class TZEBEncode : public QWidget {
    Q_OBJECT

public:
    using PaintHandler = std::function<void(QPainter& painter)>;
    using WheelHandler = std::function<void(QWheelEvent& event)>;
    using KeyHandler = std::function<void(QKeyEvent& event)>;

    explicit TZEBEncode(QWidget* parent = nullptr);

    void SetPaintHandler(PaintHandler handler) { paint_ = std::move(handler); }
    void SetWheelHandler(WheelHandler handler) { wheel_ = std::move(handler); }
    void SetKeyDownHandler(KeyHandler handler) { keyDown_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PaintHandler paint_;
    WheelHandler wheel_;
    KeyHandler keyDown_;
};

}  // namespace zeb
