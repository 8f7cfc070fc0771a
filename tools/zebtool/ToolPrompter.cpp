#include "tools/zebtool/ToolPrompter.h"

#include <cstdio>
#include <iostream>

#include <termios.h>
#include <unistd.h>

namespace zeb::tool {

namespace {

// Message texts break lines with "\r\n"; a terminal wants "\n".
std::string TerminalText(std::string text)
{
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

std::optional<std::string> ReadLine()
{
    std::string line;
    if (!std::getline(std::cin, line))
        return std::nullopt;
    return line;
}

// Reads a line without showing what is typed.
std::optional<std::string> ReadSecretLine()
{
    termios saved{};
    bool hidden = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hidden) {
        termios quiet = saved;
        quiet.c_lflag &= tcflag_t(~ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::optional<std::string> line = ReadLine();
    if (hidden)
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputc('\n', stderr);
    return line;
}

}  // namespace

OptionTaken TakePromptOption(const std::vector<std::string>& args, size_t& i,
                             PromptOptions& options)
{
    if (args[i] == "--yes" || args[i] == "--no") {
        options.replace = args[i] == "--yes";
        return OptionTaken::Yes;
    }
    if (args[i] != "--password")
        return OptionTaken::No;
    if (i + 1 == args.size())
        return OptionTaken::MissingValue;
    options.password = args[++i];
    return OptionTaken::Yes;
}

ToolPrompter::ToolPrompter(PromptOptions options)
    : options_(std::move(options)), interactive_(isatty(STDIN_FILENO) == 1)
{
}

PromptAnswer ToolPrompter::Message(const std::string& text, const std::string& caption,
                                   PromptIcon icon, PromptButtons buttons)
{
    errorShown_ = errorShown_ || icon == PromptIcon::Error;
    std::string shown = TerminalText(text);
    std::fprintf(stderr, "zebtool: %s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ",
                 shown.c_str());
    switch (buttons) {
    case PromptButtons::Ok:
        return PromptAnswer::Ok;
    case PromptButtons::Abort:
        return PromptAnswer::Abort;
    case PromptButtons::YesNo:
        if (options_.replace)
            return *options_.replace ? PromptAnswer::Yes : PromptAnswer::No;
        return Ask(buttons);
    case PromptButtons::OkCancel:
        break;
    }
    return Ask(buttons);
}

// A "y" answers Yes (or OK); anything else, and no terminal, No (or Cancel).
PromptAnswer ToolPrompter::Ask(PromptButtons buttons)
{
    bool yes = false;
    if (interactive_) {
        std::fprintf(stderr, buttons == PromptButtons::YesNo ? "[y/n] " : "Go on? [y/n] ");
        std::optional<std::string> line = ReadLine();
        yes = line && !line->empty() && (line->front() == 'y' || line->front() == 'Y');
    }
    if (buttons == PromptButtons::YesNo)
        return yes ? PromptAnswer::Yes : PromptAnswer::No;
    return yes ? PromptAnswer::Ok : PromptAnswer::Cancel;
}

std::optional<std::string> ToolPrompter::Password(const std::string& archive,
                                                  const std::string& member)
{
    if (options_.password)
        return options_.password;
    if (!interactive_)
        return std::nullopt;
    std::fprintf(stderr, "Password for %s in %s: ", member.c_str(), archive.c_str());
    return ReadSecretLine();
}

}  // namespace zeb::tool
