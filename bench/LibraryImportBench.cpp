// Import of a generated 50 MB UTF-8 text from the library window, the preview answered with
// its "Import" button, against the command-line import of the same file (zebtool import, a
// child process). The window's figure runs from the press on "Import" to the book in the
// list; the progress bar's distinct positions show that it moved throughout. Each figure is
// the best of three runs, the two imports taking turns. Goal: within 10 % of the command line.
// Run: xvfb-run -a build/bench/library_import_bench [megabytes, default 50]
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "BenchSupport.h"
#include "BookGenerator.h"
#include "import/ZEBCodepage.h"
#include "import/ui/TAA_Encode.h"
#include "import/ui/TAA_Progress.h"
#include "library/LibraryReader.h"
#include "library/ZEBBrowseFile.h"
#include "library/ZEBImport.h"
#include "library/ui/TAA_Browse.h"
#include "platform/CodePages.h"
#include "platform/TempDir.h"
#include "platform/ZEBPrompter.h"

namespace {

using namespace zeb;
namespace fs = std::filesystem;

constexpr int Runs = 3;

class NoBookOpen : public LibraryReader {
public:
    ZEBBook* OpenBook() override { return nullptr; }
    void CloseBook() override {}
};

// Every position the bar is painted at.
class BarWatch : public QObject {
public:
    explicit BarWatch(const QProgressBar& bar) : bar_(bar) {}
    std::set<int> positions;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            positions.insert(bar_.value());
        return false;
    }

private:
    const QProgressBar& bar_;
};

void EmptyFolder(const fs::path& folder)
{
    fs::remove_all(folder);
    fs::create_directories(folder);
}

double CommandLineSeconds(const std::string& zebtool, const std::string& text,
                          const fs::path& books)
{
    EmptyFolder(books);
    QElapsedTimer timer;
    timer.start();
    pid_t child = fork();
    if (child == 0) {
        execl(zebtool.c_str(), zebtool.c_str(), "import", "--codepage", "65001", text.c_str(),
              books.c_str(), nullptr);
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "zebtool import failed\n");
    return double(timer.nsecsElapsed()) / 1e9;
}

struct WindowRun {
    double seconds = 0;
    size_t barPositions = 0;
};

WindowRun LibrarySeconds(TAA_Browse& library, TAA_Encode& preview, const TAA_Progress& progress,
                         const std::string& text, const fs::path& books)
{
    EmptyFolder(books);
    WindowRun run;
    BarWatch watch(progress.Bar());
    const_cast<QProgressBar&>(progress.Bar()).installEventFilter(&watch);
    QElapsedTimer timer;
    // Presses "Import" once the preview is up; the conversion runs inside that press.
    std::function<void()> answer = [&] {
        QPushButton* import = nullptr;
        for (QPushButton* button : preview.findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("Import"))
                import = button;
        if (!preview.isVisible() || !import) {
            QTimer::singleShot(10, answer);
            return;
        }
        timer.start();
        import->click();
    };
    QTimer::singleShot(10, answer);
    const int32_t before = library.List().Count();
    library.ImportFiles({text});
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    run.barPositions = watch.positions.size();
    if (library.List().Count() != before + 1)
        std::fprintf(stderr, "the book did not reach the list\n");
    return run;
}

}  // namespace

int main(int argc, char** argv)
{
    const int64_t megabytes = argc > 1 ? std::atoll(argv[1]) : 50;
    const std::string zebtool =
        (fs::canonical("/proc/self/exe").parent_path().parent_path() / "tools" / "zebtool").string();
    QApplication app(argc, argv);
    TempDir folder;
    const std::string text = (folder.Path() / "prose.txt").string();
    std::fprintf(stderr, "writing %lld MB of text ...\n", static_cast<long long>(megabytes));
    bench::WriteText(text, megabytes * 1'000'000);
    const fs::path program = folder.Path() / "program";
    const ImportFolders folders = ProgramImportFolders(program.string());
    fs::create_directories(folders.scratch);

    bench::ReportingPrompter prompter;
    NoBookOpen reader;
    ZEBCodepage catalogue;
    catalogue.BuildCatalogue();
    QWidget mainWindow;
    mainWindow.resize(1280, 800);
    mainWindow.show();
    TAA_Encode preview(catalogue, &mainWindow);
    TAA_Progress progress(&mainWindow);
    int32_t codePage = Utf8CodePage;
    TAA_Browse library(folders, reader, prompter, preview, progress, codePage, &mainWindow);

    double bestTool = 1e9;
    WindowRun bestWindow{1e9, 0};
    for (int run = 0; run < Runs; ++run) {
        bestTool = std::min(bestTool, CommandLineSeconds(zebtool, text, folders.books));
        WindowRun window = LibrarySeconds(library, preview, progress, text, folders.books);
        if (window.seconds < bestWindow.seconds)
            bestWindow = window;
    }
    std::printf("command line (zebtool import): %.2f s\n", bestTool);
    std::printf("library window, from \"Import\": %.2f s (%+.1f %%, goal within 10 %%)\n",
                bestWindow.seconds, 100.0 * (bestWindow.seconds / bestTool - 1));
    std::printf("progress bar painted at %zu distinct positions\n", bestWindow.barPositions);
    return 0;
}
