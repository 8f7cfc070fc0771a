#pragma once

#include <QWidget>

namespace zeb {

// The library's book list control: focusable, it paints nothing itself; it asks its window
// for its paints and reports the left button, the wheel, the keys and its size. A press takes
// the focus.
class TZEBBrowse : public QWidget {
    Q_OBJECT

public:
    explicit TZEBBrowse(QWidget* parent = nullptr);

signals:
    void Painting(QPainter& painter);
    // The left button went down at y, or was double-clicked there.
    void LeftPressed(int y);
    void LeftDoubleClicked(int y);
    // angleDelta in eighths of a degree, 120 a notch.
    void WheelTurned(QPoint angleDelta);
    // A key the window accepts goes no further.
    void KeyPressed(QKeyEvent* event);
    void Resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

}  // namespace zeb
