#include "import/ui/TAA_Progress.h"

#include <algorithm>

#include <QProgressBar>

#include "platform/ui/ShowWindow.h"

namespace zeb {

namespace {

constexpr int ClientWidth = 270;
constexpr int ClientHeight = 31;

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
    if (mainWindow_)
        CentreOver(*this, *mainWindow_);
    ShowOnScreen(*this);
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

}  // namespace zeb
