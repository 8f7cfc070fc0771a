#include "library/ui/BrowseToolbar.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QToolButton>

#include "library/ui/LibraryImages.h"
#include "platform/ui/ToolbarLook.h"

namespace zeb {

namespace {

QToolButton* Button(QWidget* parent, LibraryImage image, const char* hint)
{
    return ToolbarButton(parent, LibraryIcon(image), LibraryImageSize, hint);
}

QWidget* Spacer(QWidget* parent, int width)
{
    auto* spacer = new QWidget(parent);
    spacer->setFixedSize(width, ToolbarButtonHeight);
    return spacer;
}

}  // namespace

BrowseToolbar::BrowseToolbar(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(Height);
    PaintAsToolbar(*this);

    import_ = Button(this, LibraryImage::Import, "Import the Book from the File");
    read_ = Button(this, LibraryImage::Read, "Read the Book");
    gap_ = Spacer(this, ToolbarButtonWidth);
    delete_ = Button(this, LibraryImage::Delete, "Delete the Book");
    deleteAll_ = Button(this, LibraryImage::DeleteAll, "Delete All Books");
    stretch_ = Spacer(this, 0);
    close_ = Button(this, LibraryImage::Close, "Close");

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(1, 1, 0, 2);
    row->setSpacing(0);
    for (QWidget* item : {static_cast<QWidget*>(import_), static_cast<QWidget*>(read_), gap_,
                          static_cast<QWidget*>(delete_), static_cast<QWidget*>(deleteAll_),
                          stretch_, static_cast<QWidget*>(close_)})
        row->addWidget(item);
    row->addStretch(1);
}

void BrowseToolbar::resizeEvent(QResizeEvent* event)
{
    stretch_->setFixedWidth(std::max(0, event->size().width() - FixedWidth));
    QWidget::resizeEvent(event);
}

}  // namespace zeb
