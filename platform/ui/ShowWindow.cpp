#include "platform/ui/ShowWindow.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace zeb {

namespace {

// How long a new window may take to be mapped by the window system.
constexpr int MapTimeoutMs = 1000;

}  // namespace

void CentreOnScreen(QWidget& window)
{
    if (QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

void CentreOver(QWidget& window, const QWidget& over)
{
    const QRect main = over.frameGeometry();
    const QSize frame = window.frameGeometry().size();
    window.move(main.left() + ((over.width() - frame.width()) >> 1),
                main.top() + ((over.height() - frame.height()) >> 1));
}

bool CompositorPlacesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

int WholePixelRatio(const QWidget& window)
{
    return std::max(1, int(std::ceil(window.devicePixelRatioF())));
}

void ShowOnScreen(QWidget& window)
{
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) &&
           waited.elapsed() < MapTimeoutMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace zeb
