// The library window's first show on 1,000 books made by the program's own converter: the time
// from show to the painted list, the time the list takes to load alone, and the heap the loaded
// list holds. The books are made once and kept in the temporary folder for later runs.
// Run: build/bench/library_bench   (on the offscreen platform unless QT_QPA_PLATFORM is set)
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <QApplication>
#include <QElapsedTimer>

#include "BenchSupport.h"
#include "BookGenerator.h"
#include "import/ZEBImportPreview.h"
#include "import/ZEBProgress.h"
#include "library/LibraryBooks.h"
#include "library/LibraryReader.h"
#include "library/ZEBBrowseFile.h"
#include "library/ZEBImport.h"
#include "library/ui/TAA_Browse.h"
#include "library/ui/TZEBBrowse.h"
#include "platform/ZEBPrompter.h"

namespace {

namespace fs = std::filesystem;

constexpr int BookCount = 1000;
constexpr int64_t TextBytes = 12 * 1024;

class NoBookOpen : public zeb::LibraryReader {
public:
    zeb::ZEBBook* OpenBook() override { return nullptr; }
    void CloseBook() override {}
};

// Tells when the list has been painted.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

fs::path CachedLibrary(zeb::ZEBPrompter& prompter)
{
    fs::path program = fs::temp_directory_path() / "zeb-library-bench-1000";
    fs::path books = program / "Books";
    fs::create_directories(books);
    if (zeb::BookFileNames(books.string()).size() == size_t(BookCount))
        return program;
    std::printf("making %d books of %lld bytes of text in %s ...\n", BookCount,
                static_cast<long long>(TextBytes), books.c_str());
    for (int i = 0; i < BookCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "%08d.book", i);
        fs::path path = books / name;
        if (!fs::exists(path))
            zeb::bench::GenerateBook(path.string(), TextBytes + 37 * i, prompter);
    }
    return program;
}

size_t HeapInUse()
{
    return mallinfo2().uordblks;
}

double Milliseconds(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    zeb::bench::ReportingPrompter prompter;
    const fs::path program = CachedLibrary(prompter);
    const zeb::ImportFolders folders = zeb::ProgramImportFolders(program.string());
    NoBookOpen reader;
    zeb::ZEBNoProgress progress;

    // The list alone, and what it holds on the heap once loaded.
    const size_t before = HeapInUse();
    QElapsedTimer loadTimer;
    loadTimer.start();
    auto list = std::make_unique<zeb::ZEBBrowseFile>();
    zeb::LoadLibrary(folders, *list, reader, progress);
    const double loadMs = Milliseconds(loadTimer);
    const size_t held = HeapInUse() - before;
    const int32_t loaded = list->Count();
    list.reset();

    // The window: show until the list has been painted.
    zeb::ZEBImportWithoutPreview preview(65001);
    int32_t codePage = 65001;
    zeb::TAA_Browse window(folders, reader, prompter, preview, progress, codePage);
    PaintWatch watch;
    window.Browse()->installEventFilter(&watch);
    QElapsedTimer showTimer;
    showTimer.start();
    window.show();
    while (!watch.painted && showTimer.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double showMs = Milliseconds(showTimer);

    std::printf("books loaded:               %d of %d\n", loaded, BookCount);
    std::printf("list load alone:            %.1f ms\n", loadMs);
    std::printf("first show to painted list: %.1f ms (goal < 1000 ms)%s\n", showMs,
                watch.painted ? "" : "  NOT PAINTED");
    std::printf("heap held by the list:      %zu bytes (%.0f bytes a book)\n", held,
                loaded ? double(held) / loaded : 0.0);
    return watch.painted && window.List().Count() == BookCount ? 0 : 1;
}
