#include "library/ui/TAA_Password.h"

#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace zeb {

namespace {

constexpr int ClientWidth = 392, ClientHeight = 188;

QLabel* Label(QWidget* parent, int x, int y, const char* text)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

// A sunken one-line panel with its text 4 pixels in.
QLabel* NamePanel(QWidget* parent, int y)
{
    auto* panel = new QLabel(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setGeometry(16, y, 360, 21);
    panel->setContentsMargins(3, 0, 3, 0);
    panel->setTextFormat(Qt::PlainText);
    return panel;
}

QPushButton* DialogButton(QWidget* parent, int x, const char* text)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setGeometry(x, 152, 75, 25);
    return button;
}

}  // namespace

TAA_Password::TAA_Password(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint)
{
    setWindowTitle(QStringLiteral("Enter Archive Password"));
    setFixedSize(ClientWidth, ClientHeight);
    Label(this, 16, 8, "Archive:");
    archive_ = NamePanel(this, 24);
    Label(this, 16, 56, "Filename:");
    member_ = NamePanel(this, 72);
    Label(this, 16, 104, "Enter Password:");
    edit_ = new QLineEdit(this);
    edit_->setGeometry(16, 120, 360, 21);
    edit_->setEchoMode(QLineEdit::Password);
    show_ = new QCheckBox(QStringLiteral("Show Password"), this);
    show_->setGeometry(16, 156, 120, 17);
    ok_ = DialogButton(this, 302, "OK");
    ok_->setDefault(true);
    cancel_ = DialogButton(this, 214, "Cancel");
    setTabOrder(edit_, show_);
    setTabOrder(show_, ok_);
    setTabOrder(ok_, cancel_);

    connect(show_, &QCheckBox::toggled, this, [this](bool plain) {
        edit_->setEchoMode(plain ? QLineEdit::Normal : QLineEdit::Password);
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<std::string> TAA_Password::Ask(const std::string& archive, const std::string& member)
{
    archive_->setText(QString::fromStdString(archive));
    member_->setText(QString::fromStdString(member));
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    edit_->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    std::string answer = edit_->text().toStdString();
    edit_->clear();
    return answer;
}

}  // namespace zeb
