#include "app/TAA_Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <filesystem>
#include <utility>

#include "app/ColorRefQt.h"
#include "app/ContentsDialog.h"
#include "app/FindBar.h"
#include "app/MainToolbar.h"
#include "app/StatusFileArea.h"
#include "app/StatusGauge.h"
#include "app/TAA_About.h"
#include "app/TAA_Bookmarks.h"
#include "app/WindowPlacement.h"
#include "import/ui/TAA_Encode.h"
#include "library/FirstRunGuide.h"
#include "library/LibraryImport.h"
#include "import/ui/TAA_Progress.h"
#include "library/ZEBImport.h"
#include "library/ui/TAA_Browse.h"
#include "platform/Clock.h"
#include "platform/ZEBPrompter.h"
#include "platform/ui/HelpViewer.h"
#include "platform/ui/ScreenSaver.h"
#include "platform/ui/ShowWindow.h"
#include "platform/ui/ToolbarLook.h"
#include "render/ui/ReaderSurface.h"
#include "render/ui/TZEBScroll.h"
#include "settings/ApplySettings.h"
#include "settings/GlobalConfigFile.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

const char* const Caption = "ZEB Book Reader Professional 1.1";
const QString TitleSeparator = QStringLiteral(" \u2014 ");
constexpr int InitialWidth = 640, InitialHeight = 460;
constexpr int PointerCheckMs = 200;

// Date-time values in days, as the pointer check compares them.
double NowInDays()
{
    return double(QDateTime::currentMSecsSinceEpoch()) / 86'400'000.0;
}

}  // namespace

TAA_Main::TAA_Main(const std::string& folder, ZEBPrompter& prompter,
                   const CodePageProbed& probed)
    : TAA_Main(PathsInFolder(folder), prompter, probed)
{
}

TAA_Main::TAA_Main(ProgramPaths paths, ZEBPrompter& prompter, const CodePageProbed& probed)
    : paths_(std::move(paths)),
      prompter_(prompter),
      pointer_(QCursor::pos(), NowInDays())
{
    setWindowTitle(QString::fromLatin1(Caption));
    setMinimumSize(InitialWidth, InitialHeight);
    codepages_.BuildCatalogue(probed);
    importCodePage_ = codepages_.InitialImportCodePage();
    LoadSettings();
    CreateWidgets();
    CreateReader();
    restoredBounds_ = geometry();
    screenSaver_ = std::make_unique<ScreenSaver>();
    ConnectView();
    ConnectToolbar();
    ConnectOptions();
    pointerTimer_.setInterval(PointerCheckMs);
    connect(&pointerTimer_, &QTimer::timeout, this, &TAA_Main::PointerTick);
    CreateLibrary();
    about_ = new TAA_About(this);
    QCoreApplication::postEvent(this, new QEvent(QEvent::Type(ReaderStartEvent)));
}

TAA_Main::~TAA_Main()
{
    // Ending the timer processes events: a start message still waiting must not show a window
    // that is going away.
    firstShow_ = false;
    // The library window uses the reader and the import's dialogs, which go before it.
    delete library_;
    reader_->EndTimer();
}

void TAA_Main::LoadSettings()
{
    stored_ = InitialGlobalConfig(uint32_t(importCodePage_));
    std::error_code error;
    firstStart_ = !std::filesystem::exists(GlobalConfigPath(paths_.dataFolder), error);
    LoadGlobalConfig(GlobalConfigPath(paths_.dataFolder), Screen(), stored_);
    importCodePage_ = int32_t(stored_.ImportCodePage);
}

void TAA_Main::CreateWidgets()
{
    resize(InitialWidth, InitialHeight);
    CentreOnScreen(*this);

    toolbar_ = new MainToolbar(this);
    mainPanel_ = new QWidget(this);
    FillBackground(*mainPanel_, QColorOf(0xA4BBB8));
    view_ = new TZEBScroll(mainPanel_);
    auto* panelLayout = new QVBoxLayout(mainPanel_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(view_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar_);
    layout->addWidget(mainPanel_, 1);

    // The options panel lies over the view's bottom-left corner; hidden, it is 0 high.
    optionsPanel_ = new zeb::OptionsPanel(options_, busy_, this);
    optionsPanelHeight_ = optionsPanel_->DesignedSize().height();
    optionsPanel_->resize(optionsPanel_->DesignedSize().width(), 0);
    optionsPanel_->hide();
    // A large desktop font widens the panel; the window never cuts it off.
    setMinimumWidth(std::max(minimumWidth(), optionsPanel_->DesignedSize().width()));
    PlaceOptionsPanel();
    help_ = new HelpViewer(this);

}

// The reading of the book behind the view, and what it reports shown in the window.
void TAA_Main::CreateReader()
{
    surface_ = std::make_unique<ReaderSurface>(*view_, options_);
    reader_ = std::make_unique<BookReader>(options_, stored_.Settings, *surface_, *surface_, prompter_);
    surface_->SetEngine(&reader_->Engine());
    reader_->SetSaveSettings(
        [this] { SaveGlobalConfig(GlobalConfigPath(paths_.dataFolder), LiveConfig()); });
    findBar_ = new FindBar(mainPanel_);
    reader_->SetReports({.BookChanged = [this] { ShowBook(); },
                         .PositionChanged = [this] {
                             ShowGauge();
                             ShowTitle();
                         },
                         .Search = [this](FindInBook::Outcome outcome, double progress) {
                             findBar_->ShowOutcome(outcome, progress);
                         },
                         .ChaptersChanged = [this] { ShowTitle(); }});
    connect(findBar_, &FindBar::FindRequested, this,
            [this](const std::u16string& phrase, bool matchCase, BookSearch::Direction direction) {
                reader_->Find(phrase, matchCase, direction);
            });
    connect(findBar_, &FindBar::CancelRequested, this, [this] { reader_->CancelFind(); });
    connect(findBar_, &FindBar::Closed, view_, [this] { view_->setFocus(); });

    menu_ = new ReaderMenu(this);
    connect(menu_, &ReaderMenu::Triggered, this, &TAA_Main::RunCommand);
    menu_->Attach(view_);
    optionsPanel_->AttachMenu(*menu_);
}

void TAA_Main::CreateLibrary()
{
    importPreview_ = std::make_unique<TAA_Encode>(codepages_, this);
    importProgress_ = std::make_unique<TAA_Progress>(this);
    library_ = new TAA_Browse(ProgramImportFolders(paths_.dataFolder), *reader_, prompter_,
                              *importPreview_, *importProgress_, importCodePage_, this);
    chooseBook_ = [this] { return library_->Choose(*this); };
}

void TAA_Main::ConnectView()
{
    connect(view_, &TZEBScroll::WheelTurned, this, &TAA_Main::Wheel);
    connect(view_, &TZEBScroll::LeftPressed, this, [this](int y) { dragOriginY_ = y; });
    connect(view_, &TZEBScroll::LeftDragged, this, [this](int y) {
        reader_->Drag(y - dragOriginY_);
        dragOriginY_ = y;
    });
    connect(view_, &TZEBScroll::Resized, this, [this] { reader_->ViewResized(); });
    // Pictures made for the old ratio would be scaled: everything is drawn again for the new one.
    connect(view_, &TZEBScroll::PixelRatioChanged, this, [this] {
        options_.Notify({SettingsChanged, ProportionalLookChanged, FixedLookChanged, LayoutChanged});
    }, Qt::QueuedConnection);
    view_->installEventFilter(this);
}

// A touchpad reports pixels: the text follows the fingers at once. A wheel reports notches of
// 120 eighths of a degree (fine wheels send parts of one, summed here until they make one): an
// event with a notch or more is one line move, and one that comes while a move runs joins it.
void TAA_Main::Wheel(QPoint angleDelta, QPoint pixelDelta)
{
    if (!pixelDelta.isNull()) {
        reader_->ScrollBy(pixelDelta.y());
        return;
    }
    wheelEighths_ += angleDelta.y();
    if (wheelEighths_ <= -120)
        reader_->LineDown();
    else if (wheelEighths_ >= 120)
        reader_->LineUp();
    wheelEighths_ %= 120;
}

// X11 and Wayland hand over every repeat of a held key: a move key repeated while a move still
// runs is dropped, so the text stops as soon as the key is let go. The shortcut override keeps
// the menu's shortcut from taking the key first.
bool TAA_Main::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_ &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const std::optional<ReaderCommand> command = CommandOfKey(*key);
        if (key->isAutoRepeat() && command && IsMove(*command) && reader_->Moving()) {
            event->accept();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TAA_Main::ConnectToolbar()
{
    connect(toolbar_->OpenButton(), &QToolButton::clicked, this, [this] { OpenLibrary(); });
    connect(toolbar_->AutoScrollButton(), &QToolButton::clicked, this, [this](bool pressed) {
        if (pressed != options_.Settings().AutoScrollActive)
            reader_->ToggleAutoScroll();
    });
    connect(toolbar_->FormattingButton(), &QToolButton::clicked, this,
            [this](bool pressed) { reader_->ShowOriginal(pressed); });
    connect(toolbar_->OptionsButton(), &QToolButton::clicked, this,
            [this](bool pressed) { OptionsToggled(pressed); });
    connect(toolbar_->AddBookmarkButton(), &QToolButton::clicked, this,
            [this] { reader_->AddBookmark(); });
    bookmarks_ = new TAA_Bookmarks(reader_->Engine(), prompter_, this);
    contents_ = new ContentsDialog(*reader_, this);
    connect(toolbar_->BookmarksButton(), &QToolButton::clicked, this,
            [this] { ShowBookmarks(); });
    connect(toolbar_->MinimizeButton(), &QToolButton::clicked, this, [this] { showMinimized(); });
    connect(toolbar_->FullScreenButton(), &QToolButton::clicked, this, [this] { ToggleFullScreen(); });
    connect(toolbar_->ExitButton(), &QToolButton::clicked, this, [this] { close(); });
}

void TAA_Main::ShowGauge()
{
    toolbar_->Gauge()->Show(reader_->Gauge());
}

// As Linux programs name their document: the chapter being read, the book's source file, the
// program.
void TAA_Main::ShowTitle()
{
    QString title = QString::fromLatin1(Caption);
    if (const std::optional<BookSource> source = reader_->Source()) {
        if (!source->Name.empty())
            title = QString::fromStdU16String(source->Name) + TitleSeparator + title;
        if (const std::optional<size_t> chapter = reader_->CurrentChapter())
            title = QString::fromStdU16String(reader_->Chapters().List()[*chapter].Title)
                        .simplified() +
                    TitleSeparator + title;
    }
    if (title != windowTitle())
        setWindowTitle(title);
}

void TAA_Main::ShowContents()
{
    const std::optional<size_t> chosen = contents_->Choose();
    // The keys come back to the reader; without a window manager nobody else gives them back.
    activateWindow();
    view_->setFocus();
    if (chosen)
        reader_->GoToChapter(*chosen);
}

void TAA_Main::ShowBook()
{
    toolbar_->FileArea()->Show(reader_->Source());
    ShowTitle();
    // A book found damaged after it opened is closed under the dialog too.
    if (bookmarks_->isVisible())
        bookmarks_->Refill();
}

void TAA_Main::ConnectOptions()
{
    options_.SetHandler(SettingsChanged, [this] { OnSettingsChanged(); });
    options_.SetHandler(ProportionalLookChanged, [this] { optionsPanel_->ShowLook(ProportionalProfile); });
    options_.SetHandler(FixedLookChanged, [this] { optionsPanel_->ShowLook(FixedProfile); });
    options_.SetHandler(LayoutChanged, [this] { OnLayoutChanged(); });
    connect(optionsPanel_, &zeb::OptionsPanel::HelpRequested, this, [this] { ShowHelp(); });
    connect(optionsPanel_, &zeb::OptionsPanel::AboutRequested, this, [this] { ShowAbout(); });
}

void TAA_Main::RunCommand(ReaderCommand command)
{
    switch (command) {
    case ReaderCommand::PageUp: reader_->PageUp(); break;
    case ReaderCommand::PageDown: reader_->PageDown(); break;
    case ReaderCommand::LineUp: reader_->LineUp(); break;
    case ReaderCommand::LineDown: reader_->LineDown(); break;
    case ReaderCommand::GoToTop: reader_->GoToTop(); break;
    case ReaderCommand::GoToBottom: reader_->GoToBottom(); break;
    case ReaderCommand::ToggleAutoScroll: reader_->ToggleAutoScroll(); break;
    case ReaderCommand::ToggleTextMovement: reader_->ToggleTextMovement(); break;
    case ReaderCommand::Faster: reader_->Faster(+1); break;
    case ReaderCommand::Slower: reader_->Faster(-1); break;
    case ReaderCommand::FullScreen: ToggleFullScreen(); break;
    case ReaderCommand::Options:
        toolbar_->OptionsButton()->setChecked(!toolbar_->OptionsButton()->isChecked());
        OptionsToggled(toolbar_->OptionsButton()->isChecked());
        break;
    case ReaderCommand::Close: close(); break;
    case ReaderCommand::Help: ShowHelp(); break;
    case ReaderCommand::Find: findBar_->Open(); break;
    case ReaderCommand::FindNext: findBar_->FindAgain(BookSearch::Direction::Forward); break;
    case ReaderCommand::FindPrevious: findBar_->FindAgain(BookSearch::Direction::Backward); break;
    case ReaderCommand::Contents: ShowContents(); break;
    case ReaderCommand::NextChapter: reader_->NextChapter(); break;
    case ReaderCommand::PreviousChapter: reader_->PreviousChapter(); break;
    }
}

void TAA_Main::OptionsToggled(bool pressed)
{
    optionsPanel_->resize(optionsPanel_->DesignedSize().width(), pressed ? optionsPanelHeight_ : 0);
    // Hidden, its fields take neither the focus (Tab from the view) nor keys.
    optionsPanel_->setVisible(pressed);
    PlaceOptionsPanel();
    optionsPanel_->raise();
    view_->setFocus();
}

void TAA_Main::PlaceOptionsPanel()
{
    optionsPanel_->move(0, height() - optionsPanel_->height());
}

// The controls changed here are the program's doing, not the user's; a change that came from
// a panel control leaves the panel's fields as the user typed them.
void TAA_Main::OnSettingsChanged()
{
    const bool wasBusy = busy_;
    busy_ = true;
    const ReaderSettings& s = options_.Settings();
    reader_->SettingsChanged();
    screenSaver_->SetInhibited(s.AutoScrollActive);
    toolbar_->AutoScrollButton()->setChecked(s.AutoScrollActive);
    toolbar_->FormattingButton()->setChecked(s.TextFormatting == FormattingOriginal);
    optionsPanel_->Refresh(!wasBusy);
    FollowAutoScroll(s.AutoScrollActive);
    busy_ = wasBusy;
}

// The pointer check and the gauge's steps of the last second matter only while auto-scroll
// runs; a reader at rest wakes for nothing.
void TAA_Main::FollowAutoScroll(bool active)
{
    if (active == pointerTimer_.isActive())
        return;
    if (active) {
        pointerTimer_.start();
    } else {
        pointerTimer_.stop();
        PointerTick();
    }
}

void TAA_Main::OnLayoutChanged()
{
    reader_->LayoutChanged(devicePixelRatioF());
    FillBackground(*mainPanel_, QColorOf(ActiveProfile(options_.Settings()).BackColor));
}

void TAA_Main::customEvent(QEvent* event)
{
    if (int(event->type()) != ReaderStartEvent || !firstShow_)
        return;
    firstShow_ = false;
    FirstShow();
    reader_->RunLoop();
    if (closeRequested_)
        close();
}

void TAA_Main::FirstShow()
{
    ApplySettings(options_, stored_.Settings, true, nullptr);
    PlaceWindow();
    repaint();
    OpenLastBook();
}

void TAA_Main::PlaceWindow()
{
    WindowBounds b = PlacedBounds(stored_.Window, Screen());
    move(b.Left, b.Top);
    resize(b.Width, b.Height);
    if (stored_.Window.WindowMode == WindowFullScreen)
        ToggleFullScreen();
    else if (stored_.Window.WindowMode == WindowMaximized)
        showMaximized();
}

void TAA_Main::OpenLastBook()
{
    std::string path = stored_.LastBookFile;
    stored_.LastBookFile.clear();
    if (!startImport_.empty() && ImportAndRead(std::exchange(startImport_, {})))
        return;
    std::error_code error;
    if (!path.empty() && std::filesystem::exists(path, error)) {
        OpenBook(path);
        return;
    }
    if (firstStart_)
        AddGuideToEmptyLibrary(ProgramImportFolders(paths_.dataFolder), paths_.guideFile, prompter_);
    OpenLibrary();
}

// Imports file through the preview as the library does; true when a book came of it and is
// now open.
bool TAA_Main::ImportAndRead(const std::string& file)
{
    std::string first;
    LibraryImport(ProgramImportFolders(paths_.dataFolder), prompter_, *importPreview_,
                  *importProgress_)
        .Run({file}, importCodePage_, [&first](const std::string& book) {
            if (first.empty())
                first = book;
        });
    if (first.empty())
        return false;
    OpenBook(first);
    return true;
}

void TAA_Main::OpenLibrary()
{
    reader_->StopAutoScroll();
    std::string chosen = chooseBook_ ? chooseBook_() : std::string();
    // The keys come back to the reader; without a window manager nobody else gives them back.
    activateWindow();
    view_->setFocus();
    if (!chosen.empty())
        OpenBook(chosen);
    view_->update();
}

void TAA_Main::ShowBookmarks()
{
    std::optional<int32_t> chosen = bookmarks_->Choose();
    // The keys come back to the reader; without a window manager nobody else gives them back.
    activateWindow();
    view_->setFocus();
    if (chosen)
        reader_->GoTo(*chosen);
}

void TAA_Main::OpenBook(const std::string& path)
{
    // Opening closes the book before it, and with it the library's choice.
    library_->ForgetChosenBook();
    reader_->Open(path);
    // "Global.cfg" names the open book from now on, so that a crash or a power cut reopens it.
    if (reader_->OpenBook()) {
        try {
            SaveGlobalConfig(GlobalConfigPath(paths_.dataFolder), LiveConfig());
        } catch (const ZEBIOFailure&) {
            // The orderly close writes it again and reports a failure then.
        }
    }
}

void TAA_Main::ToggleFullScreen()
{
    busy_ = true;
    if (isFullScreen()) {
        showNormal();
        resize(restoredBounds_.size());
        move(restoredBounds_.topLeft());
    } else {
        restoredBounds_ = QRect(x(), y(), width(), height());
        // Without a window manager the full-screen request alone changes nothing: the window
        // covers the screen first (moving it afterwards would leave full screen again).
        // Under Wayland the compositor sizes it, and a size of our own would keep the full
        // frame from ever being shown.
        if (QScreen* s = screen(); s && !CompositorPlacesWindows())
            setGeometry(s->geometry());
        showFullScreen();
    }
    view_->setFocus();
    view_->update();
    busy_ = false;
    options_.Notify({SettingsChanged, ProportionalLookChanged, FixedLookChanged, LayoutChanged});
}

void TAA_Main::ShowAbout()
{
    about_->Show();
}

void TAA_Main::ShowHelp()
{
    if (isFullScreen())
        ToggleFullScreen();
    help_->ShowContents(paths_.helpFile);
}

void TAA_Main::EndSession()
{
    // A dialog in front would wait for an answer nobody is there to give.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog && dialog->isVisible())
            dialog->reject();
    }
    close();
}

void TAA_Main::closeEvent(QCloseEvent* event)
{
    // A close asked for while the first one saves (from a message it shows, or a signal) has
    // nothing left to do.
    if (closed_) {
        event->accept();
        return;
    }
    // Asked from inside the main loop: the loop is stopped, and the close is done once it has
    // returned, since waiting here for it would wait for ourselves.
    if (reader_->LoopRunning()) {
        closeRequested_ = true;
        reader_->StopLoop();
        event->ignore();
        return;
    }
    closed_ = true;
    reader_->StopAutoScroll();
    SaveState();
    reader_->EndTimer();
    screenSaver_->SetInhibited(false);
    help_->close();
    event->accept();
}

void TAA_Main::SaveState()
{
    std::string failures;
    try {
        SaveGlobalConfig(GlobalConfigPath(paths_.dataFolder), LiveConfig());
    } catch (const ZEBIOFailure& failure) {
        failures += failure.what();
    }
    try {
        reader_->SaveBookState();
    } catch (const ZEBIOFailure& failure) {
        failures += (failures.empty() ? "" : "\n") + std::string(failure.what());
    }
    if (!failures.empty())
        prompter_.Message(failures, "", PromptIcon::Error, PromptButtons::Ok);
}

GlobalConfig TAA_Main::LiveConfig() const
{
    GlobalConfig config;
    config.Settings = options_.Settings();
    config.Window.WindowMode = isFullScreen() ? WindowFullScreen
                             : isMaximized()  ? WindowMaximized
                                              : WindowNormal;
    // Where the compositor places windows, the place stored by the last X11 run stays.
    config.Window.Left = CompositorPlacesWindows() ? stored_.Window.Left : x();
    config.Window.Top = CompositorPlacesWindows() ? stored_.Window.Top : y();
    config.Window.Width = width();
    config.Window.Height = height();
    config.ImportCodePage = uint32_t(importCodePage_);
    // The book last asked for, even when it would not open: the next start tries it again.
    config.LastBookFile = reader_->BookPath();
    return config;
}

ScreenSize TAA_Main::Screen() const
{
    QScreen* s = screen();
    if (!s)
        return {InitialWidth, InitialHeight};
    return {s->geometry().width(), s->geometry().height()};
}

void TAA_Main::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    PlaceOptionsPanel();
}

void TAA_Main::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        reader_->StopAutoScroll();
}

void TAA_Main::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    view_->setFocus();
}

void TAA_Main::PointerTick()
{
    CheckPointer(QCursor::pos(), NowInDays());
    ShowGauge();
}

void TAA_Main::CheckPointer(QPoint position, double now)
{
    bool wasVisible = pointer_.Visible();
    bool visible = pointer_.Check(position, options_.Settings().AutoScrollActive, now);
    if (visible == wasVisible)
        return;
    if (visible)
        view_->unsetCursor();
    else
        view_->setCursor(Qt::BlankCursor);
}

}  // namespace zeb
