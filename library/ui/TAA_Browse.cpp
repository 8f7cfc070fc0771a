#include "library/ui/TAA_Browse.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "library/ArchiveFormats.h"
#include "library/BrowseEntry.h"
#include "library/LibraryBooks.h"
#include "library/LibraryReader.h"
#include "library/ui/BrowseCells.h"
#include "library/ui/BrowseToolbar.h"
#include "library/ui/TZEBBrowse.h"
#include "platform/Clock.h"
#include "platform/ZEBPrompter.h"
#include "platform/ui/ToolbarLook.h"
#include "storage/ZEBBookRecovery.h"

namespace zeb {

namespace {

constexpr int InitialWidth = 640, InitialHeight = 470;
constexpr int MinimumWidth = 320, MinimumHeight = 240;
constexpr int ScrollBarWidth = 17;
constexpr double WheelPause = 0.01;  // seconds between two wheel messages that act

// A file pattern that matches its extension in any case, as the original platform's did.
QString AnyCase(const QString& pattern)
{
    QString result;
    for (QChar c : pattern)
        result += c.isLetter() ? QStringLiteral("[%1%2]").arg(c.toUpper(), c.toLower()) : QString(c);
    return result;
}

QStringList ImportFilters()
{
    QStringList patterns;
    for (const std::string& p : ImportFilterPatterns())
        patterns << AnyCase(QString::fromStdString(p));
    return {QString::fromStdString(ImportFilterName()) + " (" + patterns.join(' ') + ')',
            QStringLiteral("Any files (*)")};
}

std::vector<std::string> LocalFiles(const QMimeData& data)
{
    std::vector<std::string> files;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            files.push_back(url.toLocalFile().toStdString());
    return files;
}

}  // namespace

TAA_Browse::TAA_Browse(ImportFolders folders, LibraryReader& reader, ZEBPrompter& prompter,
                       ZEBImportPreview& preview, ZEBProgress& progress, int32_t& importCodePage,
                       QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      folders_(folders),
      reader_(reader),
      prompter_(prompter),
      progress_(progress),
      importCodePage_(importCodePage),
      import_(std::move(folders), prompter, preview, progress),
      clock_(PerformanceCounter),
      secondsPerCount_(1.0 / double(CounterFrequency))
{
    setWindowTitle(QStringLiteral("Library"));
    resize(InitialWidth, InitialHeight);
    setMinimumSize(MinimumWidth, MinimumHeight);
    setAcceptDrops(true);
    CreateWidgets();
    ConnectList();
    ConnectToolbar();
}

void TAA_Browse::CreateWidgets()
{
    toolbar_ = new BrowseToolbar(this);
    auto* panel = new QWidget(this);
    FillBackground(*panel, ToolbarColor);
    browse_ = new TZEBBrowse(panel);
    browse_->setFont(BrowseFont());
    scrollBar_ = new QScrollBar(Qt::Vertical, panel);
    scrollBar_->setFixedWidth(ScrollBarWidth);
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    scrollBar_->hide();

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(browse_, 1);
    row->addWidget(scrollBar_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(toolbar_);
    column->addWidget(panel, 1);
}

void TAA_Browse::ConnectList()
{
    connect(browse_, &TZEBBrowse::Painting, this, &TAA_Browse::Paint);
    connect(browse_, &TZEBBrowse::LeftPressed, this, [this](int y) {
        view_.Press(y);
        Repaint();
    });
    // The press of a double click selects, like any press, before the book is read.
    connect(browse_, &TZEBBrowse::LeftDoubleClicked, this, [this](int y) {
        view_.Press(y);
        ReadBook();
    });
    connect(browse_, &TZEBBrowse::WheelTurned, this, &TAA_Browse::Wheel);
    connect(browse_, &TZEBBrowse::KeyPressed, this, &TAA_Browse::KeyPressed);
    connect(browse_, &TZEBBrowse::Resized, this, &TAA_Browse::Repaint);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int position) {
        int32_t top = view_.Top();
        view_.SetScrollPosition(position);
        if (view_.Top() != top)
            browse_->update();
    });
}

void TAA_Browse::ConnectToolbar()
{
    connect(toolbar_->ImportButton(), &QToolButton::clicked, this, [this] { ImportClicked(); });
    connect(toolbar_->ReadButton(), &QToolButton::clicked, this, [this] { ReadBook(); });
    connect(toolbar_->DeleteButton(), &QToolButton::clicked, this, [this] { DeleteBook(); });
    connect(toolbar_->DeleteAllButton(), &QToolButton::clicked, this,
            [this] { DeleteAllBooks(); });
    connect(toolbar_->CloseButton(), &QToolButton::clicked, this, [this] { reject(); });
}

std::string TAA_Browse::Choose(const QWidget& mainWindow)
{
    // The bounds first: without a window manager a state alone moves nothing.
    setGeometry(mainWindow.geometry());
    setWindowState(mainWindow.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
    return exec() == QDialog::Accepted ? chosen_ : std::string();
}

void TAA_Browse::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    PrepareShow();
    // The list takes the keys at once, also where no window manager hands the focus over; and
    // again once the window is on the screen, since asking before it is mapped may go
    // unheard on a loaded machine, the keys then going to the main window behind.
    TakeTheKeys();
    takeKeysWhenPainted_ = true;
    Repaint();
}

void TAA_Browse::TakeTheKeys()
{
    activateWindow();
    browse_->setFocus();
}

void TAA_Browse::PrepareShow()
{
    view_.Reset();
    lineHeight_ = BrowseLineHeight(browse_->font());
    view_.SetCellHeight(BrowseCellHeight(lineHeight_));
    scrollBar_->setSingleStep(view_.CellHeight());
    if (!firstShow_)
        return;
    firstShow_ = false;
    LoadLibrary(folders_, list_, reader_, progress_);
}

void TAA_Browse::Repaint()
{
    UpdateScrollBar();
    browse_->update();
}

void TAA_Browse::UpdateScrollBar()
{
    view_.SetViewHeight(browse_->height());
    const int32_t range = view_.ScrollRange();
    const int32_t viewHeight = view_.ViewHeight();
    scrollBar_->setVisible(range > viewHeight);
    scrollBar_->setPageStep(std::max(1, viewHeight));
    scrollBar_->setRange(0, std::max(0, range - viewHeight));
    scrollBar_->setValue(view_.ScrollPosition());
}

void TAA_Browse::Paint(QPainter& painter)
{
    if (std::exchange(takeKeysWhenPainted_, false))
        QMetaObject::invokeMethod(this, &TAA_Browse::TakeTheKeys, Qt::QueuedConnection);
    painter.setFont(browse_->font());
    view_.SetViewHeight(browse_->height());
    view_.KeepSelectionVisible();
    PaintBrowseCells(painter, list_, view_, browse_->width(), lineHeight_);
}

void TAA_Browse::KeyPressed(QKeyEvent* event)
{
    event->accept();
    switch (event->key()) {
    case Qt::Key_Up: view_.SelectPrevious(); break;
    case Qt::Key_Down: view_.SelectNext(); break;
    case Qt::Key_PageUp: view_.PageUp(); break;
    case Qt::Key_PageDown: view_.PageDown(); break;
    case Qt::Key_Home: view_.Home(); break;
    case Qt::Key_End: view_.End(); break;
    case Qt::Key_Delete: DeleteBook(); return;
    case Qt::Key_Return:
    case Qt::Key_Enter: ReadBook(); return;
    case Qt::Key_Escape: reject(); return;
    default: event->ignore(); return;
    }
    Repaint();
}

// Wheels and touchpads send bursts of messages: one that follows the last within a hundredth
// of a second does not move the selection again.
void TAA_Browse::Wheel(QPoint angleDelta)
{
    const int64_t now = clock_();
    const double since = double(now - lastWheel_) * secondsPerCount_;
    lastWheel_ = now;
    if (since <= WheelPause)
        return;
    const int delta = angleDelta.y();
    if (delta < 0)
        view_.SelectNext();
    else if (delta > 0)
        view_.SelectPrevious();
    Repaint();
}

void TAA_Browse::ReadBook()
{
    int32_t selected = list_.FirstSelected();
    if (selected < 0)
        return;
    chosen_ = list_[selected].bookPath;
    accept();
}

void TAA_Browse::DeleteBook()
{
    if (list_.FirstSelected() < 0)
        return;
    if (prompter_.Message(DeleteBookQuestion, "", PromptIcon::Question, PromptButtons::YesNo) !=
        PromptAnswer::Yes)
        return;
    ZEBBrowseFileObject* successor = nullptr;
    std::vector<ZEBBrowseFileObject*> doomed;
    for (int32_t i = 0; i < list_.Count(); ++i) {
        if (!list_[i].selected)
            continue;
        doomed.push_back(&list_[i]);
        if (!successor)
            successor = Successor(i);
    }
    for (ZEBBrowseFileObject* entry : doomed) {
        RemoveBookFile(entry->bookPath);
        list_.Remove(entry->index);
    }
    if (successor)
        list_.SelectOnly(successor->index);
    Repaint();
}

ZEBBrowseFileObject* TAA_Browse::Successor(int32_t index)
{
    for (int32_t i = index + 1; i < list_.Count(); ++i)
        if (!list_[i].selected)
            return &list_[i];
    for (int32_t i = index - 1; i >= 0; --i)
        if (!list_[i].selected)
            return &list_[i];
    return nullptr;
}

void TAA_Browse::DeleteAllBooks()
{
    if (list_.Empty())
        return;
    if (prompter_.Message(DeleteAllBooksQuestion, "", PromptIcon::Question,
                          PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    for (int32_t i = 0; i < list_.Count(); ++i)
        RemoveBookFile(list_[i].bookPath);
    list_.Clear();
    view_.Reset();
    Repaint();
}

void TAA_Browse::RemoveBookFile(const std::string& path)
{
    if (IsOpenBook(reader_, path)) {
        reader_.CloseBook();
        chosen_.clear();
    }
    std::error_code error;
    std::filesystem::remove(path, error);
    ZEBBookRecovery(path, {}).Discard();
}

void TAA_Browse::ImportClicked()
{
    std::vector<std::string> files = chooseFiles_ ? chooseFiles_() : ChooseFilesInDialog();
    if (!files.empty())
        ImportFiles(files);
}

std::vector<std::string> TAA_Browse::ChooseFilesInDialog()
{
    QFileDialog dialog(this);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(ImportFilters());
    // The patterns spell out every case; the names say enough.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    std::vector<std::string> files;
    if (dialog.exec() == QDialog::Accepted)
        for (const QString& file : dialog.selectedFiles())
            files.push_back(file.toStdString());
    return files;
}

void TAA_Browse::ImportFiles(const std::vector<std::string>& files)
{
    import_.Run(files, importCodePage_, [this](const std::string& book) {
        if (auto entry = LoadBrowseEntry(book, reader_))
            list_.Insert(std::move(entry));
        UpdateScrollBar();
        browse_->repaint();
    });
    Repaint();
}

void TAA_Browse::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData() && !LocalFiles(*event->mimeData()).empty())
        event->acceptProposedAction();
}

void TAA_Browse::dropEvent(QDropEvent* event)
{
    std::vector<std::string> files = LocalFiles(*event->mimeData());
    if (files.empty())
        return;
    event->acceptProposedAction();
    // The drop returns at once: the file manager's drag is not held for the whole import.
    QMetaObject::invokeMethod(
        this, [this, files = std::move(files)] { ImportFiles(files); }, Qt::QueuedConnection);
}

}  // namespace zeb
