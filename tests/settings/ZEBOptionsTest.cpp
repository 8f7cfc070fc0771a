#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/ZEBOptions.h"
#include "EventRecorder.h"

namespace zeb {
namespace {

using test::EventRecorder;

struct SetterCase {
    const char* name;
    bool proportionalActive;
    std::function<void(ZEBOptions&)> set;
    std::function<void(ReaderSettings&)> expectChange;
    std::vector<int> events;
};

const FontProfileIndex P = ProportionalProfile;
const FontProfileIndex F = FixedProfile;

std::vector<SetterCase> SetterCases()
{
    return {
        {"proportional name, proportional active", true,
         [](ZEBOptions& o) { o.SetFontName(P, "Arial"); },
         [](ReaderSettings& s) { s.Profiles[P].FontName = "Arial"; }, {0, 1, 3}},
        {"proportional back colour, fixed active", false,
         [](ZEBOptions& o) { o.SetBackColor(P, 0x123456); },
         [](ReaderSettings& s) { s.Profiles[P].BackColor = 0x123456; }, {1}},
        {"fixed font colour, proportional active", true,
         [](ZEBOptions& o) { o.SetFontColor(F, 0xFF); },
         [](ReaderSettings& s) { s.Profiles[F].FontColor = 0xFF; }, {2}},
        {"fixed size, fixed active", false,
         [](ZEBOptions& o) { o.SetFontSize(F, 40); },
         [](ReaderSettings& s) { s.Profiles[F].FontSize = 40; }, {0, 2, 3}},
        {"fixed charset, proportional active", true,
         [](ZEBOptions& o) { o.SetCharset(F, 204); },
         [](ReaderSettings& s) { s.Profiles[F].Charset = 204; }, {2}},
        {"proportional bold, proportional active", true,
         [](ZEBOptions& o) { o.SetBold(P, true); },
         [](ReaderSettings& s) { s.Profiles[P].Bold = true; }, {0, 1, 3}},
        {"fixed italic, proportional active", true,
         [](ZEBOptions& o) { o.SetItalic(F, true); },
         [](ReaderSettings& s) { s.Profiles[F].Italic = true; }, {2}},
        {"proportional underline, fixed active", false,
         [](ZEBOptions& o) { o.SetUnderline(P, true); },
         [](ReaderSettings& s) { s.Profiles[P].Underline = true; }, {1}},
        {"fixed strike-out, fixed active", false,
         [](ZEBOptions& o) { o.SetStrikeOut(F, true); },
         [](ReaderSettings& s) { s.Profiles[F].StrikeOut = true; }, {0, 2, 3}},
        {"inactive profile's margins", true,
         [](ZEBOptions& o) { o.SetPageMargins(F, 0); },
         [](ReaderSettings& s) { s.Profiles[F].PageMargins = 0; }, {0, 3}},
        {"active profile's interval", true,
         [](ZEBOptions& o) { o.SetLineInterval(P, 9); },
         [](ReaderSettings& s) { s.Profiles[P].LineInterval = 9; }, {0, 3}},
        {"text formatting", true,
         [](ZEBOptions& o) { o.SetTextFormatting(FormattingOriginal); },
         [](ReaderSettings& s) { s.TextFormatting = FormattingOriginal; }, {0, 3}},
        {"font width", true,
         [](ZEBOptions& o) { o.SetFontWidth(false); },
         [](ReaderSettings& s) { s.FontWidth = false; }, {0, 3}},
        {"colour resolution", true,
         [](ZEBOptions& o) { o.SetColorResolution(true); },
         [](ReaderSettings& s) { s.ColorResolution = true; }, {0, 3}},
        {"antialiasing", true,
         [](ZEBOptions& o) { o.SetAntialiasing(3); },
         [](ReaderSettings& s) { s.Antialiasing = 3; }, {0, 1, 2, 3}},
        {"lines per second", true,
         [](ZEBOptions& o) { o.SetLinesPerSecond(500); },
         [](ReaderSettings& s) { s.LinesPerSecond = 500; }, {0}},
        {"chars per second", true,
         [](ZEBOptions& o) { o.SetCharsPerSecond(1); },
         [](ReaderSettings& s) { s.CharsPerSecond = 1; }, {0}},
        {"speed mode", true,
         [](ZEBOptions& o) { o.SetSpeedMode(false); },
         [](ReaderSettings& s) { s.SpeedMode = false; }, {0}},
        {"scroll mode", true,
         [](ZEBOptions& o) { o.SetScrollMode(false); },
         [](ReaderSettings& s) { s.ScrollMode = false; }, {0}},
        {"text movement", true,
         [](ZEBOptions& o) { o.SetTextMovement(false); },
         [](ReaderSettings& s) { s.TextMovement = false; }, {0}},
        {"auto-scroll", true,
         [](ZEBOptions& o) { o.SetAutoScrollActive(true); },
         [](ReaderSettings& s) { s.AutoScrollActive = true; }, {0}},
    };
}

TEST(ZEBOptionsTest, EachSetterStoresItsFieldAndFiresTheEventsItMarks)
{
    for (const SetterCase& c : SetterCases()) {
        SCOPED_TRACE(c.name);
        ReaderSettings start = InitialReaderSettings();
        start.FontWidth = c.proportionalActive;
        ZEBOptions options(start);
        EventRecorder recorder(options);

        c.set(options);

        ReaderSettings expected = start;
        c.expectChange(expected);
        EXPECT_EQ(options.Settings(), expected);
        EXPECT_EQ(recorder.Take(), c.events);
        EXPECT_FALSE(recorder.flagStillSet);
    }
}

TEST(ZEBOptionsTest, NestedUpdateFiresEachMarkedEventOnceAtTheOutermostEnd)
{
    ZEBOptions options;
    EventRecorder recorder(options);

    options.BeginUpdate();
    options.BeginUpdate();
    options.SetFontColor(FixedProfile, 1);
    options.SetLinesPerSecond(10);
    options.SetPageMargins(ProportionalProfile, 1);
    options.SetFontColor(FixedProfile, 2);
    options.EndUpdate();
    EXPECT_EQ(options.UpdateLock(), 1);
    EXPECT_TRUE(recorder.fired.empty());
    EXPECT_TRUE(options.IsMarked(FixedLookChanged));
    EXPECT_FALSE(options.IsMarked(ProportionalLookChanged));

    options.EndUpdate();
    EXPECT_EQ(options.UpdateLock(), 0);
    EXPECT_EQ(recorder.Take(), (std::vector<int>{0, 2, 3}));
    EXPECT_FALSE(recorder.flagStillSet);

    options.EndUpdate();  // unbalanced: nothing is recorded, nothing fires
    EXPECT_EQ(options.UpdateLock(), 0);
    EXPECT_TRUE(recorder.fired.empty());
}

TEST(ZEBOptionsTest, MissingHandlerIsSkippedAndItsFlagCleared)
{
    ZEBOptions options;
    std::vector<int> fired;
    options.SetHandler(LayoutChanged, [&] { fired.push_back(LayoutChanged); });

    options.SetAntialiasing(2);

    EXPECT_EQ(fired, std::vector<int>{LayoutChanged});
    for (int e = 0; e < ChangeEventCount; ++e)
        EXPECT_FALSE(options.IsMarked(ChangeEvent(e))) << e;
}

TEST(ZEBOptionsTest, ChangeMadeByAHandlerFiresFromInsideIt)
{
    // The layout engine stops auto-scroll, with notification, while it rebuilds.
    ZEBOptions options;
    std::vector<std::string> trace;
    options.SetHandler(SettingsChanged, [&] { trace.push_back("settings"); });
    options.SetHandler(LayoutChanged, [&] {
        trace.push_back("layout begins");
        options.SetAutoScrollActive(false);
        trace.push_back("layout ends");
    });

    options.SetTextFormatting(FormattingFull);

    EXPECT_EQ(trace, (std::vector<std::string>{"settings", "layout begins", "settings",
                                               "layout ends"}));
}

TEST(ZEBOptionsTest, NotifyMarksEventsWithoutChangingSettings)
{
    ZEBOptions options;
    EventRecorder recorder(options);

    options.BeginUpdate();
    options.Notify({LayoutChanged, SettingsChanged, FixedLookChanged, ProportionalLookChanged});
    options.EndUpdate();

    EXPECT_EQ(recorder.Take(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(options.Settings(), InitialReaderSettings());
}

}  // namespace
}  // namespace zeb
