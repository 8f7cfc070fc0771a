// Import throughput and peak memory against iconv on generated texts.
// Run: build/bench/import_bench [megabytes per text, default 50]
// Each text is generated in a temporary folder, imported (scan, both paragraph passes, the
// text stream, tables and signatures) in a child process, and converted to UTF-16LE by
// iconv in another. Both are timed by the processor time of the child (user + system, which
// other work on a shared machine disturbs least) and on the wall clock; the peak resident
// memory comes from wait4(). Each figure is the best of three runs. Targets: our throughput at
// least a third of iconv's, and peak memory at most 64 bytes per source line plus 32 MiB.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "import/WriteBookFile.h"
#include "import/ZEBCodepage.h"
#include "import/ZEBProgress.h"
#include "platform/CodePageDecoder.h"
#include "platform/Utf16.h"
#include "storage/ZEBFile.h"
#include "platform/TempDir.h"

namespace {

using namespace zeb;
namespace fs = std::filesystem;

constexpr int Runs = 3;

// Russian prose of plausible shape: lines of up to 72 columns, paragraphs of two to eight
// lines, set apart by a blank line or by a four-space indent.
class ProseGenerator {
public:
    std::u16string NextLine()
    {
        if (linesLeft_ == 0) {
            linesLeft_ = 2 + int(Next() % 7);
            indent_ = Next() % 2 == 0;
            if (!indent_)
                return u"\n";
        }
        std::u16string line = indent_ ? u"    " : u"";
        indent_ = false;
        size_t width = linesLeft_ == 1 ? 20 + Next() % 50 : 64 + Next() % 9;
        while (line.size() < width) {
            if (!line.empty() && line.back() != u' ')
                line += u' ';
            line += Words[Next() % std::size(Words)];
            if (Next() % 9 == 0)
                line += u',';
        }
        line += --linesLeft_ == 0 ? u".\n" : u"\n";
        return line;
    }

private:
    static constexpr const char16_t* Words[] = {
        u"смотритель", u"маяк",    u"вечер",   u"остров",  u"ветер",  u"море",   u"лодка",
        u"и",          u"в",       u"на",      u"старый",  u"большой", u"свет",  u"ночью",
        u"волны",      u"башня",   u"часы",    u"кот",     u"книги",  u"туман",  u"берег",
        u"поднимался", u"над",     u"до",      u"после",   u"тихо",   u"долго",  u"знал",
        u"дверь",      u"Адмирал", u"зимой",   u"дневник", u"погода", u"судно",  u"мимо"};

    uint32_t Next() { return (state_ = state_ * 1664525u + 1013904223u) >> 8; }

    uint32_t state_ = 12345;
    int linesLeft_ = 0;
    bool indent_ = false;
};

std::string Cp1251(const std::u16string& text)
{
    std::string out;
    for (char16_t c : text) {
        if (c >= 0x0410 && c <= 0x044F)
            out += char(0xC0 + (c - 0x0410));
        else
            out += char(c);
    }
    return out;
}

std::string Utf16Le(const std::u16string& text)
{
    std::string out;
    for (char16_t c : text) {
        out += char(c & 0xFF);
        out += char(c >> 8);
    }
    return out;
}

struct Source {
    const char* label;
    std::string path;
    int32_t codePage;
    const char* iconvFrom;  // the encoding name iconv knows
    std::function<std::string(const std::u16string&)> encode;
    int64_t bytes = 0, lines = 0;
};

void Generate(Source& source, int64_t bytes)
{
    std::ofstream out(source.path, std::ios::binary | std::ios::trunc);
    ProseGenerator prose;
    std::string chunk;
    while (source.bytes < bytes) {
        std::string line = source.encode(prose.NextLine());
        source.bytes += int64_t(line.size());
        ++source.lines;
        chunk += line;
        if (chunk.size() > (1 << 20)) {
            out.write(chunk.data(), std::streamsize(chunk.size()));
            chunk.clear();
        }
    }
    out.write(chunk.data(), std::streamsize(chunk.size()));
}

struct Measure {
    double cpu = 1e30;   // seconds of processor time
    double wall = 1e30;  // seconds on the wall clock
    long peakKiB = 0;
};

double Seconds(const timeval& t)
{
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

// Runs work in a child process; its wall time and peak resident size.
Measure InChild(const std::function<int()>& work)
{
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0)
        _exit(work());
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    auto stop = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "import_bench: a child run failed\n");
        std::exit(1);
    }
    return {Seconds(usage.ru_utime) + Seconds(usage.ru_stime),
            std::chrono::duration<double>(stop - start).count(), usage.ru_maxrss};
}

Measure Best(const std::function<int()>& work)
{
    Measure best;
    for (int i = 0; i < Runs; ++i) {
        Measure m = InChild(work);
        best.cpu = std::min(best.cpu, m.cpu);
        best.wall = std::min(best.wall, m.wall);
        best.peakKiB = std::max(best.peakKiB, m.peakKiB);
    }
    return best;
}

int Import(const Source& source, const std::string& book)
{
    ZEBFile file;
    file.Open(source.path, FileAccess::Read, 20, 3);
    ZEBNoProgress progress;
    fs::remove(book);  // books are only ever written under a new name
    WriteBookFile(file, source.codePage, book, source.path, progress);
    return 0;
}

int Iconv(const Source& source, const std::string& output)
{
    execlp("iconv", "iconv", "-f", source.iconvFrom, "-t", "UTF-16LE", source.path.c_str(),
           "-o", output.c_str(), static_cast<char*>(nullptr));
    return 127;
}

double CatalogueMilliseconds()
{
    double best = 1e30;
    for (int i = 0; i < Runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        ZEBCodepage catalogue;
        catalogue.BuildCatalogue();
        best = std::min(best, std::chrono::duration<double, std::milli>(
                                  std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

}  // namespace

int main(int argc, char* argv[])
{
    const int64_t megabytes = argc > 1 ? std::atoll(argv[1]) : 50;
    const TempDir temporary;
    const fs::path& folder = temporary.Path();
    Source sources[] = {
        {"cp1251", (folder / "cp1251.txt").string(), 1251, "CP1251", Cp1251},
        {"UTF-8", (folder / "utf8.txt").string(), 65001, "UTF-8", ToUtf8},
        {"UTF-16LE", (folder / "utf16.txt").string(), UnicodeCodePage, "UTF-16LE", Utf16Le},
    };
    std::printf("catalogue built in %.1f ms\n\n", CatalogueMilliseconds());
    std::printf("times in seconds (processor / wall); ratio: our throughput / iconv's\n");
    std::printf("%-9s %6s %8s | %13s %6s | %13s %6s | %11s | %8s %7s\n", "text", "MB", "lines",
                "ours", "MB/s", "iconv", "MB/s", "ratio", "peak MiB", "budget");
    for (Source& source : sources) {
        Generate(source, megabytes * 1000 * 1000);
        std::string book = (folder / "out.book").string(), converted = (folder / "out.u16").string();
        Measure ours = Best([&] { return Import(source, book); });
        Measure iconv = Best([&] { return Iconv(source, converted); });
        double mb = double(source.bytes) / 1e6;
        double budget = (64.0 * double(source.lines) + 32.0 * 1024 * 1024) / 1024 / 1024;
        std::printf("%-9s %6.1f %8lld | %6.3f/%6.3f %6.1f | %6.3f/%6.3f %6.1f | %5.2f/%5.2f | %8.1f "
                    "%7.1f\n",
                    source.label, mb, static_cast<long long>(source.lines), ours.cpu, ours.wall,
                    mb / ours.cpu, iconv.cpu, iconv.wall, mb / iconv.cpu, iconv.cpu / ours.cpu,
                    iconv.wall / ours.wall, double(ours.peakKiB) / 1024, budget);
        fs::remove(source.path);
        fs::remove(book);
        fs::remove(converted);
    }
    return 0;
}
