#pragma once

#include <functional>

#include <QPointer>
#include <QWidget>

#include "platform/ZEBPrompter.h"

namespace zeb {

// The logic's questions and reports as modal message boxes over parent. Passwords are asked
// by the dialog the program installs; without one every request is cancelled.
class QtPrompter : public ZEBPrompter {
public:
    using PasswordDialog =
        std::function<std::optional<std::string>(const std::string& archive, const std::string& member)>;

    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    void SetParent(QWidget* parent) { parent_ = parent; }
    void SetPasswordDialog(PasswordDialog dialog) { passwordDialog_ = std::move(dialog); }

    PromptAnswer Message(const std::string& text, const std::string& caption, PromptIcon icon,
                         PromptButtons buttons) override;
    std::optional<std::string> Password(const std::string& archive,
                                        const std::string& member) override;

private:
    // Boxes stay possible after the window has gone (an error while the program ends).
    QPointer<QWidget> parent_;
    PasswordDialog passwordDialog_;
};

}  // namespace zeb
