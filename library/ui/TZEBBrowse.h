#pragma once

#include <functional>

#include <QWidget>

namespace zeb {

// The library's book list control: focusable, it paints nothing itself and hands painting,
// the mouse, the wheel and the keys to handlers its window installs. A press takes the focus.
class TZEBBrowse : public QWidget {
    Q_OBJECT

public:
    using PaintHandler = std::function<void(QPainter& painter)>;
    using MouseHandler = std::function<void(QMouseEvent& event)>;
    using WheelHandler = std::function<void(QWheelEvent& event)>;
    using KeyHandler = std::function<void(QKeyEvent& event)>;

    explicit TZEBBrowse(QWidget* parent = nullptr);

    void SetPaintHandler(PaintHandler handler) { paint_ = std::move(handler); }
    void SetMouseDownHandler(MouseHandler handler) { mouseDown_ = std::move(handler); }
    void SetDoubleClickHandler(MouseHandler handler) { doubleClick_ = std::move(handler); }
    void SetWheelHandler(WheelHandler handler) { wheel_ = std::move(handler); }
    void SetKeyHandler(KeyHandler handler) { key_ = std::move(handler); }
    void SetResizeHandler(std::function<void()> handler) { resized_ = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    PaintHandler paint_;
    MouseHandler mouseDown_;
    MouseHandler doubleClick_;
    WheelHandler wheel_;
    KeyHandler key_;
    std::function<void()> resized_;
};

}  // namespace zeb
