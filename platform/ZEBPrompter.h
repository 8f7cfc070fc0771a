#pragma once

#include <optional>
#include <string>

namespace zeb {

enum class PromptIcon { Error, Warning, Question, Information };
enum class PromptButtons { Ok, OkCancel, YesNo, Abort };
enum class PromptAnswer { Ok, Cancel, Yes, No, Abort };

// Everything the logic asks of the user goes through here, so that windows answer it in the
// program and tests or the command line answer it elsewhere.
class ZEBPrompter {
public:
    virtual ~ZEBPrompter() = default;

    // A modal message box; caption empty means the platform's standard caption for the icon.
    virtual PromptAnswer Message(const std::string& text, const std::string& caption,
                                 PromptIcon icon, PromptButtons buttons) = 0;
    // The password of an encrypted member; nothing when the user cancels.
    virtual std::optional<std::string> Password(const std::string& archive,
                                                const std::string& member) = 0;
};

}  // namespace zeb
