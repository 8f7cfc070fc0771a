// Drawing one line picture of about 100 characters at 12 points on a 1920-pixel view, through
// every render step (background strips, one character per step, reduction), for each
// antialiasing level and both colour resolutions.
// Run: build/bench/raster_bench   (per-line figures: see the _median rows)
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "render/QtMeasurer.h"
#include "render/QtRaster.h"
#include "render/RenderMetrics.h"

namespace {

using namespace zeb;

constexpr ViewSize View{1920, 1080};
const std::u16string LineText =
    u"The quick brown fox jumps over the lazy dog, and then it runs far away into the dark woods.";

// The request the engine would make for the line, words placed one space apart.
std::unique_ptr<ZEBRenderQuenue> LineRequest(uint8_t antialiasing, bool trueColor)
{
    ReaderSettings settings = InitialReaderSettings();
    settings.Profiles[ProportionalProfile].FontSize = 12;
    settings.FontWidth = true;
    settings.Antialiasing = antialiasing;
    settings.ColorResolution = trueColor;
    auto request = std::make_unique<ZEBRenderQuenue>();
    request->Metrics = MetricsFromSettings(settings);
    auto canvas = std::make_shared<QtMeasurer>();
    canvas->SetFont(ActiveProfile(settings), request->Metrics.SupersampleFactor);
    ComputeMetrics(request->Metrics, *canvas, View);
    request->LineHeight = request->Metrics.LineHeight;
    int32_t x = request->Metrics.LeftEdge;
    size_t start = 0;
    while (start < LineText.size()) {
        size_t end = LineText.find(u' ', start);
        if (end == std::u16string::npos)
            end = LineText.size();
        std::u16string word = LineText.substr(start, end - start);
        int32_t width = TextWidth(request->Metrics, *canvas, word);
        request->Words.push_back({width, x, word});
        x += width + request->Metrics.SpaceWidth;
        start = end + 1;
    }
    request->Canvas = std::move(canvas);
    return request;
}

void BM_RenderLine(benchmark::State& state)
{
    const auto antialiasing = uint8_t(state.range(0));
    const bool trueColor = state.range(1) != 0;
    const std::unique_ptr<ZEBRenderQuenue> prototype = LineRequest(antialiasing, trueColor);
    QtRasterStep raster;
    int64_t steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto request = std::make_unique<ZEBRenderQuenue>();
        request->Canvas = prototype->Canvas;
        request->Metrics = prototype->Metrics;
        request->LineHeight = prototype->LineHeight;
        request->Words = prototype->Words;
        state.ResumeTiming();
        while (raster.Advance(*request))
            ++steps;
        benchmark::DoNotOptimize(request->Result);
    }
    state.counters["steps_per_line"] = double(steps) / double(state.iterations());
    state.SetLabel(std::string(trueColor ? "true colour " : "indexed ") +
                   (antialiasing == 0 ? "none" : std::to_string(antialiasing + 1) + "x" +
                                                     std::to_string(antialiasing + 1)));
}
BENCHMARK(BM_RenderLine)
    ->ArgsProduct({{0, 1, 2, 3}, {1, 0}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(50)
    ->Repetitions(10);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
