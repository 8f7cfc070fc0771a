#include "platform/ui/QtPrompter.h"

#include <QMessageBox>

namespace zeb {

namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::Information: break;
    }
    return QMessageBox::Information;
}

// The platform's standard caption for a box of this kind.
QString StandardCaption(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Error: return QStringLiteral("Error");
    case PromptIcon::Warning: return QStringLiteral("Warning");
    case PromptIcon::Question: return QStringLiteral("Confirm");
    case PromptIcon::Information: break;
    }
    return QStringLiteral("Information");
}

QMessageBox::StandardButtons BoxButtons(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::Ok: return QMessageBox::Ok;
    case PromptButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::Abort: break;
    }
    return QMessageBox::Abort;
}

PromptAnswer AnswerOf(int button)
{
    switch (button) {
    case QMessageBox::Ok: return PromptAnswer::Ok;
    case QMessageBox::Yes: return PromptAnswer::Yes;
    case QMessageBox::No: return PromptAnswer::No;
    case QMessageBox::Abort: return PromptAnswer::Abort;
    default: return PromptAnswer::Cancel;
    }
}

}  // namespace

PromptAnswer QtPrompter::Message(const std::string& text, const std::string& caption,
                                 PromptIcon icon, PromptButtons buttons)
{
    QString title = caption.empty() ? StandardCaption(icon) : QString::fromStdString(caption);
    QMessageBox box(BoxIcon(icon), title, QString::fromStdString(text), BoxButtons(buttons),
                    parent_);
    return AnswerOf(box.exec());
}

std::optional<std::string> QtPrompter::Password(const std::string& archive,
                                                const std::string& member)
{
    if (!passwordDialog_)
        return std::nullopt;
    return passwordDialog_(archive, member);
}

}  // namespace zeb
