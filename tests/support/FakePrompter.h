#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ZEBPrompter.h"

namespace zeb::test {

// Answers prompts as the test sets it up and records every question.
class FakePrompter : public ZEBPrompter {
public:
    struct Shown {
        std::string text, caption;
        PromptIcon icon;
        PromptButtons buttons;
    };
    struct Asked {
        std::string archive, member;
    };

    std::vector<Shown> messages;
    std::vector<Asked> passwordRequests;
    // Messages are answered from this queue in turn, then with answer, and without one with
    // Ok, or Yes for a Yes/No question.
    std::deque<PromptAnswer> messageAnswers;
    std::optional<PromptAnswer> answer;
    std::deque<std::optional<std::string>> passwordAnswers;  // when empty: cancel
    // When set, answers password requests instead of the queue.
    std::function<std::optional<std::string>(const std::string& member)> passwordFor;
    // When set, called with every message before it is answered.
    std::function<void(const Shown& message)> onMessage;

    PromptAnswer Message(const std::string& text, const std::string& caption, PromptIcon icon,
                         PromptButtons buttons) override
    {
        messages.push_back({text, caption, icon, buttons});
        if (onMessage)
            onMessage(messages.back());
        if (!messageAnswers.empty()) {
            PromptAnswer next = messageAnswers.front();
            messageAnswers.pop_front();
            return next;
        }
        if (answer)
            return *answer;
        return buttons == PromptButtons::YesNo ? PromptAnswer::Yes : PromptAnswer::Ok;
    }

    std::optional<std::string> Password(const std::string& archive,
                                        const std::string& member) override
    {
        passwordRequests.push_back({archive, member});
        if (passwordFor)
            return passwordFor(member);
        if (passwordAnswers.empty())
            return std::nullopt;
        std::optional<std::string> next = passwordAnswers.front();
        passwordAnswers.pop_front();
        return next;
    }

    std::vector<std::string> MessageTexts() const
    {
        std::vector<std::string> texts;
        for (const Shown& m : messages)
            texts.push_back(m.text);
        return texts;
    }
};

}  // namespace zeb::test
