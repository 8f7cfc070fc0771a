#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zeb::tool {

enum class OptionTaken { No, Yes, MissingValue };

// Offered args[i] while options may still come: takes it (and a value after it, moving i on),
// or leaves it as a plain argument.
using OptionTaker = std::function<OptionTaken(const std::vector<std::string>& args, size_t& i)>;

struct CommandArguments {
    std::vector<std::string> plain;  // what no option took, and everything after "--"
    bool help = false;               // --help or -h came before any "--"
    std::string error;               // "--password needs a value"; empty when all is well
};

// Splits a command's arguments: "--" ends the options, so that a file may be named "--yes".
CommandArguments SplitArguments(const std::vector<std::string>& args, const OptionTaker& take);

// Why path cannot be opened as a regular file (or, with folder, as a folder), in the I/O
// failure's words: "cannot open x.txt: No such file or directory"; "" when it can.
std::string OpenProblem(const std::string& path, bool folder = false);

}  // namespace zeb::tool
