#include "app/TAA_Main.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <filesystem>
#include <utility>

#include "app/AutoScroll.h"
#include "app/ColorRefQt.h"
#include "app/FindBar.h"
#include "app/MainLibraryReader.h"
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
#include "render/QtMeasurer.h"
#include "render/RenderMetrics.h"
#include "render/ui/ReaderSurface.h"
#include "render/ui/TZEBScroll.h"
#include "settings/ApplySettings.h"
#include "settings/GlobalConfigFile.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

const char* const Caption = "ZEB Book Reader Professional 1.1";
constexpr int InitialWidth = 640, InitialHeight = 460;
constexpr int PointerCheckMs = 200;
constexpr int TextCheckPollMs = 20;

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
    restoredBounds_ = geometry();
    screenSaver_ = std::make_unique<ScreenSaver>();
    ConnectView();
    ConnectToolbar();
    ConnectOptions();
    connect(&pointerTimer_, &QTimer::timeout, this, &TAA_Main::PointerTick);
    pointerTimer_.start(PointerCheckMs);
    CreateLibrary();
    about_ = new TAA_About(this);
    QCoreApplication::postEvent(this, new QEvent(QEvent::Type(ReaderStartEvent)));
}

TAA_Main::~TAA_Main()
{
    // Ending the timer processes events: a start message still waiting must not show a window
    // that is going away.
    firstShow_ = false;
    // The library window uses the reader link and the import's dialogs, which go before it.
    delete library_;
    if (autoScroll_)
        autoScroll_->EndTimer();
    // The engine's lines cancel their requests in the queue it owns; the session goes first.
    session_.reset();
    scroller_.reset();
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

    surface_ = std::make_unique<ReaderSurface>(*view_, options_);
    engine_ = std::make_unique<ZEBRenderParag>(options_, *surface_, std::make_unique<QtMeasurer>(),
                                               raster_);
    surface_->SetEngine(engine_.get());
    surface_->SetPositionChanged([this] { toolbar_->Gauge()->update(); });
    session_ = std::make_unique<BookSession>(*engine_, options_, stored_.Settings, prompter_);
    session_->SetCheckTextLater(true);
    textCheckTimer_.setInterval(TextCheckPollMs);
    connect(&textCheckTimer_, &QTimer::timeout, this, [this] {
        session_->FinishTextCheck();
        if (session_->TextCheckPending())
            return;
        textCheckTimer_.stop();
        toolbar_->FileArea()->update();  // a damaged text closes the book
    });
    session_->SetSaveSettings(
        [this] { SaveGlobalConfig(GlobalConfigPath(paths_.dataFolder), LiveConfig()); });
    scroller_ = std::make_unique<ViewScroller>(*engine_, options_, *surface_, PreciseWait);
    autoScroll_ = std::make_unique<AutoScroll>(*engine_, options_, *scroller_, *surface_);
    finder_ = std::make_unique<FindInBook>(*engine_, *scroller_);
    findBar_ = new FindBar(*finder_, mainPanel_);
    connect(findBar_, &FindBar::Closed, view_, [this] { view_->setFocus(); });

    menu_ = new ReaderMenu([this](ReaderCommand command) { RunCommand(command); }, this);
    menu_->Attach(view_);
    optionsPanel_->AttachMenu(*menu_);
}

void TAA_Main::CreateLibrary()
{
    importPreview_ = std::make_unique<TAA_Encode>(codepages_, this);
    importProgress_ = std::make_unique<TAA_Progress>(this);
    libraryReader_ = std::make_unique<MainLibraryReader>(*engine_, *session_, prompter_);
    library_ = new TAA_Browse(ProgramImportFolders(paths_.dataFolder), *libraryReader_, prompter_,
                              *importPreview_, *importProgress_, importCodePage_, this);
    chooseBook_ = [this] { return library_->Choose(*this); };
}

void TAA_Main::ConnectView()
{
    view_->SetWheelHandler([this](QWheelEvent& event) {
        event.accept();
        if (event.angleDelta().y() < 0)
            scroller_->LineDown();
        else if (event.angleDelta().y() > 0)
            scroller_->LineUp();
    });
    view_->SetMouseDownHandler([this](QMouseEvent& event) {
        if (event.button() == Qt::LeftButton)
            dragOriginY_ = int(event.position().y());
    });
    view_->SetMouseMoveHandler([this](QMouseEvent& event) {
        if (event.buttons() & Qt::LeftButton)
            Drag(int(event.position().y()));
    });
    view_->SetResizeHandler([this] { ViewResized(); });
}

void TAA_Main::ConnectToolbar()
{
    connect(toolbar_->OpenButton(), &QToolButton::clicked, this, [this] { OpenLibrary(); });
    connect(toolbar_->AutoScrollButton(), &QToolButton::clicked, this, [this](bool pressed) {
        if (pressed != options_.Settings().AutoScrollActive)
            autoScroll_->Toggle();
    });
    connect(toolbar_->FormattingButton(), &QToolButton::clicked, this,
            [this](bool pressed) { FormattingToggled(pressed); });
    connect(toolbar_->OptionsButton(), &QToolButton::clicked, this,
            [this](bool pressed) { OptionsToggled(pressed); });
    connect(toolbar_->AddBookmarkButton(), &QToolButton::clicked, this, [this] { engine_->AddBookmark(); });
    bookmarks_ = new TAA_Bookmarks(*engine_, prompter_, this);
    connect(toolbar_->BookmarksButton(), &QToolButton::clicked, this,
            [this] { ShowBookmarks(); });
    connect(toolbar_->MinimizeButton(), &QToolButton::clicked, this, [this] { showMinimized(); });
    connect(toolbar_->FullScreenButton(), &QToolButton::clicked, this, [this] { ToggleFullScreen(); });
    connect(toolbar_->ExitButton(), &QToolButton::clicked, this, [this] { Close(); });
    toolbar_->Gauge()->SetReader([this] {
        return GaugeReading{GaugeTenths(*engine_), options_.Settings().SpeedMode,
                            autoScroll_->LastSecond()};
    });
    toolbar_->FileArea()->SetSource([this]() -> std::optional<BookSource> {
        if (!engine_->Book().IsOpen())
            return std::nullopt;
        return session_->Source();
    });
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
    case ReaderCommand::PageUp: scroller_->PageUp(); break;
    case ReaderCommand::PageDown: scroller_->PageDown(); break;
    case ReaderCommand::LineUp: scroller_->LineUp(); break;
    case ReaderCommand::LineDown: scroller_->LineDown(); break;
    case ReaderCommand::GoToTop: scroller_->GoToTop(); break;
    case ReaderCommand::GoToBottom: scroller_->GoToBottom(); break;
    case ReaderCommand::ToggleAutoScroll: autoScroll_->Toggle(); break;
    case ReaderCommand::ToggleTextMovement:
        options_.SetTextMovement(!options_.Settings().TextMovement);
        break;
    case ReaderCommand::Faster: Faster(+1); break;
    case ReaderCommand::Slower: Faster(-1); break;
    case ReaderCommand::FullScreen: ToggleFullScreen(); break;
    case ReaderCommand::Options:
        toolbar_->OptionsButton()->setChecked(!toolbar_->OptionsButton()->isChecked());
        OptionsToggled(toolbar_->OptionsButton()->isChecked());
        break;
    case ReaderCommand::Close: Close(); break;
    case ReaderCommand::Help: ShowHelp(); break;
    case ReaderCommand::Find: findBar_->Open(); break;
    case ReaderCommand::FindNext: findBar_->FindAgain(BookSearch::Direction::Forward); break;
    case ReaderCommand::FindPrevious: findBar_->FindAgain(BookSearch::Direction::Backward); break;
    }
}

// "+" and "-": the speed of the mode in use, by one within 1 .. 500.
void TAA_Main::Faster(int32_t by)
{
    const ReaderSettings& s = options_.Settings();
    int32_t value = s.SpeedMode ? s.LinesPerSecond : s.CharsPerSecond;
    if (by > 0 ? value >= SpeedRange.Max : value <= SpeedRange.Min)
        return;
    if (s.SpeedMode)
        options_.SetLinesPerSecond(value + by);
    else
        options_.SetCharsPerSecond(value + by);
}

// Pressed, the text shows as typed in the fixed-width font; released, the formatting from
// before the press comes back with the proportional font.
void TAA_Main::FormattingToggled(bool pressed)
{
    options_.BeginUpdate();
    if (pressed) {
        formattingBeforeOriginal_ = options_.Settings().TextFormatting;
        options_.SetTextFormatting(FormattingOriginal);
        options_.SetFontWidth(false);
    } else {
        options_.SetTextFormatting(formattingBeforeOriginal_);
        options_.SetFontWidth(true);
    }
    options_.EndUpdate();
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
    autoScroll_->UpdateRate();
    screenSaver_->SetInhibited(s.AutoScrollActive);
    toolbar_->AutoScrollButton()->setChecked(s.AutoScrollActive);
    toolbar_->FormattingButton()->setChecked(s.TextFormatting == FormattingOriginal);
    optionsPanel_->Refresh(!wasBusy);
    busy_ = wasBusy;
}

// Auto-scroll pauses while the text is laid out again with the new look.
void TAA_Main::OnLayoutChanged()
{
    const bool active = options_.Settings().AutoScrollActive;
    options_.SetAutoScrollActive(false);
    raster_.SetDevicePixelRatio(WholePixelRatio(*this));
    engine_->ApplyDisplaySettings();
    FillBackground(*mainPanel_, QColorOf(ActiveProfile(options_.Settings()).BackColor));
    options_.SetAutoScrollActive(active);
}

void TAA_Main::ViewResized()
{
    const bool active = options_.Settings().AutoScrollActive;
    options_.SetAutoScrollActive(false);
    engine_->ViewResized();
    options_.SetAutoScrollActive(active);
}

void TAA_Main::Drag(int pointerY)
{
    ViewAnchor anchor = engine_->CurrentAnchor();
    const ZEBBook& book = engine_->Book();
    int32_t position = DraggedPosition(anchor.Position, pointerY - dragOriginY_, book.TextStart(),
                                       book.TextEnd(), engine_->Metrics().ViewHeight);
    dragOriginY_ = pointerY;
    engine_->SetPosition(position, anchor.Y);
    view_->update();
}

void TAA_Main::customEvent(QEvent* event)
{
    if (int(event->type()) != ReaderStartEvent || !firstShow_)
        return;
    firstShow_ = false;
    FirstShow();
    autoScroll_->RunLoop();
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
    autoScroll_->Stop();
    std::string chosen = chooseBook_ ? chooseBook_() : std::string();
    // The keys come back to the reader; without a window manager nobody else gives them back.
    activateWindow();
    view_->setFocus();
    if (!chosen.empty())
        OpenBook(chosen);
    // The library may have deleted the open book.
    toolbar_->FileArea()->update();
    view_->update();
}

void TAA_Main::ShowBookmarks()
{
    std::optional<int32_t> chosen = bookmarks_->Choose();
    // The keys come back to the reader; without a window manager nobody else gives them back.
    activateWindow();
    view_->setFocus();
    if (!chosen)
        return;
    engine_->SetPosition(*chosen, 0);
    view_->update();
}

void TAA_Main::OpenBook(const std::string& path)
{
    // Opening closes the book before it, and with it the library's choice.
    library_->ForgetChosenBook();
    try {
        session_->OpenBook(path);
    } catch (const ZEBIOFailure& failure) {
        prompter_.Message(failure.what(), "", PromptIcon::Error, PromptButtons::Ok);
    }
    if (session_->TextCheckPending())
        textCheckTimer_.start();
    toolbar_->FileArea()->update();
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
        if (QScreen* s = screen())
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

void TAA_Main::Close()
{
    close();
}

void TAA_Main::closeEvent(QCloseEvent* event)
{
    // Asked from inside the main loop: the loop is stopped, and the close is done once it has
    // returned, since waiting here for it would wait for ourselves.
    if (autoScroll_->LoopRunning()) {
        closeRequested_ = true;
        autoScroll_->StopLoop();
        event->ignore();
        return;
    }
    autoScroll_->Stop();
    SaveState();
    autoScroll_->EndTimer();
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
        session_->SaveBookState();
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
    config.Window.Left = x();
    config.Window.Top = y();
    config.Window.Width = width();
    config.Window.Height = height();
    config.ImportCodePage = uint32_t(importCodePage_);
    // The book last asked for, even when it would not open: the next start tries it again.
    config.LastBookFile = session_->Path();
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
        autoScroll_->Stop();
}

void TAA_Main::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    view_->setFocus();
}

void TAA_Main::PointerTick()
{
    CheckPointer(QCursor::pos(), NowInDays());
    toolbar_->Gauge()->update();
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
