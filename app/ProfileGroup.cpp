#include "app/ProfileGroup.h"

#include <algorithm>

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/NumberField.h"
#include "app/ProfilePictures.h"
#include "platform/ui/ShowWindow.h"

namespace zeb {

namespace {

constexpr int SampleButtonWidth = 90, SampleButtonHeight = 41;
constexpr int SwatchButtonWidth = 90, SwatchButtonHeight = 16;

QPushButton* PictureButton(QWidget* parent, int width, int height, int pictureWidth,
                           int pictureHeight)
{
    auto* button = new QPushButton(parent);
    button->setFixedSize(width, height);
    button->setIconSize(QSize(pictureWidth, pictureHeight));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

void SetPicture(QPushButton& button, const QImage& picture)
{
    button.setIcon(QIcon(QPixmap::fromImage(picture)));
}

QLabel* Caption(const char* text, QWidget* parent)
{
    return new QLabel(QString::fromLatin1(text), parent);
}

}  // namespace

ProfileGroup::ProfileGroup(const char* caption, QWidget* parent)
    : PanelGroup(QString::fromLatin1(caption), parent),
      sample_(PictureButton(this, SampleButtonWidth, SampleButtonHeight, SampleWidth, SampleHeight)),
      backColor_(PictureButton(this, SwatchButtonWidth, SwatchButtonHeight, SwatchWidth, SwatchHeight)),
      fontColor_(PictureButton(this, SwatchButtonWidth, SwatchButtonHeight, SwatchWidth, SwatchHeight)),
      margins_(new NumberField(PageMarginsRange, this)),
      interval_(new NumberField(LineIntervalRange, this))
{
    auto* page = new QVBoxLayout;
    page->setSpacing(0);
    page->addWidget(Caption("Page", this));
    page->addWidget(Caption("Margins", this));

    auto* layout = new QGridLayout(this);
    Compact(*layout);
    layout->setVerticalSpacing(1);
    layout->setHorizontalSpacing(4);
    layout->addWidget(sample_, 0, 0, 1, 2, Qt::AlignHCenter);
    layout->addWidget(Caption("Background Color", this), 1, 0, 1, 2);
    layout->addWidget(backColor_, 2, 0, 1, 2, Qt::AlignHCenter);
    layout->addWidget(Caption("Font Color", this), 3, 0, 1, 2);
    layout->addWidget(fontColor_, 4, 0, 1, 2, Qt::AlignHCenter);
    layout->addLayout(page, 5, 0);
    layout->addWidget(margins_, 5, 1, Qt::AlignRight);
    layout->addWidget(Caption("Interval", this), 6, 0);
    layout->addWidget(interval_, 6, 1, Qt::AlignRight);
}

void ProfileGroup::ShowLook(const FontProfile& profile, int32_t supersample)
{
    const int ratio = WholePixelRatio(*this);
    SetPicture(*sample_, SamplePicture(profile, supersample, ratio));
    SetPicture(*backColor_, SwatchPicture(profile.BackColor, ratio));
    SetPicture(*fontColor_, SwatchPicture(profile.FontColor, ratio));
}

void ProfileGroup::ShowValues(const FontProfile& profile)
{
    margins_->SetValue(profile.PageMargins);
    interval_->SetValue(profile.LineInterval);
}

}  // namespace zeb
