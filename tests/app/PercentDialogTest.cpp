// The go-to-percent dialog with real keys: which texts enable "OK" under a point and a comma
// as the decimal separator, Enter, and what stays from one showing to the next.
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/TAA_Percent.h"

namespace zeb::test {
namespace {

class PercentDialogTest : public ::testing::Test {
protected:
    ~PercentDialogTest() override { QLocale::setDefault(before); }

    void Show()
    {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &dialog; }));
        ASSERT_TRUE(dialog.Field()->hasFocus());
    }

    // Replaces the field's text as a user does: everything selected, then typed over.
    void Type(const QString& text)
    {
        QTest::keyClick(dialog.Field(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(dialog.Field(), Qt::Key_Backspace);
        QTest::keyClicks(dialog.Field(), text);
    }

    QLocale before;
    TAA_Percent dialog;
};

TEST_F(PercentDialogTest, OkOnlyForZeroToHundredInTheLocalesWriting)
{
    struct Case {
        QLocale::Language language;
        const char* text;
        bool accepted;
        double value;
    };
    const Case cases[] = {
        {QLocale::English, "50", true, 50},       {QLocale::English, "100", true, 100},
        {QLocale::English, "0", true, 0},         {QLocale::English, "12.5", true, 12.5},
        {QLocale::English, "12,5", false, -1},    {QLocale::English, "1,5", false, -1},
        {QLocale::English, "100.5", false, 100.5}, {QLocale::English, "-1", false, -1},
        {QLocale::English, "abc", false, -1},     {QLocale::English, "", false, -1},
        {QLocale::German, "12,5", true, 12.5},    {QLocale::German, "12.5", false, -1},
        {QLocale::German, "100,0", true, 100},    {QLocale::German, "100,01", false, 100.01},
        // A point there groups thousands: "0.050" must not pass for 50.
        {QLocale::German, "0.050", false, -1},
    };
    Show();
    for (const Case& c : cases) {
        QLocale::setDefault(QLocale(c.language));
        Type(QString::fromLatin1(c.text));
        EXPECT_EQ(dialog.OkButton()->isEnabled(), c.accepted) << c.text;
        EXPECT_DOUBLE_EQ(double(dialog.Value()), c.value) << c.text;
    }
}

TEST_F(PercentDialogTest, EnterClosesOnlyWithOkEnabledAndTheTextStays)
{
    QLocale::setDefault(QLocale(QLocale::English));
    EXPECT_EQ(dialog.Field()->text(), "0");
    EXPECT_EQ(dialog.windowTitle(), "Enter New Text Position");
    Show();
    Type(QString());
    QTest::keyClick(dialog.Field(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible()) << "an empty field is no percentage";
    Type(QStringLiteral("150"));
    QTest::keyClick(dialog.Field(), Qt::Key_Enter);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Field()->text(), "150") << "Enter is swallowed, not typed";

    Type(QStringLiteral("42.5"));
    QTest::keyClick(dialog.Field(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Value(), 42.5L);

    Show();
    EXPECT_EQ(dialog.Field()->text(), "42.5");
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Value(), 42.5L);
}

// The designed size, grown where the desktop's font needs it: the label never runs under the
// buttons and no caption is cut.
TEST_F(PercentDialogTest, CaptionsFitWithTheDesktopsFont)
{
    const QFont desktop = QApplication::font();
    for (int points : {9, 10, 12}) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(points);
        QApplication::setFont(font);
        TAA_Percent shown;
        QApplication::setFont(desktop);
        QLabel* label = shown.findChild<QLabel*>();
        ASSERT_NE(label, nullptr);
        EXPECT_GE(shown.width(), 244);
        EXPECT_GE(shown.height(), 66);
        EXPECT_LE(label->geometry().right(), shown.OkButton()->geometry().left()) << points;
        EXPECT_GE(label->width(), QFontMetrics(font).horizontalAdvance(label->text())) << points;
        for (QPushButton* button : {shown.OkButton(), shown.CancelButton()})
            EXPECT_GE(button->width(), button->sizeHint().width()) << points;
        EXPECT_LE(shown.CancelButton()->geometry().bottom(), shown.height()) << points;
    }
}

}  // namespace
}  // namespace zeb::test
