// The options panel: its places, its number fields, radio groups, font and colour buttons and
// "Default", driven with real key and mouse events; and the panel inside the reader window.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QToolButton>

#include "ReaderFixture.h"
#include "app/ColorRefQt.h"
#include "app/FieldValue.h"
#include "app/MainToolbar.h"
#include "app/NumberField.h"
#include "app/OptionsPanel.h"
#include "app/OptionsPanelLayout.h"
#include "app/ProfileGroup.h"
#include "app/ProfilePictures.h"
#include "app/RadioGroup.h"
#include "app/SpeedGroup.h"
#include "platform/ui/HelpViewer.h"

namespace zeb::test {
namespace {

TEST(FieldValue, WholeNumbersWithinTheRangeOnly)
{
    struct Case {
        const char* text;
        SettingRange range;
        std::optional<int32_t> value;
    } cases[] = {
        {"0", SpeedRange, std::nullopt},   {"1", SpeedRange, 1},
        {"500", SpeedRange, 500},          {"501", SpeedRange, std::nullopt},
        {"-5", PageMarginsRange, std::nullopt}, {"0", PageMarginsRange, 0},
        {"100", LineIntervalRange, 100},   {" 7 ", PageMarginsRange, 7},
        {"+5", PageMarginsRange, 5},       {"", SpeedRange, std::nullopt},
        {"abc", SpeedRange, std::nullopt}, {"5x", SpeedRange, std::nullopt},
        {"+-5", PageMarginsRange, std::nullopt}, {"1 2", SpeedRange, std::nullopt},
        {"99999999999", SpeedRange, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FieldValue(c.text, c.range), c.value) << '"' << c.text << '"';
}

bool Overlap(const PanelRect& a, const PanelRect& b)
{
    return a.X < b.X + b.Width && b.X < a.X + a.Width && a.Y < b.Y + b.Height && b.Y < a.Y + a.Height;
}

TEST(OptionsPanelLayout, DesignedPlacesWhenEveryCaptionFits)
{
    const PanelLayout layout = DesignedPanelLayout();
    const std::pair<PanelControl, PanelRect> table[] = {
        {SpeedControl, {4, 0, 220, 66}},          {FormattingControl, {229, 0, 91, 66}},
        {FontWidthControl, {229, 66, 91, 50}},    {AntialiasingControl, {4, 66, 115, 75}},
        {ColorControl, {124, 66, 100, 50}},       {ScrollModeControl, {124, 116, 100, 50}},
        {MovementControl, {229, 116, 91, 50}},    {ProportionalControl, {325, 0, 105, 165}},
        {FixedControl, {435, 0, 105, 165}},       {DefaultControl, {4, 145, 45, 20}},
        {AboutControl, {54, 145, 45, 20}},        {HelpControl, {104, 145, 15, 20}},
    };
    for (const auto& [control, place] : table)
        EXPECT_EQ(layout.Places[control], place) << "control " << control;
    EXPECT_EQ(layout.Size.Width, 543);
    EXPECT_EQ(layout.Size.Height, 169);
}

TEST(OptionsPanelLayout, GrownControlsKeepTheirSizeAndOverlapNothing)
{
    std::array<PanelSize, PanelControlCount> wideRadios{}, tallGroups{}, wideSpeed{};
    wideRadios[AntialiasingControl] = {140, 0};
    wideRadios[FontWidthControl] = {110, 0};
    tallGroups[FormattingControl] = {0, 80};
    tallGroups[AntialiasingControl] = {0, 96};
    tallGroups[ProportionalControl] = {0, 190};
    wideSpeed[SpeedControl] = {300, 70};
    wideSpeed[DefaultControl] = {60, 24};
    for (const auto& needed : {wideRadios, tallGroups, wideSpeed}) {
        const PanelLayout layout = ArrangePanel(needed);
        for (int a = 0; a < PanelControlCount; ++a) {
            const PanelRect& r = layout.Places[a];
            EXPECT_GE(r.Width, needed[a].Width) << "control " << a;
            EXPECT_GE(r.Height, needed[a].Height) << "control " << a;
            EXPECT_LE(r.X + r.Width, layout.Size.Width) << "control " << a;
            EXPECT_LE(r.Y + r.Height, layout.Size.Height) << "control " << a;
            for (int b = a + 1; b < PanelControlCount; ++b)
                EXPECT_FALSE(Overlap(r, layout.Places[b])) << "controls " << a << " and " << b;
        }
    }
}

TEST(ProfilePictures, SwatchIsTheColourWithItsInverseAlongTheLeftEdge)
{
    const QImage swatch = SwatchPicture(0x336699);
    ASSERT_EQ(swatch.size(), QSize(SwatchWidth, SwatchHeight));
    for (int y : {0, SwatchHeight - 1}) {
        EXPECT_EQ(ColorRefOf(swatch.pixelColor(0, y)), 0xCC9966u);
        EXPECT_EQ(ColorRefOf(swatch.pixelColor(1, y)), 0x336699u);
        EXPECT_EQ(ColorRefOf(swatch.pixelColor(SwatchWidth - 1, y)), 0x336699u);
    }
}

// The rows of picture holding any pixel other than the background.
std::pair<int, int> InkRows(const QImage& picture, ColorRef background)
{
    int first = -1, last = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (ColorRefOf(picture.pixelColor(x, y)) != background) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
    return {first, last};
}

TEST(ProfilePictures, SampleTextIsCentredAndClippedAtEverySupersampling)
{
    FontProfile profile = DefaultReaderSettings().Profiles[ProportionalProfile];
    profile.FontName = "DejaVu Sans";
    profile.FontSize = 12;
    QImage previous;
    for (int32_t f = 1; f <= 4; ++f) {
        const QImage sample = SamplePicture(profile, f);
        ASSERT_EQ(sample.size(), QSize(SampleWidth, SampleHeight));
        auto [top, bottom] = InkRows(sample, profile.BackColor);
        ASSERT_GE(top, 0) << "no text at factor " << f;
        // 16-pixel letters with their cell centred in 37 rows: blank rows above and below.
        EXPECT_GT(top, 5) << f;
        EXPECT_LT(bottom, SampleHeight - 5) << f;
        EXPECT_NE(sample, previous) << "reduced the same at factor " << f;
        previous = sample;
    }
    profile.FontSize = 92;  // far taller than the picture: cut off, not shrunk
    auto [top, bottom] = InkRows(SamplePicture(profile, 2), profile.BackColor);
    EXPECT_EQ(top, 0);
    EXPECT_EQ(bottom, SampleHeight - 1);
}

// The panel on its own, with the change events wired as the reader window wires them.
class OptionsPanelTest : public ::testing::Test {
protected:
    OptionsPanelTest()
    {
        options.SetHandler(SettingsChanged, [this] {
            const bool wasBusy = busy;
            busy = true;
            panel.Refresh(!wasBusy);
            busy = wasBusy;
        });
        options.SetHandler(ProportionalLookChanged, [this] {
            ++looks[ProportionalProfile];
            panel.ShowLook(ProportionalProfile);
        });
        options.SetHandler(FixedLookChanged, [this] {
            ++looks[FixedProfile];
            panel.ShowLook(FixedProfile);
        });
        options.SetHandler(LayoutChanged, [this] {
            ++layouts;
            atLayout = options.Settings();
        });
        panel.resize(panel.DesignedSize());
        panel.show();
        QApplication::setActiveWindow(&panel);
    }

    static void Type(NumberField* field, const char* text)
    {
        QLineEdit* edit = field->Edit();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QString::fromLatin1(text));
    }

    // Clicks a radio button on its indicator, where a click selects it.
    static void Select(QRadioButton* radio) { QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2)); }

    static QImage PictureOf(QPushButton* button)
    {
        return button->icon().pixmap(button->iconSize()).toImage();
    }

    ZEBOptions options;
    bool busy = false;
    OptionsPanel panel{options, busy, nullptr};
    std::array<int, 2> looks{};
    int layouts = 0;
    ReaderSettings atLayout;
};

// The room a widget's caption takes besides its text: a radio's indicator, a button's frame, a
// group's indent; and the caption.
std::pair<QString, int> CaptionOf(QWidget* w)
{
    const QStyle* s = w->style();
    if (auto* radio = qobject_cast<QRadioButton*>(w))
        return {radio->text(), s->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w) +
                                   s->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w)};
    if (auto* button = qobject_cast<QPushButton*>(w))
        return {button->text(), 2 * s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w)};
    if (auto* label = qobject_cast<QLabel*>(w))
        return {label->text(), 0};
    if (auto* group = qobject_cast<QGroupBox*>(w)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect label = s->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, w);
        return {group->title(), label.left()};
    }
    return {};
}

TEST_F(OptionsPanelTest, EveryCaptionIsWholeAndInsideThePanel)
{
    for (QWidget* w : panel.findChildren<QWidget*>()) {
        auto [caption, room] = CaptionOf(w);
        if (caption.isEmpty())
            continue;
        EXPECT_LE(w->fontMetrics().horizontalAdvance(caption) + room, w->width()) << caption.toStdString();
        EXPECT_LE(w->fontMetrics().height(), w->height()) << caption.toStdString();
        const QRect inPanel(w->mapTo(&panel, QPoint()), w->size());
        EXPECT_TRUE(panel.rect().contains(inPanel)) << caption.toStdString();
    }
    EXPECT_GE(panel.DesignedSize().width(), 543);
    EXPECT_GE(panel.DesignedSize().height(), 169);
    EXPECT_LE(panel.DesignedSize().width(), 640) << "wider than the smallest reader window";
}

TEST_F(OptionsPanelTest, TypedNumbersOutsideTheirRangeChangeNothingAndStayAsTyped)
{
    NumberField* lines = panel.Speed()->LinesField();
    NumberField* margins = panel.Profile(FixedProfile)->MarginsField();
    EXPECT_EQ(lines->Text(), "50");
    struct Case {
        NumberField* field;
        const char* typed;
        int32_t expected;  // "501" keeps the 50 its first two keys typed
    } cases[] = {
        {lines, "0", 50}, {lines, "500", 500}, {lines, "501", 50}, {lines, "x", 50},
        {margins, "-5", 15}, {margins, "0", 0}, {margins, "101", 10},
    };
    for (const Case& c : cases) {
        Type(c.field, c.typed);
        const int32_t value = c.field == lines ? options.Settings().LinesPerSecond
                                               : options.Profile(FixedProfile).PageMargins;
        EXPECT_EQ(value, c.expected) << c.typed;
        EXPECT_EQ(c.field->Text(), c.typed) << "the field keeps what was typed";
    }
    // Another panel control leaves the text alone; a change from elsewhere writes it back.
    Select(panel.Group(MovementControl)->Item(1));
    EXPECT_FALSE(options.Settings().TextMovement);
    EXPECT_EQ(margins->Text(), "101");
    options.SetTextMovement(true);
    EXPECT_EQ(margins->Text(), "10");
    EXPECT_EQ(lines->Text(), "50");
}

TEST_F(OptionsPanelTest, UpDownStepsFromTheShownNumberWithinTheRange)
{
    NumberField* interval = panel.Profile(ProportionalProfile)->IntervalField();
    QTest::mouseClick(interval->UpButton(), Qt::LeftButton);
    EXPECT_EQ(options.Profile(ProportionalProfile).LineInterval, 5);
    EXPECT_EQ(interval->Text(), "5");
    Type(interval, "100");
    QTest::mouseClick(interval->UpButton(), Qt::LeftButton);
    EXPECT_EQ(interval->Text(), "100");
    Type(interval, "junk");  // steps from the last number the field knew
    QTest::mouseClick(interval->DownButton(), Qt::LeftButton);
    EXPECT_EQ(interval->Text(), "99");
    EXPECT_EQ(options.Profile(ProportionalProfile).LineInterval, 99);
}

TEST_F(OptionsPanelTest, VariableEnablesOnlyTheCharactersField)
{
    SpeedGroup* speed = panel.Speed();
    EXPECT_TRUE(speed->LinesField()->isEnabled());
    EXPECT_FALSE(speed->CharsField()->isEnabled());
    Select(speed->VariableButton());
    EXPECT_FALSE(options.Settings().SpeedMode);
    EXPECT_FALSE(speed->LinesField()->isEnabled());
    EXPECT_FALSE(speed->LinesLabel()->isEnabled());
    EXPECT_TRUE(speed->CharsField()->isEnabled());
    EXPECT_TRUE(speed->CharsLabel()->isEnabled());
    Type(speed->CharsField(), "45");
    EXPECT_EQ(options.Settings().CharsPerSecond, 45);
    options.SetSpeedMode(true);  // the "Constant" side comes back with the mode
    EXPECT_TRUE(speed->ConstantButton()->isChecked());
    EXPECT_TRUE(speed->LinesField()->isEnabled());
}

TEST_F(OptionsPanelTest, RadioGroupsSetTheirSettingsButNotWhileTheProgramIsBusy)
{
    Select(panel.Group(AntialiasingControl)->Item(3));
    EXPECT_EQ(options.Settings().Antialiasing, 3);
    EXPECT_EQ(looks, (std::array<int, 2>{1, 1})) << "both samples are drawn supersampled";
    Select(panel.Group(ColorControl)->Item(0));
    EXPECT_TRUE(options.Settings().ColorResolution);
    Select(panel.Group(ScrollModeControl)->Item(1));
    EXPECT_FALSE(options.Settings().ScrollMode);
    Select(panel.Group(FormattingControl)->Item(0));
    EXPECT_EQ(options.Settings().TextFormatting, FormattingFull);
    busy = true;
    Select(panel.Group(FontWidthControl)->Item(1));
    EXPECT_TRUE(options.Settings().FontWidth);
    busy = false;
    Select(panel.Group(FontWidthControl)->Item(1));
    EXPECT_FALSE(options.Settings().FontWidth);
}

TEST_F(OptionsPanelTest, DefaultSetsEverythingInOneUpdate)
{
    options.BeginUpdate();
    options.SetFontWidth(false);
    options.SetTextFormatting(FormattingOriginal);
    options.SetPageMargins(ProportionalProfile, 60);
    options.SetFontSize(ProportionalProfile, 40);
    options.SetAntialiasing(2);
    options.EndUpdate();
    layouts = 0;
    looks = {};
    // Busy or not: the program's own changes do not hold "Default" back.
    busy = true;
    QTest::mouseClick(panel.Button(DefaultControl), Qt::LeftButton);
    busy = false;
    EXPECT_EQ(layouts, 1);
    EXPECT_EQ(looks, (std::array<int, 2>{1, 1}));
    EXPECT_TRUE(atLayout.FontWidth);
    EXPECT_EQ(atLayout.TextFormatting, FormattingFullHyphen);
    EXPECT_EQ(options.Settings(), DefaultReaderSettings());
    options.SetTextMovement(false);  // a refresh from elsewhere shows the defaults
    EXPECT_EQ(panel.Group(FontWidthControl)->ItemIndex(), 0);
    EXPECT_EQ(panel.Group(FormattingControl)->ItemIndex(), 1);
    EXPECT_EQ(panel.Group(AntialiasingControl)->ItemIndex(), 0);
    EXPECT_EQ(panel.Profile(ProportionalProfile)->MarginsField()->Text(), "5");
}

TEST_F(OptionsPanelTest, FontButtonTakesTheChosenFontInOneUpdate)
{
    struct Asked {
        QFont initial;
        bool monospaced = false;
    };
    struct Case {
        FontProfileIndex which;
        std::optional<QFont> answer;
        bool taken;
        int32_t size;  // the size the profile ends with
    };
    QFont bold(QStringLiteral("DejaVu Sans"));
    bold.setPointSize(100);
    bold.setBold(true);
    bold.setStrikeOut(true);
    QFont tiny(QStringLiteral("DejaVu Sans Mono"));
    tiny.setPointSize(5);
    QFont missing(QStringLiteral("No Such Face Anywhere"));
    missing.setPointSize(20);
    const Case cases[] = {
        {ProportionalProfile, std::nullopt, false, 26},  // cancelled
        {ProportionalProfile, missing, false, 26},
        {ProportionalProfile, bold, true, 92},
        {FixedProfile, tiny, true, 8},
    };
    for (const Case& c : cases) {
        std::optional<Asked> asked;
        panel.SetFontChooser([&](const QFont& initial, bool monospaced) {
            asked = Asked{initial, monospaced};
            return c.answer;
        });
        const FontProfile before = options.Profile(c.which);
        looks = {};
        QTest::mouseClick(panel.Profile(c.which)->SampleButton(), Qt::LeftButton);
        ASSERT_TRUE(asked.has_value());
        EXPECT_EQ(asked->monospaced, c.which == FixedProfile);
        EXPECT_EQ(asked->initial.pointSize(), before.FontSize);
        const FontProfile& after = options.Profile(c.which);
        EXPECT_EQ(after.FontSize, c.size);
        EXPECT_EQ(looks[c.which], c.taken ? 1 : 0);
        if (c.taken) {
            EXPECT_EQ(QString::fromStdString(after.FontName), c.answer->family());
            EXPECT_EQ(after.Bold, c.answer->bold());
            EXPECT_EQ(after.StrikeOut, c.answer->strikeOut());
            EXPECT_EQ(after.FontColor, before.FontColor);
        } else {
            EXPECT_EQ(after, before);
        }
    }
}

TEST_F(OptionsPanelTest, ColourSwatchesTakeTheChosenColour)
{
    ProfileGroup* fixed = panel.Profile(FixedProfile);
    std::optional<QColor> answer = QColor(255, 0, 0);
    QColor offered;
    panel.SetColorChooser([&](const QColor& initial) {
        offered = initial;
        return answer;
    });
    QTest::mouseClick(fixed->FontColorButton(), Qt::LeftButton);
    EXPECT_EQ(ColorRefOf(offered), 0x4A3800u);
    EXPECT_EQ(options.Profile(FixedProfile).FontColor, 0x0000FFu);
    const QImage swatch = PictureOf(fixed->FontColorButton());
    EXPECT_EQ(swatch.pixelColor(SwatchWidth / 2, SwatchHeight / 2), QColor(255, 0, 0));
    EXPECT_EQ(swatch.pixelColor(0, SwatchHeight / 2), QColor(0, 255, 255));
    answer.reset();  // cancelled
    QTest::mouseClick(fixed->BackColorButton(), Qt::LeftButton);
    EXPECT_EQ(options.Profile(FixedProfile).BackColor, 0xA4BBB8u);
}

TEST_F(OptionsPanelTest, HelpAndAboutAreAsked)
{
    int help = 0, about = 0;
    QObject::connect(&panel, &OptionsPanel::HelpRequested, [&] { ++help; });
    QObject::connect(&panel, &OptionsPanel::AboutRequested, [&] { ++about; });
    QTest::mouseClick(panel.Button(HelpControl), Qt::LeftButton);
    QTest::mouseClick(panel.Button(AboutControl), Qt::LeftButton);
    EXPECT_EQ(help, 1);
    EXPECT_EQ(about, 1);
}

// The panel in the reader window.
QColor PixelAt(QWidget* widget, QPoint at)
{
    return widget->grab().toImage().pixelColor(at);
}

TEST_F(ReaderWindowTest, FixedWidthColourRepaintsOnlyItsSwatchWhileProportionalIsActive)
{
    WriteBook(5);
    StartWithBook();
    WhileReading([&] {
        QTest::keyClick(View(), Qt::Key_Asterisk, Qt::KeypadModifier);
        zeb::OptionsPanel* panel = window->OptionsPanel();
        ASSERT_EQ(panel->height(), panel->DesignedSize().height());
        const QPoint margin(View()->width() - 2, View()->height() / 2);
        const QColor page = PixelAt(View(), margin);
        ASSERT_EQ(page, QColorOf(0xA4BBB8));
        const QImage proportionalBefore = panel->Profile(ProportionalProfile)->BackColorButton()->icon()
                                              .pixmap(QSize(SwatchWidth, SwatchHeight)).toImage();
        panel->SetColorChooser([](const QColor&) { return QColor(200, 0, 0); });
        QTest::mouseClick(panel->Profile(FixedProfile)->BackColorButton(), Qt::LeftButton);
        const QImage fixed = panel->Profile(FixedProfile)->BackColorButton()->icon()
                                 .pixmap(QSize(SwatchWidth, SwatchHeight)).toImage();
        EXPECT_EQ(fixed.pixelColor(SwatchWidth / 2, 1), QColor(200, 0, 0));
        EXPECT_EQ(panel->Profile(ProportionalProfile)->BackColorButton()->icon()
                      .pixmap(QSize(SwatchWidth, SwatchHeight)).toImage(),
                  proportionalBefore);
        EXPECT_EQ(Engine().Metrics().BackColor, 0xA4BBB8u);
        EXPECT_EQ(PixelAt(View(), margin), page);
    });
}

TEST_F(ReaderWindowTest, FormattingToggleShowsOriginalAndFixedWidthInThePanel)
{
    WriteBook(5);
    StartWithBook();
    WhileReading([&] {
        zeb::OptionsPanel* panel = window->OptionsPanel();
        QTest::mouseClick(window->Toolbar()->FormattingButton(), Qt::LeftButton);
        EXPECT_TRUE(panel->Group(FormattingControl)->Item(2)->isChecked());
        EXPECT_TRUE(panel->Group(FontWidthControl)->Item(1)->isChecked());
        QTest::mouseClick(window->Toolbar()->FormattingButton(), Qt::LeftButton);
        EXPECT_TRUE(panel->Group(FormattingControl)->Item(1)->isChecked());
        EXPECT_TRUE(panel->Group(FontWidthControl)->Item(0)->isChecked());
    });
}

TEST_F(ReaderWindowTest, ReaderKeysAndHelpWorkFromThePanel)
{
    WriteBook(5);
    StartWithBook();
    WhileReading([&] {
        zeb::OptionsPanel* panel = window->OptionsPanel();
        QTest::keyClick(View(), Qt::Key_Tab);
        EXPECT_FALSE(panel->isAncestorOf(QApplication::focusWidget())) << "the hidden panel took the focus";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Asterisk, Qt::KeypadModifier);
        ASSERT_TRUE(panel->isVisible());
        QRadioButton* jump = panel->Group(MovementControl)->Item(1);
        jump->setFocus();
        QTest::keyClick(jump, Qt::Key_Slash, Qt::KeypadModifier);  // "Smooth Scroll / Jump"
        EXPECT_FALSE(window->Options().Settings().TextMovement);
        EXPECT_TRUE(jump->isChecked());
        // Typed into a field, "-" is a minus sign, not "Slower to Scroll".
        QLineEdit* margins = panel->Profile(ProportionalProfile)->MarginsField()->Edit();
        margins->setFocus();
        margins->selectAll();
        QTest::keyClicks(margins, QStringLiteral("-5"));
        EXPECT_EQ(margins->text(), "-5");
        EXPECT_EQ(window->Options().Settings().LinesPerSecond, 50);
        EXPECT_EQ(window->Options().Profile(ProportionalProfile).PageMargins, 5);
        EXPECT_EQ(panel->Group(MovementControl)->contextMenuPolicy(), Qt::ActionsContextMenu);
        EXPECT_EQ(panel->Button(DefaultControl)->contextMenuPolicy(), Qt::ActionsContextMenu);
        QTest::mouseClick(panel->Button(HelpControl), Qt::LeftButton);
        EXPECT_TRUE(window->Help()->isVisible());
    });
}

}  // namespace
}  // namespace zeb::test
