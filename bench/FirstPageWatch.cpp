// Starts a reader on an X display and watches the screen for its first page of text: the wall
// time from the start of the process to the first screen picture that shows a page of text
// (pictures of the middle of the screen taken every --every milliseconds), and the reader's
// peak resident memory (VmHWM) then and after --pages page downs (sent with xdotool, the
// pointer in the middle of the screen so that the keys go to the reader without a window
// manager). The reader's standard output goes to standard error.
// Run: first_page_watch [--pages N] [--every MS] [--timeout S] [--save PREFIX] -- COMMAND...
// Prints "key value" lines: first-page-ms, peak-kib-first, picture-ms (the time to take and
// look at one picture), peak-kib-pages, pages-turned. --save keeps PREFIX-seen.png (the part of
// the screen that showed the page), PREFIX-first.png and PREFIX-pages.png (the whole screen).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
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

struct Arguments {
    int pages = 5;
    int everyMs = 10;
    int timeoutS = 120;
    std::string save;
    std::vector<char*> command;
};

std::optional<Arguments> Parse(int argc, char** argv)
{
    Arguments a;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; i += 2) {
        if (i + 1 >= argc)
            return std::nullopt;
        std::string key = argv[i];
        if (key == "--pages")
            a.pages = std::atoi(argv[i + 1]);
        else if (key == "--every")
            a.everyMs = std::atoi(argv[i + 1]);
        else if (key == "--timeout")
            a.timeoutS = std::atoi(argv[i + 1]);
        else if (key == "--save")
            a.save = argv[i + 1];
        else
            return std::nullopt;
    }
    for (++i; i < argc; ++i)
        a.command.push_back(argv[i]);
    if (a.command.empty() || a.everyMs <= 0 || a.pages < 0)
        return std::nullopt;
    a.command.push_back(nullptr);
    return a;
}

long long PeakKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string word;
    long long value = 0;
    while (status >> word)
        if (word == "VmHWM:" && status >> value)
            return value;
    return 0;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The reader, started in a process group of its own so that all it starts ends with it.
struct Reader {
    pid_t pid = -1;

    bool Start(std::vector<char*>& command)
    {
        pid = fork();
        if (pid == 0) {
            setpgid(0, 0);
            dup2(2, 1);
            execvp(command[0], command.data());
            _exit(127);
        }
        if (pid > 0)
            setpgid(pid, pid);  // also here, so that Stop finds the group whoever runs first
        return pid > 0;
    }

    bool Running() { return waitpid(pid, nullptr, WNOHANG) == 0; }

    void Stop()
    {
        kill(-pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
};

// The middle of the screen, away from menus, tool bars and status lines; small enough to be
// taken often without slowing the reader much.
QRect TextArea(const QScreen& screen)
{
    QSize s = screen.geometry().size();
    return {s.width() * 3 / 10, s.height() / 4, s.width() * 4 / 10, s.height() / 2};
}

QImage Grab(QScreen& screen, const QRect& area)
{
    return screen.grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
}

void Save(QScreen& screen, const std::string& prefix, const char* what)
{
    if (!prefix.empty())
        screen.grabWindow(0).save(QString::fromStdString(prefix + "-" + what + ".png"));
}

void SendPageDowns(QScreen& screen, int pages)
{
    QPoint middle = screen.geometry().center();
    std::string move = "xdotool mousemove " + std::to_string(middle.x()) + " " + std::to_string(middle.y());
    std::system(move.c_str());
    for (int i = 0; i < pages; ++i) {
        std::system("xdotool key Next");
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
}

}  // namespace

int main(int argc, char** argv)
{
    std::optional<Arguments> args = Parse(argc, argv);
    if (!args) {
        std::fprintf(stderr, "usage: first_page_watch [--pages N] [--every MS] [--timeout S] "
                             "[--save PREFIX] -- COMMAND [ARGUMENTS...]\n");
        return 2;
    }
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    QScreen& screen = *QGuiApplication::primaryScreen();
    const QRect area = TextArea(screen);
    const QImage empty = Grab(screen, area);
    if (zeb::bench::ShowsTextPage(empty, QImage())) {
        std::fprintf(stderr, "first_page_watch: the screen shows text before the reader starts\n");
        return 1;
    }

    Reader reader;
    const Clock::time_point started = Clock::now();
    if (!reader.Start(args->command))
        return 1;
    const Clock::time_point deadline = started + std::chrono::seconds(args->timeoutS);
    std::optional<Clock::time_point> seen;
    QImage first;
    Clock::duration looking{};
    int pictures = 0;
    for (Clock::time_point tick = started; !seen && Clock::now() < deadline && reader.Running();) {
        tick += std::chrono::milliseconds(args->everyMs);
        std::this_thread::sleep_until(tick);
        // The picture shows the screen as it was when asked for: that is when the page was seen.
        Clock::time_point before = Clock::now();
        first = Grab(screen, area);
        if (zeb::bench::ShowsTextPage(first, empty))
            seen = before;
        looking += Clock::now() - before;
        ++pictures;
    }
    if (!seen) {
        Save(screen, args->save, "none");
        reader.Stop();
        std::fprintf(stderr, "first_page_watch: no page of text was seen\n");
        return 1;
    }
    std::printf("first-page-ms %.1f\n", Ms(*seen - started));
    std::printf("peak-kib-first %lld\n", PeakKiB(reader.pid));
    std::printf("picture-ms %.1f\n", Ms(looking) / pictures);
    if (!args->save.empty())
        first.save(QString::fromStdString(args->save + "-seen.png"));
    Save(screen, args->save, "first");
    SendPageDowns(screen, args->pages);
    std::printf("peak-kib-pages %lld\n", PeakKiB(reader.pid));
    std::printf("pages-turned %d\n", Grab(screen, area) != first ? args->pages : 0);
    Save(screen, args->save, "pages");
    reader.Stop();
    return 0;
}
