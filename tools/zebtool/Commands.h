#pragma once

#include <string>
#include <vector>

namespace zeb::tool {

// One subcommand: its arguments after the command name; returns the exit status.
using Command = int (*)(const std::vector<std::string>& args);

struct CommandEntry {
    const char* name;
    std::string usage;
    Command run;
};

// Prints "zebtool: " + message to standard error and returns the failure status.
int Fail(const std::string& message);
// Prints the usage to standard output and returns the success status.
int ShowUsage();

int ImportCommand(const std::vector<std::string>& args);
int InfoCommand(const std::vector<std::string>& args);
int TextCommand(const std::vector<std::string>& args);
int ExtractCommand(const std::vector<std::string>& args);

}  // namespace zeb::tool
