#include "app/ContentsDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/ui/ShowWindow.h"
#include "reader/BookReader.h"
#include "storage/ZEBBookmark.h"

namespace zeb {

namespace {

constexpr int InitialWidth = 560, InitialHeight = 520;
constexpr int LevelIndent = 4;  // blanks before a level-2 title

}  // namespace

ContentsDialog::ContentsDialog(BookReader& reader, QWidget* parent)
    : QDialog(parent), reader_(reader)
{
    setWindowTitle(QStringLiteral("Contents"));
    resize(InitialWidth, InitialHeight);
    CreateWidgets();
}

void ContentsDialog::CreateWidgets()
{
    list_ = new QTreeWidget(this);
    list_->setColumnCount(2);
    list_->setHeaderLabels({QStringLiteral("Chapter"), QStringLiteral("Place")});
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->installEventFilter(this);
    connect(list_, &QTreeWidget::itemActivated, this, [this] { Read(); });

    none_ = new QPushButton(QString::fromLatin1(NoChaptersText), this);
    pattern_ = new QLineEdit(this);
    pattern_->setPlaceholderText(QStringLiteral("A pattern for the heading lines: ^\\s*Part \\d+"));
    usePattern_ = new QPushButton(QStringLiteral("Use Pattern"), this);
    find_ = new QPushButton(QStringLiteral("Find Chapters"), this);
    notice_ = new QLabel(this);
    // Enter reads a chapter or takes the pattern; no button answers it for the dialog.
    for (QPushButton* button : {none_, usePattern_, find_})
        button->setAutoDefault(false);
    connect(none_, &QPushButton::clicked, this, [this] { UseChapters(ChapterChoice::None); });
    connect(usePattern_, &QPushButton::clicked, this, [this] { UseChapters(ChapterChoice::Pattern); });
    connect(pattern_, &QLineEdit::returnPressed, this, [this] { UseChapters(ChapterChoice::Pattern); });
    connect(find_, &QPushButton::clicked, this, [this] { UseChapters(ChapterChoice::Found); });

    auto* choices = new QHBoxLayout;
    choices->addWidget(pattern_, 1);
    choices->addWidget(usePattern_);
    auto* others = new QHBoxLayout;
    others->addWidget(notice_, 1);
    others->addWidget(find_);
    others->addWidget(none_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(list_, 1);
    column->addLayout(choices);
    column->addLayout(others);
}

std::optional<size_t> ContentsDialog::Choose()
{
    chosen_.reset();
    notice_->clear();
    pattern_->setText(QString::fromStdU16String(reader_.Chapters().Pattern()));
    Fill();
    if (parentWidget())
        CentreOver(*this, *parentWidget());
    list_->setFocus();
    exec();
    return chosen_;
}

// The rows in book order, the one being read selected.
void ContentsDialog::Fill()
{
    list_->clear();
    const ZEBBook& book = reader_.Engine().Book();
    for (const BookChapter& chapter : reader_.Chapters().List()) {
        auto* row = new QTreeWidgetItem(list_);
        // Level-2 rows stand indented under their level-1 heading.
        const QString indent(chapter.Level > 1 ? LevelIndent : 0, u' ');
        row->setText(0, indent + QString::fromStdU16String(chapter.Title));
        row->setText(1, QString::fromStdString(
                            BookmarkPercentText(chapter.Position, book.TextStart(), book.TextEnd())));
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    const std::optional<size_t> current = reader_.CurrentChapter();
    if (QTreeWidgetItem* row = list_->topLevelItem(current ? int(*current) : 0)) {
        list_->setCurrentItem(row);
        list_->scrollToItem(row, QAbstractItemView::PositionAtCenter);
    }
}

void ContentsDialog::UseChapters(ChapterChoice choice)
{
    if (!reader_.ChooseChapters(choice, pattern_->text().toStdU16String())) {
        notice_->setText(QString::fromLatin1(InvalidPatternText));
        return;
    }
    notice_->setText(reader_.Chapters().List().empty() ? QStringLiteral("No chapters now")
                                                        : QString());
    Fill();
    list_->setFocus();
}

void ContentsDialog::Read()
{
    QTreeWidgetItem* row = list_->currentItem();
    if (!row)
        return;
    chosen_ = size_t(list_->indexOfTopLevelItem(row));
    accept();
}

// Enter reads the chosen chapter, also where the list would take it for itself.
bool ContentsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Read();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace zeb
