#include "app/TAA_Bookmarks.h"

#include <QAction>
#include <QHeaderView>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/BookmarkTextColumn.h"
#include "app/BookmarksToolbar.h"
#include "app/TAA_Percent.h"
#include "platform/ZEBPrompter.h"
#include "platform/ui/ShowWindow.h"
#include "render/ZEBRenderParag.h"
#include "storage/TextPlace.h"

namespace zeb {

namespace {

constexpr int InitialWidth = 640, InitialHeight = 460;
constexpr int MinimumWidth = 320, MinimumHeight = 240;
constexpr int TextColumnWidth = 1280;
const QColor ListColor(0xD1, 0xD3, 0xC5);

}  // namespace

TAA_Bookmarks::TAA_Bookmarks(ZEBRenderParag& engine, ZEBPrompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      engine_(engine),
      prompter_(prompter)
{
    setWindowTitle(QStringLiteral("Bookmarks"));
    resize(InitialWidth, InitialHeight);
    setMinimumSize(MinimumWidth, MinimumHeight);
    CentreOnScreen(*this);
    percent_ = new TAA_Percent(this);
    CreateWidgets();
    CreateCommands();
    ConnectToolbar();
}

void TAA_Bookmarks::CreateWidgets()
{
    toolbar_ = new BookmarksToolbar(this);
    list_ = new QTreeWidget(this);
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("Position"), QStringLiteral("Text")});
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionsMovable(false);
    list_->header()->resizeSection(1, TextColumnWidth);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setItemDelegateForColumn(1, new BookmarkTextColumn(*list_));
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Base, ListColor);
    list_->setPalette(palette);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(toolbar_);
    column->addWidget(list_, 1);
}

// The list's popup menu; its keys work while the list has the focus.
void TAA_Bookmarks::CreateCommands()
{
    struct Command {
        const char* caption;
        QList<QKeySequence> keys;
        void (TAA_Bookmarks::*run)();
    };
    const Command commands[] = {
        {"Add Bookmark", {Qt::Key_Return, Qt::Key_Enter}, &TAA_Bookmarks::AddBookmark},
        {"Goto Bookmark", {Qt::Key_Space}, &TAA_Bookmarks::GoToBookmark},
        {"Delete Bookmark", {Qt::Key_Delete}, &TAA_Bookmarks::DeleteBookmark},
        {"Close Bookmarks", {Qt::Key_Escape}, &QDialog::reject},
    };
    for (const Command& command : commands) {
        auto* action = new QAction(QString::fromLatin1(command.caption), list_);
        action->setShortcuts(command.keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, command.run);
        list_->addAction(action);
    }
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { GoToBookmark(); });
}

void TAA_Bookmarks::ConnectToolbar()
{
    connect(toolbar_->SetButton(), &QToolButton::clicked, this, [this] { AddBookmark(); });
    connect(toolbar_->GoToButton(), &QToolButton::clicked, this, [this] { GoToBookmark(); });
    connect(toolbar_->CustomButton(), &QToolButton::clicked, this,
            [this] { GoToCustomPosition(); });
    connect(toolbar_->DeleteButton(), &QToolButton::clicked, this, [this] { DeleteBookmark(); });
    connect(toolbar_->DeleteAllButton(), &QToolButton::clicked, this,
            [this] { DeleteAllBookmarks(); });
    connect(toolbar_->CloseButton(), &QToolButton::clicked, this, [this] { reject(); });
}

std::optional<int32_t> TAA_Bookmarks::Choose()
{
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return chosen_;
}

void TAA_Bookmarks::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Refill();
    // The list takes the keys at once, also where no window manager hands the focus over.
    activateWindow();
    list_->setFocus();
}

void TAA_Bookmarks::Refill()
{
    list_->clear();
    const ZEBBook& book = engine_.Book();
    for (const ZEBBookmarkObject& bookmark : book.Bookmarks()) {
        auto* row = new QTreeWidgetItem(list_);
        const std::string percent =
            BookmarkPercentText(bookmark.Position, book.TextStart(), book.TextEnd());
        row->setText(0, QString::fromStdString(percent));
        row->setText(1, QString::fromStdU16String(bookmark.Text));
    }
}

int32_t TAA_Bookmarks::Selected() const
{
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    if (selected.empty())
        return -1;
    const int32_t row = int32_t(list_->indexOfTopLevelItem(selected.front()));
    return row < engine_.Book().Bookmarks().Count() ? row : -1;
}

void TAA_Bookmarks::AddBookmark()
{
    engine_.AddBookmark();
    Refill();
}

void TAA_Bookmarks::GoToBookmark()
{
    const int32_t selected = Selected();
    if (selected >= 0)
        GoTo(engine_.Book().Bookmarks()[selected].Position);
}

void TAA_Bookmarks::GoToCustomPosition()
{
    const std::optional<long double> percent = percent_->Choose();
    activateWindow();
    list_->setFocus();
    if (!percent)
        return;
    const ZEBBook& book = engine_.Book();
    const std::optional<int32_t> position =
        PositionAtPercent(*percent, book.TextStart(), book.TextEnd());
    if (position)
        GoTo(*position);
}

void TAA_Bookmarks::DeleteBookmark()
{
    const int32_t selected = Selected();
    if (selected < 0)
        return;
    engine_.Book().Bookmarks().Remove(selected);
    Refill();
}

void TAA_Bookmarks::DeleteAllBookmarks()
{
    if (prompter_.Message(DeleteAllBookmarksQuestion, "", PromptIcon::Question,
                          PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    engine_.Book().Bookmarks().Clear();
    Refill();
}

void TAA_Bookmarks::GoTo(int32_t position)
{
    chosen_ = position;
    accept();
}

}  // namespace zeb
