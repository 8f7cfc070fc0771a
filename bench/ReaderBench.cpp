// The reader window on a book made from 50 MB of generated text, full screen at 1920 x 1080,
// 12 points, 4x4 antialiasing in true colour, on a real display (run it under Xvfb):
// - start: exec of a fresh process to the first painted page with text, and that process's
//   peak resident memory after reading 100 pages;
// - page down in "Jump", key press to painted frame, with the band already rendered and with
//   nothing rendered yet (a jump to a random place just before);
// - auto-scroll for 20 s at 50, 200 and 500 pixels a second: steps and late steps a second,
//   and the processor time the process took.
// Run: xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/reader_bench
// One start by hand: reader_bench --prepare DIR, then reader_bench --child DIR [PAGES];
// reader_bench --start gives the start figures alone; reader_bench --scroll hardware|software
// the auto-scroll figures alone, in that scroll mode.
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
#include <random>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>

#include "BenchSupport.h"
#include "BookGenerator.h"
#include "reader/AutoScroll.h"
#include "app/TAA_Main.h"
#include "app/ZEBApplication.h"
#include "platform/Clock.h"
#include "platform/TempDir.h"
#include "render/ui/TZEBScroll.h"
#include "settings/GlobalConfigFile.h"

namespace {

using namespace zeb;

constexpr int64_t SourceBytes = 50 << 20;
constexpr int PageSamples = 60;
constexpr int ScrollSeconds = 20;

GlobalConfig BenchConfig(const std::string& book)
{
    GlobalConfig config = InitialGlobalConfig(65001);
    for (FontProfile& p : config.Settings.Profiles)
        p.FontSize = 12;
    config.Settings.Antialiasing = 3;
    config.Settings.ColorResolution = true;
    config.Settings.TextMovement = false;
    config.Window = {WindowFullScreen, 0, 0, 1920, 1080};
    config.LastBookFile = book;
    return config;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto s = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return s(usage.ru_utime) + s(usage.ru_stime);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void PressKey(QWidget* target, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// Runs stages one after another from inside the reader's main loop; a stage returns false
// while it wants to be called again (5 ms later).
class Script {
public:
    using Stage = std::function<bool()>;

    Script(TAA_Main& window, std::vector<Stage> stages) : window_(window), stages_(std::move(stages)) {}

    void Start() { QTimer::singleShot(0, &window_, [this] { Next(); }); }

private:
    void Next()
    {
        if (at_ == stages_.size()) {
            window_.close();
            return;
        }
        if (stages_[at_]())
            ++at_;
        QTimer::singleShot(at_ == stages_.size() ? 0 : 5, &window_, [this] { Next(); });
    }

    TAA_Main& window_;
    std::vector<Stage> stages_;
    size_t at_ = 0;
};

bool Rendered(TAA_Main& window)
{
    return window.Reader().LoopRunning() && !window.Reader().Engine().Queue().Step();
}

// The child: reports when the first page with text has been painted, reads 100 pages, reports
// its peak memory once the band around the view has been drawn.
int StartChild(int argc, char** argv, const std::string& folder, int pages)
{
    ZEBApplication app(argc, argv);
    bench::ReportingPrompter prompter;
    TAA_Main window(folder, prompter);
    bool painted = false;
    std::function<void()> reportOnceRendered;
    struct PaintWatch : QObject {
        std::function<void()> seen;
        int64_t paintedAt = 0;
        bool inside = false;
        // The paint is done here, so that its end is seen at once; the flush to the screen
        // follows in the same pass.
        bool eventFilter(QObject* view, QEvent* e) override
        {
            if (e->type() != QEvent::Paint || inside)
                return false;
            inside = true;
            QCoreApplication::sendEvent(view, e);
            inside = false;
            paintedAt = PerformanceCounter();
            QTimer::singleShot(0, this, seen);
            return true;
        }
    } watch;
    watch.seen = [&] {
        if (painted || window.Reader().Engine().ScreenLines().empty())
            return;
        painted = true;
        std::printf("first-page %lld\n", (long long)watch.paintedAt);
        std::fflush(stdout);
        for (int i = 0; i < pages; ++i)
            window.RunCommand(ReaderCommand::PageDown);
        reportOnceRendered();
    };
    // Reading goes on with the band around the view drawn in full, so the peak counts it.
    reportOnceRendered = [&] {
        if (!Rendered(window)) {
            QTimer::singleShot(5, &window, reportOnceRendered);
            return;
        }
        std::printf("peak-kib %lld\n", (long long)bench::ProcessStatusKiB("VmHWM:"));
        std::fflush(stdout);
        window.close();
    };
    window.View()->installEventFilter(&watch);
    window.show();
    return app.exec();
}

void MeasureStart(const char* self, const std::string& folder)
{
    std::vector<double> ms;
    int64_t peak = 0;
    for (int run = 0; run < 5; ++run) {
        int out[2];
        if (pipe(out) != 0)
            return;
        int64_t started = PerformanceCounter();
        pid_t child = fork();
        if (child == 0) {
            dup2(out[1], 1);
            close(out[0]);
            execl(self, self, "--child", folder.c_str(), nullptr);
            _exit(127);
        }
        close(out[1]);
        FILE* from = fdopen(out[0], "r");
        char line[128];
        long long value;
        while (std::fgets(line, sizeof line, from)) {
            if (std::sscanf(line, "first-page %lld", &value) == 1)
                ms.push_back(double(value - started) / 1e6);
            if (std::sscanf(line, "peak-kib %lld", &value) == 1)
                peak = std::max<int64_t>(peak, value);
        }
        fclose(from);
        waitpid(child, nullptr, 0);
    }
    std::printf("start, exec to first painted page: median %.1f ms (goal < 250)\n", Median(ms));
    std::printf("peak resident memory reading 100 pages: %.1f MiB (goal < 64)\n", double(peak) / 1024);
}

void PrepareFolder(const std::filesystem::path& folder)
{
    std::filesystem::create_directories(folder / "Books");
    std::string book = (folder / "Books" / "00000001.book").string();
    std::fprintf(stderr, "generating the book ...\n");
    bench::ReportingPrompter prompter;
    bench::GenerateBook(book, SourceBytes, prompter);
    SaveGlobalConfig(GlobalConfigPath(folder.string()), BenchConfig(book));
}

struct ScrollFigures {
    int32_t Steps = 0, Late = 0, Seconds = 0;
    double Cpu = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    // The child: "--child FOLDER [PAGES]" (100 pages read unless told).
    if (argc >= 3 && std::string(argv[1]) == "--child")
        return StartChild(argc, argv, argv[2], argc > 3 ? std::atoi(argv[3]) : 100);

    // "--prepare FOLDER": only the program folder with its book and "Global.cfg", to look at
    // one start by hand with "--child FOLDER".
    if (argc >= 3 && std::string(argv[1]) == "--prepare") {
        PrepareFolder(argv[2]);
        return 0;
    }

    // "--scroll hardware|software": the auto-scroll figures alone, in that scroll mode.
    const bool scrollOnly = argc >= 3 && std::string(argv[1]) == "--scroll";
    const bool hardware = scrollOnly && std::string(argv[2]) == "hardware";
    TempDir folder;
    PrepareFolder(folder.Path());
    if (!scrollOnly)
        MeasureStart(argv[0], folder.Path().string());
    // "--start": the start figures only, for comparing with other readers.
    if (argc >= 2 && std::string(argv[1]) == "--start")
        return 0;
    bench::ReportingPrompter prompter;

    ZEBApplication app(argc, argv);
    TAA_Main window(folder.Path().string(), prompter);
    std::mt19937 random(7);
    std::vector<double> warm, cold;
    std::vector<ScrollFigures> scroll;
    auto page = [&](std::vector<double>& into) {
        QElapsedTimer t;
        t.start();
        PressKey(window.View(), Qt::Key_PageDown);
        into.push_back(double(t.nsecsElapsed()) / 1e6);
    };
    auto randomPlace = [&] {
        const ZEBBook& b = window.Reader().Engine().Book();
        std::uniform_int_distribution<int32_t> any(b.TextStart(), b.TextEnd() - 1);
        window.Reader().Engine().SetPosition(any(random), 0);
    };
    int samples = 0;
    std::vector<Script::Stage> stages;
    stages.push_back([&] {
        window.Options().SetScrollMode(hardware);
        return Rendered(window);
    });
    for (int i = 0; i < (scrollOnly ? 0 : PageSamples); ++i) {
        stages.push_back([&] { return Rendered(window); });
        stages.push_back([&] { page(warm); return true; });
        stages.push_back([&] { randomPlace(); page(cold); return true; });
    }
    for (int rate : {50, 200, 500}) {
        stages.push_back([&, rate] {
            randomPlace();
            window.Options().SetLinesPerSecond(rate);
            return true;
        });
        stages.push_back([&] { return Rendered(window); });
        stages.push_back([&] {
            scroll.push_back({});
            scroll.back().Cpu = -CpuSeconds();
            samples = 0;
            window.RunCommand(ReaderCommand::ToggleAutoScroll);
            return true;
        });
        // Once a second, the statistics of the second before.
        stages.push_back([&] {
            static int64_t next = 0;
            int64_t now = PerformanceCounter();
            if (samples == 0)
                next = now + CounterFrequency + CounterFrequency / 10;
            if (samples == 0 || now >= next) {
                if (samples > 0) {
                    scroll.back().Steps += window.Reader().AutoScroller().LastSecond().Steps;
                    scroll.back().Late += window.Reader().AutoScroller().LastSecond().LateSteps;
                    ++scroll.back().Seconds;
                    next += CounterFrequency;
                }
                ++samples;
            }
            if (samples <= ScrollSeconds)
                return false;
            scroll.back().Cpu += CpuSeconds();
            window.RunCommand(ReaderCommand::ToggleAutoScroll);
            return true;
        });
    }
    Script script(window, stages);
    script.Start();
    window.show();
    app.exec();

    if (!scrollOnly) {
        std::printf("page down (Jump), band rendered: median %.2f ms (goal < 8)\n", Median(warm));
        std::printf("page down (Jump), nothing rendered: median %.2f ms\n", Median(cold));
    }
    int i = 0;
    for (int rate : {50, 200, 500}) {
        const ScrollFigures& f = scroll.at(size_t(i++));
        double seconds = std::max(1, f.Seconds);
        std::printf("auto-scroll %3d px/s: %.1f steps/s, %.2f late steps/s (%.2f %%), cpu %.1f %% of a core\n",
                    rate, f.Steps / seconds, f.Late / seconds,
                    f.Steps ? 100.0 * f.Late / f.Steps : 0.0,
                    100.0 * f.Cpu / (ScrollSeconds + 0.1));
    }
    return 0;
}
