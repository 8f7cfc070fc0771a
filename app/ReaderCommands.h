#pragma once

#include <map>
#include <optional>
#include <vector>

#include <QList>
#include <QKeySequence>
#include <QObject>

class QAction;
class QKeyEvent;
class QMenu;
class QWidget;

namespace zeb {

// The reader's commands, as the popup menu lists them.
enum class ReaderCommand {
    PageUp,
    PageDown,
    LineUp,
    LineDown,
    GoToTop,
    GoToBottom,
    ToggleAutoScroll,
    ToggleTextMovement,
    Faster,
    Slower,
    FullScreen,
    Options,
    Close,
    Help,
    Find,
    FindNext,
    FindPrevious,
    Contents,
    NextChapter,
    PreviousChapter,
};

// One entry of the popup menu: its caption and keys, the first of them the one it shows.
struct CommandEntry {
    ReaderCommand Command;
    const char* Caption;
    QList<QKeySequence> Keys;
    bool SeparatorBefore = false;
};

// The popup menu entries in their order. Besides the numeric pad's keys the main keyboard's
// "+", "-", "/" and "*" work too (laptops often have no pad), and F11 switches full screen as
// everywhere on the desktop.
const std::vector<CommandEntry>& CommandTable();

// The command a key press runs, if any.
std::optional<ReaderCommand> CommandOfKey(const QKeyEvent& event);
// Page and line moves: a held key repeats them only as fast as they run.
bool IsMove(ReaderCommand command);

// The popup menu and its shortcut keys. Attached to a widget, the keys work while the focus is
// in it or in its children, and a right click there opens the menu.
class ReaderMenu : public QObject {
    Q_OBJECT

public:
    explicit ReaderMenu(QObject* parent = nullptr);

    void Attach(QWidget* widget);
    QAction* Action(ReaderCommand command) const { return actions_.at(command); }
    const QList<QAction*>& Actions() const { return ordered_; }

signals:
    // A menu entry was chosen or its key pressed.
    void Triggered(ReaderCommand command);

private:
    std::map<ReaderCommand, QAction*> actions_;
    QList<QAction*> ordered_;  // with the separators
};

}  // namespace zeb
