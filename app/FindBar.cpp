#include "app/FindBar.h"

#include <algorithm>

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace zeb {

namespace {

constexpr int Margin = 8;
constexpr const char* WrappedNotice = "Went on from the other end";
constexpr const char* NotFoundNotice = "Not found";
constexpr const char* StoppedNotice = "Stopped";

QToolButton* BarButton(QWidget* parent, Qt::ArrowType arrow, const char* text, const char* tip)
{
    auto* button = new QToolButton(parent);
    if (arrow != Qt::NoArrow)
        button->setArrowType(arrow);
    else
        button->setText(QString::fromUtf8(text));
    button->setToolTip(QString::fromLatin1(tip));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

FindBar::FindBar(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setAutoFillBackground(true);
    phrase_ = new QLineEdit(this);
    phrase_->setObjectName(QStringLiteral("findPhrase"));
    phrase_->setPlaceholderText(QStringLiteral("Find in the book"));
    phrase_->setClearButtonEnabled(true);
    phrase_->setMinimumWidth(220);
    phrase_->installEventFilter(this);
    matchCase_ = new QCheckBox(QStringLiteral("Match case"), this);
    matchCase_->setFocusPolicy(Qt::NoFocus);
    previous_ = BarButton(this, Qt::UpArrow, "", "Find Previous (Shift+F3)");
    next_ = BarButton(this, Qt::DownArrow, "", "Find Next (F3)");
    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("findNotice"));
    // As wide as the longest notice, so that none is cut and the bar does not jump.
    int noticeWidth = 0;
    for (const char* text : {"Searching... 100%", WrappedNotice, NotFoundNotice, StoppedNotice})
        noticeWidth = std::max(noticeWidth,
                               notice_->fontMetrics().horizontalAdvance(QString::fromLatin1(text)));
    notice_->setMinimumWidth(noticeWidth);
    close_ = BarButton(this, Qt::NoArrow, "\u2715", "Close (Esc)");

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(Margin, 4, 4, 4);
    row->setSpacing(6);
    row->addWidget(phrase_, 1);
    row->addWidget(matchCase_);
    row->addWidget(previous_);
    row->addWidget(next_);
    row->addWidget(notice_);
    row->addWidget(close_);

    connect(previous_, &QToolButton::clicked, this,
            [this] { FindAgain(BookSearch::Direction::Backward); });
    connect(next_, &QToolButton::clicked, this,
            [this] { FindAgain(BookSearch::Direction::Forward); });
    connect(close_, &QToolButton::clicked, this, &FindBar::Close);
    connect(phrase_, &QLineEdit::textEdited, notice_, &QLabel::clear);
    parent->installEventFilter(this);
    hide();
}

void FindBar::Open()
{
    PlaceInParent();
    show();
    raise();
    phrase_->setFocus();
    phrase_->selectAll();
}

void FindBar::Close()
{
    emit CancelRequested();
    hide();
    emit Closed();
}

void FindBar::FindAgain(BookSearch::Direction direction)
{
    if (phrase_->text().trimmed().isEmpty()) {
        Open();
        return;
    }
    emit FindRequested(phrase_->text().toStdU16String(), matchCase_->isChecked(), direction);
}

void FindBar::ShowOutcome(FindInBook::Outcome outcome, double progress)
{
    searching_ = outcome == FindInBook::Outcome::Searching;
    switch (outcome) {
    case FindInBook::Outcome::Searching:
        notice_->setText(QStringLiteral("Searching... %1%").arg(int(progress * 100)));
        break;
    case FindInBook::Outcome::Found: notice_->clear(); break;
    case FindInBook::Outcome::FoundWrapped:
        notice_->setText(QString::fromLatin1(WrappedNotice));
        break;
    case FindInBook::Outcome::NotFound: notice_->setText(QString::fromLatin1(NotFoundNotice)); break;
    case FindInBook::Outcome::Cancelled: notice_->setText(QString::fromLatin1(StoppedNotice)); break;
    }
}

// The keys the phrase field would take for itself: Enter, F3 and Escape act on the search;
// the bar keeps its corner when the view changes size.
bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        PlaceInParent();
    if (watched == phrase_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool back = key->modifiers() & Qt::ShiftModifier;
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F3:
            FindAgain(back ? BookSearch::Direction::Backward : BookSearch::Direction::Forward);
            return true;
        case Qt::Key_Escape:
            if (searching_)
                emit CancelRequested();
            else
                Close();
            return true;
        default: break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void FindBar::PlaceInParent()
{
    resize(sizeHint().expandedTo(QSize(520, 0)));
    if (QWidget* parent = parentWidget())
        move(parent->width() - width() - 12, 0);
}

}  // namespace zeb
