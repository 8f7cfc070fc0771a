#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/ZEBPrompter.h"
#include "tools/zebtool/Arguments.h"

namespace zeb::tool {

// Answers given on the command line for the questions archives ask.
struct PromptOptions {
    std::optional<std::string> password;  // --password P
    std::optional<bool> replace;          // --yes / --no: replace existing files or not
};

// Takes args[i] (and the value after it, moving i on) when it is --password, --yes or --no.
OptionTaken TakePromptOption(const std::vector<std::string>& args, size_t& i,
                             PromptOptions& options);

// Puts the archive readers' questions to whoever runs the tool: an answer given as an option
// is used; otherwise the terminal is asked when standard input is one; otherwise the question
// counts as cancelled (no password, no replacing, no next volume). Messages go to stderr.
class ToolPrompter : public ZEBPrompter {
public:
    explicit ToolPrompter(PromptOptions options);

    PromptAnswer Message(const std::string& text, const std::string& caption, PromptIcon icon,
                         PromptButtons buttons) override;
    std::optional<std::string> Password(const std::string& archive,
                                        const std::string& member) override;

    // True once an error message was shown.
    bool ErrorShown() const { return errorShown_; }

private:
    PromptAnswer Ask(PromptButtons buttons);

    PromptOptions options_;
    bool interactive_;
    bool errorShown_ = false;
};

}  // namespace zeb::tool
