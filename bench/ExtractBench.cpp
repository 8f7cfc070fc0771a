// Extraction throughput of the ARJ, LZH and HA extractors. ARJ and LZH are timed against the
// reference tools (Debian's arj and lhasa) extracting the same ~20 MB archives in the same run;
// compare the bytes_per_second of each pair. HA is timed alone on the corpus's ASC and HSC
// archives. Run: build/bench/extract_bench (needs arj, jlha and lhasa installed, and the shared
// fixture corpus beside the checkout).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "library/arj/ZEBArj.h"
#include "library/lzh/ZEBLZH.h"
#include "library/ha/ZEB_HA.h"
#include "platform/TempDir.h"

namespace {

namespace fs = std::filesystem;
using namespace zeb;

// The archives and the extracted files, for the whole run.
const fs::path& Work()
{
    static const TempDir folder;
    return folder.Path();
}

const fs::path Corpus = fs::path(ZEB_SHARED_DIR) / "fixtures";
constexpr int Copies = 100;  // of the corpus's 205 KB text: about 20 MB

bool Run(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// book.txt and the archives made from it, built once per run.
bool Prepare()
{
    static const bool ready = [] {
        std::ifstream in(Corpus / "texts" / "large.txt", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), {});
        if (text.empty())
            return false;
        std::ofstream out(Work() / "book.txt", std::ios::binary | std::ios::trunc);
        for (int i = 0; i < Copies; ++i)
            out << text;
        out.close();
        std::string cd = "cd '" + Work().string() + "' && ";
        return Run(cd + "rm -f m1.arj m4.arj lh5.lzh") && Run(cd + "arj a -i -y -m1 m1.arj book.txt") &&
               Run(cd + "arj a -i -y -m4 m4.arj book.txt") && Run(cd + "jlha a2q lh5.lzh book.txt");
    }();
    return ready;
}

int64_t BookSize() { return int64_t(fs::file_size(Work() / "book.txt")); }

// Our extractor: open (which extracts the first member) to the end, files deleted afterwards.
template <class Extractor>
void Ours(benchmark::State& state, const fs::path& archive, int64_t bytes)
{
    const fs::path out = Work() / "ours";
    for (auto _ : state) {
        fs::remove_all(out);
        fs::create_directories(out);
        Extractor extractor;
        for (std::string p = extractor.Open(archive.string(), out.string()); !p.empty();
             p = extractor.Next()) {
        }
        extractor.Close();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}

void Tool(benchmark::State& state, const std::string& command, int64_t bytes)
{
    const fs::path out = Work() / "tool";
    for (auto _ : state) {
        fs::remove_all(out);
        fs::create_directories(out);
        if (!Run("cd '" + out.string() + "' && " + command))
            state.SkipWithError(("failed: " + command).c_str());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}

void BM_ArjMethod1_Ours(benchmark::State& state)
{
    if (!Prepare())
        return state.SkipWithError("arj, jlha or the corpus is missing");
    Ours<ZEBArj>(state, Work() / "m1.arj", BookSize());
}

void BM_ArjMethod1_ArjTool(benchmark::State& state)
{
    if (!Prepare())
        return state.SkipWithError("arj, jlha or the corpus is missing");
    Tool(state, "arj e -y '" + (Work() / "m1.arj").string() + "'", BookSize());
}

void BM_ArjMethod4_Ours(benchmark::State& state)
{
    if (!Prepare())
        return state.SkipWithError("arj, jlha or the corpus is missing");
    Ours<ZEBArj>(state, Work() / "m4.arj", BookSize());
}

void BM_ArjMethod4_ArjTool(benchmark::State& state)
{
    if (!Prepare())
        return state.SkipWithError("arj, jlha or the corpus is missing");
    Tool(state, "arj e -y '" + (Work() / "m4.arj").string() + "'", BookSize());
}

void BM_Lh5_Ours(benchmark::State& state)
{
    if (!Prepare())
        return state.SkipWithError("arj, jlha or the corpus is missing");
    Ours<ZEBLZH>(state, Work() / "lh5.lzh", BookSize());
}

void BM_Lh5_Lhasa(benchmark::State& state)
{
    if (!Prepare())
        return state.SkipWithError("arj, jlha or the corpus is missing");
    Tool(state, "lhasa xqf '" + (Work() / "lh5.lzh").string() + "'", BookSize());
}

// The corpus's HA archives hold the same six files, 213 KB in all, with one method each.
void BM_HaMethod(benchmark::State& state, const char* archive)
{
    const fs::path path = Corpus / "archives" / "ha" / archive;
    if (!fs::exists(path))
        return state.SkipWithError("the fixture corpus is missing");
    int64_t bytes = 0;
    for (const char* name : {"prose.txt", "verse.txt", "ru_cp866.txt", "allbytes.bin",
                             "large.txt", "empty.txt"})
        bytes += int64_t(fs::file_size(Corpus / "texts" / name));
    fs::create_directories(Work());
    Ours<ZEB_HA>(state, path, bytes);
}

BENCHMARK(BM_ArjMethod1_Ours)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ArjMethod1_ArjTool)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ArjMethod4_Ours)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ArjMethod4_ArjTool)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Lh5_Ours)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Lh5_Lhasa)->Unit(benchmark::kMillisecond)->UseRealTime();
// No other process is involved here, so CPU time is the fair measure on a shared machine.
BENCHMARK_CAPTURE(BM_HaMethod, Asc, "asc.ha")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_HaMethod, Hsc, "hsc.ha")->Unit(benchmark::kMillisecond);

}  // namespace
