#include "app/TAA_Percent.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "platform/ui/ShowWindow.h"

namespace zeb {

namespace {

constexpr int ClientWidth = 244, ClientHeight = 66;
constexpr int Margin = 14, RightMargin = 12, BottomMargin = 3;
constexpr int LabelTop = 14, FieldTop = 30, FieldWidth = 121;
constexpr int ButtonLeft = 157, ButtonWidth = 75, ButtonHeight = 25, OkTop = 6, CancelTop = 38;
constexpr int ButtonGap = 7;  // between "OK" and "Cancel"
constexpr int LabelGap = 8;   // between the label and the buttons

// text as a number in the locale's way of writing it; -1 when it is none. A group separator
// in a percentage can only be a mistyped decimal separator, so it is no number either.
long double ParsePercent(const QString& text)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    return ok ? value : -1;
}

}  // namespace

TAA_Percent::TAA_Percent(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Enter New Text Position"));
    CreateWidgets();
    PlaceWidgets();
    TextChanged();
}

void TAA_Percent::CreateWidgets()
{
    label_ = new QLabel(QStringLiteral("Percent (0,0% - 100,0%)"), this);
    field_ = new QLineEdit(QStringLiteral("0"), this);
    field_->installEventFilter(this);
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    // Enter belongs to the field alone; no button takes it as the dialog's default.
    for (QPushButton* button : {ok_, cancel_})
        button->setAutoDefault(false);
    connect(field_, &QLineEdit::textChanged, this, [this] { TextChanged(); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

// The designed places, moved and grown where the desktop's font needs more room: the buttons
// keep clear of the label, and the field of the label's bottom.
void TAA_Percent::PlaceWidgets()
{
    const QSize label = label_->sizeHint();
    const QSize button =
        ok_->sizeHint().expandedTo(cancel_->sizeHint()).expandedTo({ButtonWidth, ButtonHeight});
    const int buttonLeft = std::max(ButtonLeft, Margin + label.width() + LabelGap);
    const int fieldTop = std::max(FieldTop, LabelTop + label.height());
    const int cancelTop = std::max(CancelTop, OkTop + button.height() + ButtonGap);
    const int fieldHeight = field_->sizeHint().height();
    label_->setGeometry(Margin, LabelTop, label.width(), label.height());
    field_->setGeometry(Margin, fieldTop, FieldWidth, fieldHeight);
    ok_->setGeometry(buttonLeft, OkTop, button.width(), button.height());
    cancel_->setGeometry(buttonLeft, cancelTop, button.width(), button.height());
    const int bottom = std::max(fieldTop + fieldHeight, cancelTop + button.height());
    setFixedSize(std::max(ClientWidth, buttonLeft + button.width() + RightMargin),
                 std::max(ClientHeight, bottom + BottomMargin));
}

void TAA_Percent::TextChanged()
{
    value_ = ParsePercent(field_->text());
    ok_->setEnabled(value_ >= 0 && value_ <= 100);
}

std::optional<long double> TAA_Percent::Choose()
{
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return value_;
}

void TAA_Percent::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(*this);
    // The field takes the keys at once, also where no window manager hands the focus over.
    activateWindow();
    field_->setFocus();
    field_->selectAll();
}

bool TAA_Percent::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != field_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (ok_->isEnabled())
        accept();
    return true;
}

}  // namespace zeb
