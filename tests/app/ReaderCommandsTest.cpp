// The popup menu: its entries in order, and every key reaching its command.
#include <optional>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "app/ReaderCommands.h"

namespace zeb {
namespace {

TEST(ReaderMenu, EntriesInTheirOrderWithSeparators)
{
    ReaderMenu menu;
    QStringList captions;
    for (QAction* action : menu.Actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions.join('|').toStdString(),
              "Moves Up One Page|Moves Down One Page|Moves Up One Line|Moves Down One Line|"
              "Moves to the Top of a File|Moves to the Bottom of a File|-|"
              "Auto Scroll Start/Stop|Smooth Scroll / Jump|Faster to Scroll|Slower to Scroll|-|"
              "Full screen|Options|Close Application|Help|-|Find...|Find Next|Find Previous|-|"
              "Contents...|Next Chapter|Previous Chapter");
    // The menu shows the numeric pad's keys.
    EXPECT_EQ(menu.Action(ReaderCommand::Faster)->shortcut(),
              QKeySequence(Qt::KeypadModifier | Qt::Key_Plus));
}

TEST(ReaderMenu, EveryKeyRunsItsCommandWhileTheFocusIsInTheAttachedWidget)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        ReaderCommand command;
    } cases[] = {
        {Qt::Key_PageUp, Qt::NoModifier, ReaderCommand::PageUp},
        {Qt::Key_PageDown, Qt::NoModifier, ReaderCommand::PageDown},
        {Qt::Key_Up, Qt::NoModifier, ReaderCommand::LineUp},
        {Qt::Key_Down, Qt::NoModifier, ReaderCommand::LineDown},
        {Qt::Key_Home, Qt::NoModifier, ReaderCommand::GoToTop},
        {Qt::Key_End, Qt::NoModifier, ReaderCommand::GoToBottom},
        {Qt::Key_Insert, Qt::NoModifier, ReaderCommand::ToggleAutoScroll},
        {Qt::Key_Slash, Qt::KeypadModifier, ReaderCommand::ToggleTextMovement},
        {Qt::Key_Slash, Qt::NoModifier, ReaderCommand::ToggleTextMovement},
        {Qt::Key_Plus, Qt::KeypadModifier, ReaderCommand::Faster},
        {Qt::Key_Plus, Qt::NoModifier, ReaderCommand::Faster},
        {Qt::Key_Minus, Qt::KeypadModifier, ReaderCommand::Slower},
        {Qt::Key_Minus, Qt::NoModifier, ReaderCommand::Slower},
        {Qt::Key_Backslash, Qt::NoModifier, ReaderCommand::FullScreen},
        {Qt::Key_F11, Qt::NoModifier, ReaderCommand::FullScreen},
        {Qt::Key_Asterisk, Qt::KeypadModifier, ReaderCommand::Options},
        {Qt::Key_Asterisk, Qt::NoModifier, ReaderCommand::Options},
        {Qt::Key_Escape, Qt::NoModifier, ReaderCommand::Close},
        {Qt::Key_F1, Qt::NoModifier, ReaderCommand::Help},
        {Qt::Key_F, Qt::ControlModifier, ReaderCommand::Find},
        {Qt::Key_F3, Qt::NoModifier, ReaderCommand::FindNext},
        {Qt::Key_F3, Qt::ShiftModifier, ReaderCommand::FindPrevious},
        {Qt::Key_T, Qt::ControlModifier, ReaderCommand::Contents},
        {Qt::Key_PageDown, Qt::ControlModifier, ReaderCommand::NextChapter},
        {Qt::Key_PageUp, Qt::ControlModifier, ReaderCommand::PreviousChapter},
    };
    std::optional<ReaderCommand> ran;
    ReaderMenu menu;
    QObject::connect(&menu, &ReaderMenu::Triggered, [&](ReaderCommand command) { ran = command; });
    QWidget window;
    auto* view = new QWidget(&window);
    view->setFocusPolicy(Qt::StrongFocus);
    menu.Attach(view);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    view->setFocus();
    for (const Case& c : cases) {
        ran.reset();
        QTest::keyClick(view, c.key, c.modifiers);
        ASSERT_TRUE(ran.has_value()) << QKeySequence(c.modifiers | c.key).toString().toStdString();
        EXPECT_EQ(*ran, c.command) << QKeySequence(c.modifiers | c.key).toString().toStdString();
    }
}

}  // namespace
}  // namespace zeb
