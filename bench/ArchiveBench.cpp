// Extraction speed of the ZIP reader and the RAR extractor against the command-line tools on
// the same archives in the same run. Run: build/bench/archive_bench
//
// The ZIP archive is made at start-up from ~20 MB of generated text with Info-ZIP's `zip -6`,
// and the RAR archive from the same text with the non-free `rar` archiver when it is installed;
// otherwise the RAR archive is ZEB_BENCH_RAR when set, else the corpus's small rar5.rar. The
// reference tools are `unzip` and `unrar`; a benchmark whose tool is missing reports itself
// skipped.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "library/rar/ZEBRar.h"
#include "library/zip/ZipReader.h"
#include "platform/TempDir.h"

namespace {

namespace fs = std::filesystem;

class NoQuestions : public zeb::ZEBPrompter {
public:
    zeb::PromptAnswer Message(const std::string&, const std::string&, zeb::PromptIcon,
                              zeb::PromptButtons) override
    {
        return zeb::PromptAnswer::Yes;
    }
    std::optional<std::string> Password(const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
};

struct Workspace {
    zeb::TempDir folder;
    fs::path root = folder.Path();
    std::string zip;
    std::string rar;
    uint64_t zipTextSize = 0;
    uint64_t rarTextSize = 0;  // 0 when the RAR archive is not made from the same text

    Workspace()
    {
        MakeZip();
        const char* rarOverride = std::getenv("ZEB_BENCH_RAR");
        rar = rarOverride ? rarOverride : MakeRar();
    }

    // The same text in a RAR archive, or the corpus's small one without the archiver.
    std::string MakeRar()
    {
        std::string made = (root / "book.rar").string();
        std::string command = "cd '" + root.string() + "' && rar a -idq -m3 book.rar book.txt 2>/dev/null";
        if (std::system(command.c_str()) == 0) {
            rarTextSize = zipTextSize;
            return made;
        }
        return ZEB_SHARED_DIR "/fixtures/archives/rar/rar5.rar";
    }

    // Lines of words drawn by a fixed-seed generator, about 20 MB in all.
    void MakeZip()
    {
        static const char* const words[] = {
            "the", "reader", "of", "long", "books", "turns", "a", "page", "and", "finds",
            "another", "chapter", "where", "rivers", "meet", "under", "grey", "skies", "while",
            "travellers", "count", "their", "steps", "towards", "distant", "harbours"};
        std::string text = (root / "book.txt").string();
        std::ofstream out(text, std::ios::binary);
        uint32_t seed = 12345;
        std::string line;
        while (zipTextSize < 20u << 20) {
            seed = seed * 1103515245u + 12345u;
            line += words[(seed >> 16) % std::size(words)];
            if (line.size() < 72) {
                line += ' ';
                continue;
            }
            line += '\n';
            out << line;
            zipTextSize += line.size();
            line.clear();
        }
        out.close();
        zip = (root / "book.zip").string();
        std::string command = "cd '" + root.string() + "' && zip -q -6 book.zip book.txt";
        if (std::system(command.c_str()) != 0)
            zip.clear();
    }

    fs::path FreshOutput(const char* name)
    {
        fs::path folder = root / name;
        fs::remove_all(folder);
        fs::create_directory(folder);
        return folder;
    }
};

Workspace& Shared()
{
    static Workspace workspace;
    return workspace;
}

bool HaveTool(const char* tool)
{
    return std::system(("command -v " + std::string(tool) + " > /dev/null").c_str()) == 0;
}

void RunTool(benchmark::State& state, const std::string& command)
{
    if (std::system(command.c_str()) != 0)
        state.SkipWithError(("failed: " + command).c_str());
}

void BM_ZipReader(benchmark::State& state)
{
    Workspace& w = Shared();
    if (w.zip.empty())
        return state.SkipWithError("zip is not installed");
    NoQuestions prompter;
    zeb::ZipReader reader(prompter);
    for (auto _ : state) {
        fs::path out = w.FreshOutput("zip-ours");
        reader.SetArchiveName(w.zip);
        reader.ReadDirectory();
        reader.SetDestination(out.string());
        reader.Select(0);
        reader.ExtractSelected();
        reader.Forget();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * w.zipTextSize));
}

void BM_Unzip(benchmark::State& state)
{
    Workspace& w = Shared();
    if (w.zip.empty() || !HaveTool("unzip"))
        return state.SkipWithError("zip or unzip is not installed");
    for (auto _ : state) {
        fs::path out = w.FreshOutput("zip-tool");
        RunTool(state, "unzip -qq -o '" + w.zip + "' -d '" + out.string() + "'");
    }
    state.SetBytesProcessed(int64_t(state.iterations() * w.zipTextSize));
}

void BM_ZEBRar(benchmark::State& state)
{
    Workspace& w = Shared();
    if (!fs::exists(w.rar))
        return state.SkipWithError("no RAR archive");
    zeb::ZEBRar rar;
    for (auto _ : state) {
        fs::path out = w.FreshOutput("rar-ours");
        for (std::string path = rar.Open(w.rar, out.string()); !path.empty(); path = rar.Next())
            ;
        rar.Close();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * w.rarTextSize));
}

void BM_Unrar(benchmark::State& state)
{
    Workspace& w = Shared();
    if (!fs::exists(w.rar) || !HaveTool("unrar"))
        return state.SkipWithError("no RAR archive or unrar is not installed");
    for (auto _ : state) {
        fs::path out = w.FreshOutput("rar-tool");
        RunTool(state, "unrar x -inul -o+ '" + w.rar + "' '" + out.string() + "/'");
    }
    state.SetBytesProcessed(int64_t(state.iterations() * w.rarTextSize));
}

}  // namespace

BENCHMARK(BM_ZipReader)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Unzip)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ZEBRar)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Unrar)->Unit(benchmark::kMillisecond)->UseRealTime();
