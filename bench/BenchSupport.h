#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "platform/ZEBPrompter.h"

namespace zeb::bench {

// Says on stderr what the program would have shown, answers OK, cancels passwords: a benchmark
// runs without anyone to ask.
class ReportingPrompter : public ZEBPrompter {
public:
    PromptAnswer Message(const std::string& text, const std::string&, PromptIcon,
                         PromptButtons) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return PromptAnswer::Ok;
    }
    std::optional<std::string> Password(const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
};

// A size line of /proc/self/status ("VmRSS:", "VmHWM:", ...) in KiB; 0 when it is missing.
inline int64_t ProcessStatusKiB(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        int64_t value;
        if (word == key && status >> value)
            return value;
    }
    return 0;
}

}  // namespace zeb::bench
