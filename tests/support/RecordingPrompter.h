#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ZEBPrompter.h"

namespace zeb::test {

// Answers every question with its first button (OK), cancels every password request, and keeps
// the texts it was shown.
class RecordingPrompter : public ZEBPrompter {
public:
    PromptAnswer Message(const std::string& text, const std::string&, PromptIcon,
                         PromptButtons) override
    {
        messages.push_back(text);
        return PromptAnswer::Ok;
    }
    std::optional<std::string> Password(const std::string&, const std::string&) override
    {
        return std::nullopt;
    }

    std::vector<std::string> messages;
};

}  // namespace zeb::test
