#include "platform/ui/DialogToolbar.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QToolButton>

#include "platform/ui/ToolbarLook.h"

namespace zeb {

namespace {

QWidget* Spacer(QWidget* parent, int width)
{
    auto* spacer = new QWidget(parent);
    spacer->setFixedSize(width, ToolbarButtonHeight);
    return spacer;
}

}  // namespace

DialogToolbar::DialogToolbar(int fixedWidth, QWidget* parent)
    : QWidget(parent), fixedWidth_(fixedWidth), row_(new QHBoxLayout(this))
{
    setFixedHeight(Height);
    PaintAsToolbar(*this);
    row_->setContentsMargins(1, 1, 0, 2);
    row_->setSpacing(0);
    row_->addStretch(1);
}

QToolButton* DialogToolbar::AddButton(const QIcon& icon, int iconSize, const char* hint)
{
    QToolButton* button = ToolbarButton(this, icon, iconSize, hint);
    row_->insertWidget(row_->count() - 1, button);
    return button;
}

void DialogToolbar::AddGap()
{
    row_->insertWidget(row_->count() - 1, Spacer(this, ToolbarButtonWidth));
}

QToolButton* DialogToolbar::AddLastButton(const QIcon& icon, int iconSize, const char* hint)
{
    stretch_ = Spacer(this, 0);
    row_->insertWidget(row_->count() - 1, stretch_);
    return AddButton(icon, iconSize, hint);
}

void DialogToolbar::resizeEvent(QResizeEvent* event)
{
    if (stretch_)
        stretch_->setFixedWidth(std::max(0, event->size().width() - fixedWidth_));
    QWidget::resizeEvent(event);
}

}  // namespace zeb
