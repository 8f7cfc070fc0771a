#pragma once

#include <QWidget>

namespace zeb {

// The reader view: a focusable control that fills the main window and shows the book. It owns
// no text and no pictures: it asks for its paints and reports the mouse and the wheel.
class TZEBScroll : public QWidget {
    Q_OBJECT

public:
    explicit TZEBScroll(QWidget* parent = nullptr);

    // Shifts what is on screen by dy and paints the uncovered strip before returning.
    void ShiftAndPaint(int dy);
    // Paints rect before returning, every line over it drawn.
    void PaintNow(const QRect& rect);

signals:
    // rect is the part to paint; full is false when the view asked for just these rows to be
    // painted at once (PaintNow, or the strip a shift uncovered).
    void Painting(QPainter& painter, const QRect& rect, bool full);
    // The left button went down at y, or moved to y while held.
    void LeftPressed(int y);
    void LeftDragged(int y);
    // The wheel or a touchpad turned: angleDelta in eighths of a degree (120 a notch), pixelDelta
    // where the device reports pixels.
    void WheelTurned(QPoint angleDelta, QPoint pixelDelta);
    void Resized();
    // The view is painted at another device pixel ratio than before: it moved to another
    // screen, or the screen's scale changed.
    void PixelRatioChanged(double ratio);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool partialPaint_ = false;
    double paintedRatio_;
};

}  // namespace zeb
