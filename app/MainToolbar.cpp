#include "app/MainToolbar.h"

#include <algorithm>

#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QResizeEvent>
#include <QToolButton>

#include "app/StatusFileArea.h"
#include "app/StatusGauge.h"
#include "app/ToolbarImages.h"
#include "platform/ui/ToolbarLook.h"

namespace zeb {

namespace {

template <typename Area>
Area* DrawingArea(QWidget* parent, int width)
{
    auto* area = new Area(parent);
    area->setFixedSize(width, ToolbarButtonHeight);
    return area;
}

// The status areas show two lines of text in a button's height: the desktop's font, made
// smaller where its lines are too high for that.
QFont TwoLineFont(QFont font)
{
    constexpr int MinimumPixels = 6;
    const int lineHeight = (ToolbarButtonHeight - 2) / 2;
    int pixels = QFontInfo(font).pixelSize();
    while (QFontMetrics(font).height() > lineHeight && pixels > MinimumPixels)
        font.setPixelSize(--pixels);
    return font;
}

}  // namespace

MainToolbar::MainToolbar(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(Height);
    PaintAsToolbar(*this);
    setFont(TwoLineFont(font()));

    open_ = Button(0, "Open the Book", false);
    autoScroll_ = Button(1, "Scroll text automatically (Ins)", true);
    formatting_ = Button(2, "Change Text Formating", true);
    options_ = Button(3, "Options", true);
    addBookmark_ = Button(8, "Add Bookmark", false);
    bookmarks_ = Button(4, "Bookmarks", false);
    fileArea_ = DrawingArea<StatusFileArea>(this, 11);
    gauge_ = DrawingArea<StatusGauge>(this, GaugeWidth);
    minimize_ = Button(5, "Minimize", false);
    fullScreen_ = Button(6, "Full Screen", false);
    exit_ = Button(7, "Exit", false);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(1, 3, 1, 4);
    row->setSpacing(0);
    for (QWidget* item : {static_cast<QWidget*>(open_), static_cast<QWidget*>(autoScroll_),
                          static_cast<QWidget*>(formatting_), static_cast<QWidget*>(options_),
                          static_cast<QWidget*>(addBookmark_), static_cast<QWidget*>(bookmarks_),
                          static_cast<QWidget*>(fileArea_), static_cast<QWidget*>(gauge_),
                          static_cast<QWidget*>(minimize_),
                          static_cast<QWidget*>(fullScreen_), static_cast<QWidget*>(exit_)})
        row->addWidget(item);
    row->addStretch(1);
}

QToolButton* MainToolbar::Button(int image, const char* hint, bool toggle)
{
    QToolButton* button = ToolbarButton(this, ToolbarIcon(image), ToolbarImageSize, hint);
    button->setCheckable(toggle);
    return button;
}

void MainToolbar::resizeEvent(QResizeEvent* event)
{
    fileArea_->setFixedWidth(std::max(0, event->size().width() - FixedWidth));
    QWidget::resizeEvent(event);
}

}  // namespace zeb
