#pragma once

#include <QWidget>

namespace zeb {

// The text area of the import preview: a focusable control that asks the dialog for its
// paints and reports the wheel and keys. It wants the arrow keys; Tab still moves on to the
// next control.
class TZEBEncode : public QWidget {
    Q_OBJECT

public:
    explicit TZEBEncode(QWidget* parent = nullptr);

signals:
    void Painting(QPainter& painter);
    // angleDelta in eighths of a degree, 120 a notch.
    void WheelTurned(QPoint angleDelta);
    // A key the dialog accepts goes no further.
    void KeyPressed(QKeyEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zeb
