// How the reader follows real input on an X display, sent through XTEST with xdotool the way
// a keyboard, a wheel and a quiet desk do: Page Down held for 3 seconds and let go, 30 wheel
// notches in 0.3 seconds, and 10 seconds of nothing. For the input, the seconds from the last
// input until the screen is still (its middle unchanged for 2 s); for the rest, the reader's
// wakeups a second (context switches of all its threads) and its share of a core.
// Run: input_bench [--idle S] -- COMMAND...   (bench/input_bench.sh sets up the display)
// Prints "key value" lines: page-down-still-s, wheel-still-s, idle-wakeups-per-s, idle-cpu-pct.
#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

#include "TextOnScreen.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

QImage GrabMiddle(QScreen& screen)
{
    const QSize s = screen.geometry().size();
    return screen.grabWindow(0, s.width() / 4, s.height() / 4, s.width() / 2, s.height() / 2)
        .toImage();
}

void Run(const std::string& command)
{
    if (std::system(command.c_str()) != 0)
        std::fprintf(stderr, "input_bench: failed: %s\n", command.c_str());
}

// Seconds from now until the screen's middle last changed, once it has stayed the same for
// quiet seconds (at most limit seconds in all).
double SecondsUntilStill(QScreen& screen, double quiet = 2.0, double limit = 120.0)
{
    const Clock::time_point start = Clock::now();
    Clock::time_point lastChange = start;
    QImage last = GrabMiddle(screen);
    while (Seconds(Clock::now() - lastChange) < quiet && Seconds(Clock::now() - start) < limit) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        QImage now = GrabMiddle(screen);
        if (now != last) {
            lastChange = Clock::now();
            last = std::move(now);
        }
    }
    return Seconds(lastChange - start);
}

// Context switches of every thread of pid, and its processor time in clock ticks.
struct Usage {
    long long switches = 0;
    long long ticks = 0;
};

Usage UsageOf(pid_t pid)
{
    Usage u;
    const std::string base = "/proc/" + std::to_string(pid);
    if (DIR* tasks = opendir((base + "/task").c_str())) {
        while (dirent* task = readdir(tasks)) {
            if (task->d_name[0] == '.')
                continue;
            std::ifstream status(base + "/task/" + task->d_name + "/status");
            std::string word;
            long long value = 0;
            while (status >> word)
                if ((word == "voluntary_ctxt_switches:" || word == "nonvoluntary_ctxt_switches:") &&
                    status >> value)
                    u.switches += value;
        }
        closedir(tasks);
    }
    std::ifstream stat(base + "/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i == 14 || i == 15)
            u.ticks += std::stoll(field);
    return u;
}

pid_t Start(std::vector<char*>& command)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        dup2(2, 1);
        execvp(command[0], command.data());
        _exit(127);
    }
    return pid;
}

}  // namespace

int main(int argc, char** argv)
{
    double idleSeconds = 10;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; i += 2)
        if (i + 1 < argc && std::strcmp(argv[i], "--idle") == 0)
            idleSeconds = std::atof(argv[i + 1]);
    std::vector<char*> command(argv + std::min(i + 1, argc), argv + argc);
    if (command.empty()) {
        std::fprintf(stderr, "usage: input_bench [--idle S] -- COMMAND [ARGUMENTS...]\n");
        return 2;
    }
    command.push_back(nullptr);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    QScreen& screen = *QGuiApplication::primaryScreen();
    const QImage empty = GrabMiddle(screen);
    const pid_t reader = Start(command);
    const Clock::time_point started = Clock::now();
    while (!zeb::bench::ShowsTextPage(GrabMiddle(screen), empty)) {
        if (Seconds(Clock::now() - started) > 60 || waitpid(reader, nullptr, WNOHANG) != 0) {
            std::fprintf(stderr, "input_bench: no page of text was seen\n");
            kill(-reader, SIGKILL);
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    const QPoint middle = screen.geometry().center();
    Run("xdotool mousemove " + std::to_string(middle.x()) + " " + std::to_string(middle.y()));
    SecondsUntilStill(screen);

    const Usage before = UsageOf(reader);
    std::this_thread::sleep_for(std::chrono::duration<double>(idleSeconds));
    const Usage after = UsageOf(reader);
    std::printf("idle-wakeups-per-s %.1f\n", double(after.switches - before.switches) / idleSeconds);
    std::printf("idle-cpu-pct %.2f\n",
                100.0 * double(after.ticks - before.ticks) / double(sysconf(_SC_CLK_TCK)) /
                    idleSeconds);
    std::fflush(stdout);

    Run("xdotool keydown Next sleep 3 keyup Next");
    std::printf("page-down-still-s %.2f\n", SecondsUntilStill(screen));
    std::fflush(stdout);
    Run("xdotool click --repeat 30 --delay 10 5");
    std::printf("wheel-still-s %.2f\n", SecondsUntilStill(screen));

    kill(-reader, SIGTERM);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    kill(-reader, SIGKILL);
    waitpid(reader, nullptr, 0);
    return 0;
}
