// zebtool: batch work on books and archives from a terminal.
#include <clocale>
#include <cstdio>
#include <string>
#include <vector>

#include "library/ArchiveFormats.h"
#include "tools/zebtool/Commands.h"

namespace zeb::tool {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "zebtool: %s\n", message.c_str());
    return 1;
}

namespace {

// The archive extensions come from the library's table of formats.
const std::vector<CommandEntry>& Commands()
{
    static const std::vector<CommandEntry> commands = {
        {"help", "help", nullptr},
        {"import",
         "import [--codepage N|unicode|auto] [--password P] [--yes|--no] [--] FILE... "
         "BOOKSFOLDER\n      (texts, and " +
             zeb::ArchiveExtensionList(" ", " ") + " archives whose files are imported)",
         ImportCommand},
        {"info", "info [--] BOOKFILE", InfoCommand},
        {"text", "text [--lines] [--] BOOKFILE", TextCommand},
        {"extract", "extract [--password P] [--yes|--no] [--] ARCHIVE FOLDER", ExtractCommand},
    };
    return commands;
}

int Usage(FILE* out, int status)
{
    std::fprintf(out, "usage:\n");
    for (const CommandEntry& c : Commands())
        std::fprintf(out, "  zebtool %s\n", c.usage.c_str());
    std::fprintf(out, "Passwords and \"replace?\" questions are asked at the terminal unless\n"
                      "given as options; without a terminal they count as cancelled.\n"
                      "--help or -h shows this, --version the version; -- ends the\n"
                      "options, so that what follows is taken as files even when it\n"
                      "starts with -.\n");
    return status;
}

}  // namespace

int ShowUsage() { return Usage(stdout, 0); }

}  // namespace zeb::tool

int main(int argc, char* argv[])
{
    using namespace zeb::tool;
    // The system ANSI code page follows the locale's character set.
    std::setlocale(LC_CTYPE, "");
    if (argc < 2)
        return Usage(stderr, 2);
    std::string name = argv[1];
    if (name == "--help" || name == "-h")
        return ShowUsage();
    if (name == "--version") {
        std::printf("zebtool %s\n", ZEB_VERSION);
        return 0;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const CommandEntry& c : Commands()) {
        if (name == c.name)
            return c.run ? c.run(args) : ShowUsage();
    }
    Fail("unknown command: " + name);
    return Usage(stderr, 2);
}
