#include <functional>
#include <optional>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "library/ui/TAA_Password.h"

namespace zeb::test {
namespace {

// Asks once, answering with what the user does once the dialog shows.
std::optional<std::string> AskAndDo(TAA_Password& dialog, const std::function<void()>& user)
{
    QTimer::singleShot(0, &dialog, [&dialog, user] {
        if (!QTest::qWaitForWindowExposed(&dialog))
            dialog.reject();
        else
            user();
    });
    return dialog.Ask("/books/secret.zip", "verse.txt");
}

TEST(TAA_Password, ShowsItsNamesAndLaysOutItsControls)
{
    TAA_Password dialog;
    bool shown = false;
    AskAndDo(dialog, [&] {
        shown = true;
        EXPECT_EQ(dialog.windowTitle(), "Enter Archive Password");
        EXPECT_EQ(dialog.size(), QSize(392, 188));
        EXPECT_EQ(dialog.ArchiveText()->text(), "/books/secret.zip");
        EXPECT_EQ(dialog.MemberText()->text(), "verse.txt");
        EXPECT_EQ(dialog.Edit()->geometry(), QRect(16, 120, 360, 21));
        EXPECT_EQ(dialog.OkButton()->geometry(), QRect(302, 152, 75, 25));
        EXPECT_EQ(dialog.CancelButton()->geometry(), QRect(214, 152, 75, 25));
        EXPECT_TRUE(dialog.Edit()->hasFocus());
        dialog.reject();
    });
    EXPECT_TRUE(shown);
}

// OK answers with the text, empty or not, and empties the box; Cancel answers nothing and
// keeps the text for the next request.
TEST(TAA_Password, OkEmptiesTheBoxAndCancelKeepsIt)
{
    TAA_Password dialog;
    EXPECT_EQ(AskAndDo(dialog, [&] { QTest::mouseClick(dialog.OkButton(), Qt::LeftButton); }),
              std::optional<std::string>(""));

    EXPECT_EQ(AskAndDo(dialog, [&] {
                  QTest::keyClicks(dialog.Edit(), "sec");
                  QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
              }),
              std::nullopt);

    EXPECT_EQ(AskAndDo(dialog, [&] {
                  EXPECT_EQ(dialog.Edit()->text(), "sec");
                  QTest::keyClick(dialog.Edit(), Qt::Key_End);  // it comes selected
                  QTest::keyClicks(dialog.Edit(), "ret");
                  QTest::keyClick(dialog.Edit(), Qt::Key_Return);
              }),
              std::optional<std::string>("secret"));
    EXPECT_TRUE(dialog.Edit()->text().isEmpty());
}

TEST(TAA_Password, ShowPasswordShowsTheTypedTextAndCarriesOver)
{
    TAA_Password dialog;
    AskAndDo(dialog, [&] {
        QTest::keyClicks(dialog.Edit(), "abc");
        EXPECT_EQ(dialog.Edit()->displayText(), QString(3, dialog.Edit()->displayText().at(0)));
        EXPECT_NE(dialog.Edit()->displayText(), "abc");
        QTest::mouseClick(dialog.ShowPassword(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 8));
        EXPECT_EQ(dialog.Edit()->displayText(), "abc");
        dialog.reject();
    });
    AskAndDo(dialog, [&] {
        EXPECT_TRUE(dialog.ShowPassword()->isChecked());
        EXPECT_EQ(dialog.Edit()->displayText(), "abc");
        QTest::mouseClick(dialog.ShowPassword(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 8));
        EXPECT_NE(dialog.Edit()->displayText(), "abc");
        dialog.reject();
    });
}

}  // namespace
}  // namespace zeb::test
