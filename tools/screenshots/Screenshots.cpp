// Takes the README's pictures of the reader's windows on the display it runs on (a virtual one:
// see scripts/screenshots.sh): the options panel over a page, the bookmarks dialog with a few
// bookmarks, the go-to-percent dialog, the about box, the help window (showing the help file
// beside zebshots) and the splash window.
// Usage: zebshots OUTFOLDER TEXT
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include <QApplication>
#include <QTimer>
#include <QToolButton>

#include "reader/AutoScroll.h"
#include "app/MainToolbar.h"
#include "app/TAA_Main.h"
#include "app/TAA_Splash.h"
#include "import/ConvertTextToBook.h"
#include "import/ZEBImportPreview.h"
#include "import/ZEBProgress.h"
#include "platform/CodePages.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramPaths.h"
#include "platform/TempDir.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/QtPrompter.h"
#include "settings/GlobalConfigFile.h"

namespace {

using namespace zeb;
namespace fs = std::filesystem;

std::string outFolder;

void Save(QWidget* widget, const char* name)
{
    const std::string path = (fs::path(outFolder) / name).string();
    if (!widget || !widget->grab().save(QString::fromStdString(path)))
        std::fprintf(stderr, "zebshots: could not take %s\n", name);
    else
        std::printf("%s\n", path.c_str());
}

// Runs then once the events in between are handled and the windows painted.
void Later(const std::function<void()>& then)
{
    QTimer::singleShot(400, then);
}

// The modal dialog that opens next, once it shows: saved, then closed with Escape's answer.
void SaveNextDialog(const char* name, const std::function<void()>& more = {})
{
    Later([name, more] {
        QWidget* dialog = QApplication::activeModalWidget();
        Save(dialog, name);
        if (more)
            more();
        else if (dialog)
            dialog->close();
    });
}

QToolButton* ButtonWithHint(QWidget* in, const char* hint)
{
    for (QToolButton* button : in->findChildren<QToolButton*>())
        if (button->toolTip() == QString::fromLatin1(hint))
            return button;
    return nullptr;
}

void TakeReaderPictures(TAA_Main& window)
{
    for (int i = 0; i < 5; ++i) {
        for (int page = 0; page < 7 * i + 2; ++page)
            window.RunCommand(ReaderCommand::PageDown);
        window.Toolbar()->AddBookmarkButton()->click();
    }
    window.RunCommand(ReaderCommand::GoToTop);
    window.RunCommand(ReaderCommand::Options);
    Later([&window] {
        Save(&window, "options.png");
        window.RunCommand(ReaderCommand::Options);
        SaveNextDialog("bookmarks.png", [] {
            QWidget* bookmarks = QApplication::activeModalWidget();
            SaveNextDialog("percent.png", [bookmarks] {
                QApplication::activeModalWidget()->close();
                Later([bookmarks] { bookmarks->close(); });
            });
            if (QToolButton* custom = ButtonWithHint(bookmarks, "Goto to the Custom Position"))
                custom->click();
        });
        window.Toolbar()->BookmarksButton()->click();
        SaveNextDialog("about.png");
        window.ShowAbout();
        window.RunCommand(ReaderCommand::Help);
        Later([&window] {
            Save(window.Help(), "help.png");
            window.close();
        });
    });
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: zebshots OUTFOLDER TEXT\n");
        return 2;
    }
    QApplication app(argc, argv);
    outFolder = argv[1];
    fs::create_directories(outFolder);

    TAA_Splash splash;
    splash.ShowAtOnce();
    splash.SetProgress(splash.StripWidth() * 5 / 8);
    Save(&splash, "splash.png");
    splash.close();

    TempDir folder;
    fs::create_directory(folder.Path() / "Books");
    const std::string book = (folder.Path() / "Books" / "00000000.book").string();
    QtPrompter prompter;
    ZEBImportWithoutPreview preview(Utf8CodePage);
    ZEBNoProgress progress;
    int32_t codePage = Utf8CodePage;
    if (!ConvertTextToBook(argv[2], book, codePage, preview, progress, prompter))
        return 1;
    GlobalConfig config = InitialGlobalConfig(Utf8CodePage);
    config.Window = {WindowNormal, 40, 40, 1000, 660};
    config.LastBookFile = book;
    SaveGlobalConfig(GlobalConfigPath(folder.Path().string()), config);
    // The data in the folder, the help page the one beside the program.
    ProgramPaths paths = PathsInFolder(folder.Path().string());
    paths.helpFile = HelpFilePath(ProgramFolder());
    TAA_Main window(paths, prompter);
    std::function<void()> whenReading = [&] {
        if (!window.Reader().LoopRunning())
            QTimer::singleShot(20, whenReading);
        else
            Later([&] { TakeReaderPictures(window); });
    };
    QTimer::singleShot(0, whenReading);
    window.show();
    return app.exec();
}
