#include "import/ui/TAA_Progress.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QWindow>

namespace zeb {

namespace {

constexpr int ClientWidth = 270;
constexpr int ClientHeight = 31;
// How long a new window may take to be mapped by the window system.
constexpr int MapTimeoutMs = 1000;

}  // namespace

TAA_Progress::TAA_Progress(QWidget* mainWindow)
    : QDialog(mainWindow,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      mainWindow_(mainWindow)
{
    setWindowTitle(QStringLiteral("Progress"));
    setModal(false);
    setFixedSize(ClientWidth, ClientHeight);
    bar_ = new QProgressBar(this);
    bar_->setGeometry(8, 8, 256, 16);
    bar_->setTextVisible(false);
    bar_->setRange(0, BarSteps);
    bar_->setValue(0);
}

void TAA_Progress::Create(const std::string& text, int64_t maximum)
{
    setWindowTitle(QString::fromStdString(text));
    maximum_ = maximum;
    bar_->setValue(0);
    CentreOverMainWindow();
    ShowOnScreen();
    repaint();
}

void TAA_Progress::Progress(int64_t value)
{
    // An empty range (nothing to do) leaves the bar empty.
    const int step = maximum_ > 0 ? int(std::clamp<int64_t>(value, 0, maximum_) * BarSteps /
                                        maximum_)
                                  : 0;
    if (step == bar_->value())
        return;
    bar_->setValue(step);
    bar_->repaint();
}

void TAA_Progress::Destroy()
{
    hide();
}

void TAA_Progress::CentreOverMainWindow()
{
    if (!mainWindow_)
        return;
    const QRect main = mainWindow_->frameGeometry();
    const QSize frame = frameGeometry().size();
    move(main.left() + ((mainWindow_->width() - frame.width()) >> 1),
         main.top() + ((mainWindow_->height() - frame.height()) >> 1));
}

// The operation runs without returning to the event loop: without this wait a new window may
// never be mapped, and painting into it shows nothing.
void TAA_Progress::ShowOnScreen()
{
    show();
    QElapsedTimer waited;
    waited.start();
    while (!(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < MapTimeoutMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace zeb
