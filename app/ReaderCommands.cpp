#include "app/ReaderCommands.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

namespace zeb {

namespace {

QKeySequence Pad(Qt::Key key)
{
    return QKeySequence(Qt::KeypadModifier | key);
}

}  // namespace

const std::vector<CommandEntry>& CommandTable()
{
    static const std::vector<CommandEntry> table = {
        {ReaderCommand::PageUp, "Moves Up One Page", {Qt::Key_PageUp}},
        {ReaderCommand::PageDown, "Moves Down One Page", {Qt::Key_PageDown}},
        {ReaderCommand::LineUp, "Moves Up One Line", {Qt::Key_Up}},
        {ReaderCommand::LineDown, "Moves Down One Line", {Qt::Key_Down}},
        {ReaderCommand::GoToTop, "Moves to the Top of a File", {Qt::Key_Home}},
        {ReaderCommand::GoToBottom, "Moves to the Bottom of a File", {Qt::Key_End}},
        {ReaderCommand::ToggleAutoScroll, "Auto Scroll Start/Stop", {Qt::Key_Insert}, true},
        {ReaderCommand::ToggleTextMovement, "Smooth Scroll / Jump", {Pad(Qt::Key_Slash), Qt::Key_Slash}},
        {ReaderCommand::Faster, "Faster to Scroll", {Pad(Qt::Key_Plus), Qt::Key_Plus}},
        {ReaderCommand::Slower, "Slower to Scroll", {Pad(Qt::Key_Minus), Qt::Key_Minus}},
        {ReaderCommand::FullScreen, "Full screen", {Qt::Key_Backslash, Qt::Key_F11}, true},
        {ReaderCommand::Options, "Options", {Pad(Qt::Key_Asterisk), Qt::Key_Asterisk}},
        {ReaderCommand::Close, "Close Application", {Qt::Key_Escape}},
        {ReaderCommand::Help, "Help", {Qt::Key_F1}},
        {ReaderCommand::Find, "Find...", {QKeySequence::Find}, true},
        {ReaderCommand::FindNext, "Find Next", {Qt::Key_F3}},
        {ReaderCommand::FindPrevious, "Find Previous", {Qt::SHIFT | Qt::Key_F3}},
        {ReaderCommand::Contents, "Contents...", {Qt::CTRL | Qt::Key_T}, true},
        {ReaderCommand::NextChapter, "Next Chapter", {Qt::CTRL | Qt::Key_PageDown}},
        {ReaderCommand::PreviousChapter, "Previous Chapter", {Qt::CTRL | Qt::Key_PageUp}},
    };
    return table;
}

std::optional<ReaderCommand> CommandOfKey(const QKeyEvent& event)
{
    const QKeySequence pressed(event.keyCombination());
    for (const CommandEntry& entry : CommandTable())
        if (entry.Keys.contains(pressed))
            return entry.Command;
    return std::nullopt;
}

bool IsMove(ReaderCommand command)
{
    return command == ReaderCommand::PageUp || command == ReaderCommand::PageDown ||
           command == ReaderCommand::LineUp || command == ReaderCommand::LineDown;
}

ReaderMenu::ReaderMenu(QObject* parent) : QObject(parent)
{
    for (const CommandEntry& entry : CommandTable()) {
        if (entry.SeparatorBefore) {
            auto* separator = new QAction(this);
            separator->setSeparator(true);
            ordered_.push_back(separator);
        }
        auto* action = new QAction(QString::fromLatin1(entry.Caption), this);
        action->setShortcuts(entry.Keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        ReaderCommand command = entry.Command;
        connect(action, &QAction::triggered, this, [this, command] { emit Triggered(command); });
        actions_[command] = action;
        ordered_.push_back(action);
    }
}

void ReaderMenu::Attach(QWidget* widget)
{
    widget->addActions(ordered_);
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace zeb
