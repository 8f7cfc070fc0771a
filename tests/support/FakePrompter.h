#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ZEBPrompter.h"

namespace zeb::test {

// Answers prompts from scripted queues and records every question.
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
    std::deque<PromptAnswer> messageAnswers;  // when empty: Ok, or Yes for Yes/No questions
    std::deque<std::optional<std::string>> passwordAnswers;  // when empty: cancel
    // When set, answers password requests instead of the queue.
    std::function<std::optional<std::string>(const std::string& member)> passwordFor;
    // When set, called with every message before it is answered.
    std::function<void(const std::string& text)> onMessage;

    PromptAnswer Message(const std::string& text, const std::string& caption, PromptIcon icon,
                         PromptButtons buttons) override
    {
        messages.push_back({text, caption, icon, buttons});
        if (onMessage)
            onMessage(text);
        if (messageAnswers.empty())
            return buttons == PromptButtons::YesNo ? PromptAnswer::Yes : PromptAnswer::Ok;
        PromptAnswer answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }

    std::optional<std::string> Password(const std::string& archive,
                                        const std::string& member) override
    {
        passwordRequests.push_back({archive, member});
        if (passwordFor)
            return passwordFor(member);
        if (passwordAnswers.empty())
            return std::nullopt;
        std::optional<std::string> answer = passwordAnswers.front();
        passwordAnswers.pop_front();
        return answer;
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
