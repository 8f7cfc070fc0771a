// The reader's own work on a book made from 50 MB of text, measured with the Qt measurer at a
// 1920 x 1080 view and a 12-point font: opening a book (both signatures, the indexes, the first
// layout), setting the position at random places, the layout work of a page down, and the
// memory all that takes beyond what the program held before.
// Run: build/bench/render_bench   (per-call figures: see the _median rows)
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "BenchSupport.h"
#include "BookGenerator.h"
#include "render/BookSession.h"
#include "render/QtMeasurer.h"
#include "platform/TempDir.h"

namespace {

using namespace zeb;

constexpr int64_t SourceBytes = 50 << 20;
constexpr ViewSize View{1920, 1080};

class BenchHost : public ZEBRenderHost {
public:
    ViewSize ViewSizeNow() const override { return View; }
    void RepaintView() override {}
    void PositionChanged() override {}
};

// Pictures are the raster's business; here a request is done in one step.
class NoRaster : public ZEBRenderStep {
public:
    bool Advance(ZEBRenderQuenue& request) override
    {
        request.StepState = ZEBRenderQuenue::Finished;
        return true;
    }
};

ReaderSettings BenchSettings()
{
    ReaderSettings s = InitialReaderSettings();
    s.Profiles[ProportionalProfile].FontSize = 12;
    s.FontWidth = true;
    s.TextFormatting = FormattingFullHyphen;
    return s;
}

// One book and one engine for the whole run; the book lives in a temporary folder.
struct Reader {
    Reader()
    {
        bench::GenerateBook(path, SourceBytes, prompter);
        options.SetHandler(LayoutChanged, [this] { engine.ApplyDisplaySettings(); });
        baselineKiB = bench::ProcessStatusKiB("VmRSS:");
    }
    ~Reader()
    {
        session.CloseBook();
    }

    TempDir folder;
    std::string path = folder.File("00000001.book");
    ReaderSettings stored = BenchSettings();
    ZEBOptions options{stored};
    BenchHost host;
    NoRaster raster;
    bench::ReportingPrompter prompter;
    ZEBRenderParag engine{options, host, std::make_unique<QtMeasurer>(), raster};
    BookSession session{engine, options, stored, prompter};
    int64_t baselineKiB = 0;
    std::mt19937 random{7};
};

// Made on first use and dropped before the application object goes.
std::unique_ptr<Reader> reader;

Reader& TheReader()
{
    if (!reader)
        reader = std::make_unique<Reader>();
    return *reader;
}

int32_t RandomPosition(Reader& r)
{
    std::uniform_int_distribution<int32_t> any(r.engine.Book().TextStart(), r.engine.Book().TextEnd() - 1);
    return any(r.random);
}

void ReportMemory(benchmark::State& state, Reader& r)
{
    state.counters["MiB_beyond_baseline"] = double(bench::ProcessStatusKiB("VmRSS:") - r.baselineKiB) / 1024;
}

void BM_OpenBook(benchmark::State& state)
{
    Reader& r = TheReader();
    for (auto _ : state) {
        state.PauseTiming();
        r.session.CloseBook();
        state.ResumeTiming();
        r.session.OpenBook(r.path);
    }
    ReportMemory(state, r);
}
BENCHMARK(BM_OpenBook)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(5);

void BM_SetPosition(benchmark::State& state)
{
    Reader& r = TheReader();
    if (!r.engine.Book().IsOpen())
        r.session.OpenBook(r.path);
    for (auto _ : state) {
        state.PauseTiming();
        int32_t position = RandomPosition(r);
        state.ResumeTiming();
        r.engine.SetPosition(position, 0);
    }
    ReportMemory(state, r);
}
BENCHMARK(BM_SetPosition)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(100);

void BM_PageDown(benchmark::State& state)
{
    Reader& r = TheReader();
    if (!r.engine.Book().IsOpen())
        r.session.OpenBook(r.path);
    for (auto _ : state) {
        state.PauseTiming();
        // Now and then the reader jumps; the pictures are drawn between pages.
        static int pages = 0;
        if (pages++ % 20 == 0)
            r.engine.SetPosition(RandomPosition(r), 0);
        while (r.engine.Queue().Step()) {
        }
        state.ResumeTiming();
        r.engine.MoveBy(-View.Height);
    }
    ReportMemory(state, r);
}
BENCHMARK(BM_PageDown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(100);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    reader.reset();
    return 0;
}
