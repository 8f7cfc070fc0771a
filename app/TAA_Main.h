#pragma once

#include <functional>
#include <memory>
#include <string>

#include <QRect>
#include <QTimer>
#include <QWidget>

#include "app/OptionsPanel.h"
#include "app/PointerHider.h"
#include "app/ReaderCommands.h"
#include "import/ZEBCodepage.h"
#include "platform/ProgramPaths.h"
#include "reader/BookReader.h"
#include "settings/GlobalConfig.h"
#include "settings/ZEBOptions.h"

namespace zeb {

class ContentsDialog;
class FindBar;
class HelpViewer;
class MainToolbar;
class ReaderSurface;
class ScreenSaver;
class TAA_About;
class TAA_Bookmarks;
class TAA_Browse;
class TZEBScroll;
class ZEBImportPreview;
class ZEBProgress;
class ZEBPrompter;

// The private message that starts the first show and, inside its handler, the main loop.
constexpr int ReaderStartEvent = 1000 + 3000;  // QEvent::User + 3000

// The main reader window: the toolbar, the reader view, the options panel and the dialogs,
// wired to the reading of the open book; the settings and "Global.cfg", full screen, the
// pointer hidden while auto-scroll runs, and a shutdown that saves everything.
class TAA_Main : public QWidget {
    Q_OBJECT

public:
    // Told each code page number the catalogue has probed while the window is created, for
    // the start-up gauge.
    using CodePageProbed = std::function<void(int32_t codePage)>;

    // paths.dataFolder holds "Global.cfg", "Books" and "Tmp".
    TAA_Main(ProgramPaths paths, ZEBPrompter& prompter, const CodePageProbed& probed = {});
    // folder holds the data and the help file.
    TAA_Main(const std::string& folder, ZEBPrompter& prompter, const CodePageProbed& probed = {});
    ~TAA_Main() override;

    // Asked by "Open the Book" (and at first show without a last book) for the book to open;
    // an empty answer opens nothing. The library window answers it unless tests replace it.
    using BookChooser = std::function<std::string()>;
    void SetBookChooser(BookChooser chooser) { chooseBook_ = std::move(chooser); }
    // A book named on the command line opens at first show instead of the last one.
    void SetStartBook(const std::string& path) { stored_.LastBookFile = path; }
    // A text or an archive named on the command line is imported at first show, through the
    // preview, and the first book it gives is read.
    void SetStartImport(const std::string& path) { startImport_ = path; }

    void RunCommand(ReaderCommand command);
    void ToggleFullScreen();
    // The end of a session (a logout, a shutdown, a termination signal): dialogs in front are
    // dismissed, then the window closes the orderly way, saving everything.
    void EndSession();
    // Writes "Global.cfg", then the open book's state; each is tried whatever became of the
    // other, and a failure is reported.
    void SaveState();
    // The about box, shown modally.
    void ShowAbout();

    ZEBOptions& Options() { return options_; }
    BookReader& Reader() { return *reader_; }
    TZEBScroll* View() const { return view_; }
    TAA_Bookmarks* Bookmarks() const { return bookmarks_; }
    ContentsDialog* Contents() const { return contents_; }
    MainToolbar* Toolbar() const { return toolbar_; }
    zeb::OptionsPanel* OptionsPanel() const { return optionsPanel_; }
    HelpViewer* Help() const { return help_; }
    FindBar* Finder() const { return findBar_; }
    bool PointerVisible() const { return pointer_.Visible(); }
    // The pointer check the window runs every 200 ms, for tests that bring their own clock.
    void CheckPointer(QPoint position, double now);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void customEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateWidgets();
    void CreateReader();
    void CreateLibrary();
    void ConnectToolbar();
    void ConnectOptions();
    void ConnectView();
    void LoadSettings();
    void FirstShow();
    void PlaceWindow();
    void OpenLastBook();
    bool ImportAndRead(const std::string& file);
    void OpenLibrary();
    void ShowBookmarks();
    void OpenBook(const std::string& path);
    void ShowHelp();
    void OptionsToggled(bool pressed);
    void PlaceOptionsPanel();
    void OnSettingsChanged();
    void FollowAutoScroll(bool active);
    void OnLayoutChanged();
    void Wheel(QPoint angleDelta, QPoint pixelDelta);
    void PointerTick();
    void ShowGauge();
    void ShowBook();
    void ShowTitle();
    void ShowContents();
    GlobalConfig LiveConfig() const;
    ScreenSize Screen() const;

    ProgramPaths paths_;
    ZEBPrompter& prompter_;
    ZEBOptions options_;
    GlobalConfig stored_;
    ZEBCodepage codepages_;
    int32_t importCodePage_ = 0;
    int dragOriginY_ = 0;
    int wheelEighths_ = 0;  // of a notch not yet turned into a line move
    bool firstShow_ = true;
    bool firstStart_ = false;  // no "Global.cfg" was there
    std::string startImport_;
    bool busy_ = false;
    bool closeRequested_ = false;
    bool closed_ = false;  // the orderly close has begun
    QRect restoredBounds_;
    int optionsPanelHeight_ = 0;
    PointerHider pointer_;

    MainToolbar* toolbar_ = nullptr;
    QWidget* mainPanel_ = nullptr;
    TZEBScroll* view_ = nullptr;
    zeb::OptionsPanel* optionsPanel_ = nullptr;
    HelpViewer* help_ = nullptr;
    ReaderMenu* menu_ = nullptr;
    QTimer pointerTimer_;

    std::unique_ptr<ReaderSurface> surface_;
    std::unique_ptr<BookReader> reader_;
    std::unique_ptr<ScreenSaver> screenSaver_;
    FindBar* findBar_ = nullptr;
    std::unique_ptr<ZEBImportPreview> importPreview_;
    std::unique_ptr<ZEBProgress> importProgress_;
    TAA_Browse* library_ = nullptr;
    TAA_About* about_ = nullptr;
    TAA_Bookmarks* bookmarks_ = nullptr;
    ContentsDialog* contents_ = nullptr;
    BookChooser chooseBook_;
};

}  // namespace zeb
