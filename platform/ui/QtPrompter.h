#pragma once

#include <QWidget>

#include "platform/ZEBPrompter.h"

namespace zeb {

// The logic's questions and reports as modal message boxes over parent.
class QtPrompter : public ZEBPrompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    void SetParent(QWidget* parent) { parent_ = parent; }

    PromptAnswer Message(const std::string& text, const std::string& caption, PromptIcon icon,
                         PromptButtons buttons) override;
    std::optional<std::string> Password(const std::string& archive,
                                        const std::string& member) override;

private:
    QWidget* parent_;
};

}  // namespace zeb
