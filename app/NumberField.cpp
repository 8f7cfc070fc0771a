#include "app/NumberField.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/FieldValue.h"

namespace zeb {

namespace {

// Wide enough for three digits and a sign.
constexpr const char* WidestText = "-000";
constexpr int UpDownWidth = 14;
// What a line edit keeps between its frame and its text on either side.
constexpr int LineEditInnerMargin = 2;

QToolButton* Arrow(Qt::ArrowType type, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedWidth(UpDownWidth);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    return button;
}

}  // namespace

NumberField::NumberField(SettingRange range, QWidget* parent)
    : QWidget(parent), range_(range), position_(range.Min)
{
    edit_ = new QLineEdit(this);
    const QMargins m = edit_->textMargins();
    const int frame = edit_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit_);
    edit_->setFixedWidth(edit_->fontMetrics().horizontalAdvance(QLatin1String(WidestText)) +
                         m.left() + m.right() + 2 * (frame + LineEditInnerMargin));
    up_ = Arrow(Qt::UpArrow, this);
    down_ = Arrow(Qt::DownArrow, this);

    auto* arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(up_);
    arrows->addWidget(down_);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_);
    layout->addLayout(arrows);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    connect(edit_, &QLineEdit::textEdited, this, &NumberField::Typed);
    connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

QString NumberField::Text() const
{
    return edit_->text();
}

void NumberField::SetValue(int32_t value)
{
    position_ = std::clamp(value, range_.Min, range_.Max);
    edit_->setText(QString::number(value));
}

void NumberField::Step(int32_t by)
{
    if (auto shown = FieldValue(edit_->text().toStdString(), range_))
        position_ = *shown;
    position_ = std::clamp(position_ + by, range_.Min, range_.Max);
    edit_->setText(QString::number(position_));
    emit Changed(edit_->text());
}

void NumberField::Typed(const QString& text)
{
    if (auto typed = FieldValue(text.toStdString(), range_))
        position_ = *typed;
    emit Changed(text);
}

}  // namespace zeb
