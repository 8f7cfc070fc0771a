#include "app/BookmarksToolbar.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QToolButton>

#include "app/BookmarkImages.h"
#include "platform/ui/ToolbarLook.h"

namespace zeb {

namespace {

QToolButton* Button(QWidget* parent, BookmarkImage image, const char* hint)
{
    return ToolbarButton(parent, BookmarkIcon(image), BookmarkImageSize, hint);
}

QWidget* Spacer(QWidget* parent, int width)
{
    auto* spacer = new QWidget(parent);
    spacer->setFixedSize(width, ToolbarButtonHeight);
    return spacer;
}

}  // namespace

BookmarksToolbar::BookmarksToolbar(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(Height);
    PaintAsToolbar(*this);

    set_ = Button(this, BookmarkImage::Set, "Set Bookmark");
    goTo_ = Button(this, BookmarkImage::GoTo, "Goto Bookmark");
    custom_ = Button(this, BookmarkImage::CustomPosition, "Goto to the Custom Position");
    gap_ = Spacer(this, ToolbarButtonWidth);
    delete_ = Button(this, BookmarkImage::Delete, "Delete Bookmark");
    deleteAll_ = Button(this, BookmarkImage::DeleteAll, "Deleta All Bookmarks");
    stretch_ = Spacer(this, 0);
    close_ = Button(this, BookmarkImage::Close, "Close");

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(1, 1, 0, 2);
    row->setSpacing(0);
    for (QWidget* item : {static_cast<QWidget*>(set_), static_cast<QWidget*>(goTo_),
                          static_cast<QWidget*>(custom_), gap_, static_cast<QWidget*>(delete_),
                          static_cast<QWidget*>(deleteAll_), stretch_,
                          static_cast<QWidget*>(close_)})
        row->addWidget(item);
    row->addStretch(1);
}

void BookmarksToolbar::resizeEvent(QResizeEvent* event)
{
    stretch_->setFixedWidth(std::max(0, event->size().width() - FixedWidth));
    QWidget::resizeEvent(event);
}

}  // namespace zeb
