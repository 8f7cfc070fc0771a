#include "library/ui/BrowseToolbar.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QToolButton>

#include "library/ui/LibraryImages.h"

namespace zeb {

namespace {

constexpr int ButtonWidth = 31, ButtonHeight = 30;

QToolButton* Button(QWidget* parent, LibraryImage image, const char* hint)
{
    auto* button = new QToolButton(parent);
    button->setIcon(LibraryIcon(image));
    button->setIconSize(QSize(LibraryImageSize, LibraryImageSize));
    button->setFixedSize(ButtonWidth, ButtonHeight);
    button->setToolTip(QString::fromLatin1(hint));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QWidget* Spacer(QWidget* parent, int width)
{
    auto* spacer = new QWidget(parent);
    spacer->setFixedSize(width, ButtonHeight);
    return spacer;
}

}  // namespace

QColor LibraryPanelColor()
{
    return QColor(0, 62, 86);
}

BrowseToolbar::BrowseToolbar(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(Height);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, LibraryPanelColor());
    colours.setColor(QPalette::Button, LibraryPanelColor());
    setPalette(colours);

    import_ = Button(this, LibraryImage::Import, "Import the Book from the File");
    read_ = Button(this, LibraryImage::Read, "Read the Book");
    gap_ = Spacer(this, ButtonWidth);
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
