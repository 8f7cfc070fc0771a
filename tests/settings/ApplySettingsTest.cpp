#include <vector>

#include <gtest/gtest.h>

#include "settings/ApplySettings.h"
#include "EventRecorder.h"

namespace zeb {
namespace {

using test::EventRecorder;

// A stored copy differing from the live settings in every field.
ReaderSettings Stored()
{
    ReaderSettings s = InitialReaderSettings();
    s.Profiles[ProportionalProfile] = {"DejaVu Sans", 0, 9, 1, 2, 30, 0, true, true, true, true};
    s.Profiles[FixedProfile] = {"DejaVu Sans Mono", 1, 2, 3, 4, 10, 0, true, true, true, true};
    s.LinesPerSecond = 7;
    s.CharsPerSecond = 8;
    s.SpeedMode = false;
    s.Antialiasing = 2;
    s.ColorResolution = true;
    s.ScrollMode = false;
    s.TextMovement = false;
    s.TextFormatting = FormattingFull;
    s.FontWidth = false;
    return s;
}

ReaderSettings Live()
{
    ReaderSettings s = DefaultReaderSettings();  // charsets 1, unlike the stored copy
    s.AutoScrollActive = true;
    return s;
}

TEST(ApplySettingsTest, AllCopiesEveryStoredSettingButCharsetAndFiresEachEventOnce)
{
    ZEBOptions options(Live());
    EventRecorder recorder(options);

    BookSource source = ApplySettings(options, Stored(), true, nullptr);

    ReaderSettings expected = Stored();
    expected.Profiles[ProportionalProfile].Charset = 1;
    expected.Profiles[FixedProfile].Charset = 1;
    EXPECT_EQ(options.Settings(), expected);
    EXPECT_EQ(recorder.Take(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_FALSE(recorder.flagStillSet);
    EXPECT_EQ(source, BookSource{});
}

TEST(ApplySettingsTest, BookOptionsTakePrecedenceOverTheStoredOnes)
{
    struct Case {
        const char* name;
        void (*fill)(ZEBFileOptions&);
        bool storedFontWidth;
        uint8_t storedFormatting;
        bool fontWidth;
        uint8_t textFormatting;
    };
    const Case cases[] = {
        {"book has both",
         [](ZEBFileOptions& b) {
             b.SetByte(0x108, 1);
             b.SetInteger(0x107, FormattingOriginal);
         },
         false, FormattingFull, true, FormattingOriginal},
        {"book has both, stored as zeros",
         [](ZEBFileOptions& b) {
             b.SetByte(0x108, 0);
             b.SetInteger(0x107, FormattingFull);
         },
         true, FormattingOriginal, false, FormattingFull},
        {"book has neither", [](ZEBFileOptions& b) { b.SetInteger(1, 40); },
         true, FormattingOriginal, true, FormattingOriginal},
        {"unknown formatting", [](ZEBFileOptions& b) { b.SetInteger(0x107, 0x102); },
         false, FormattingFullHyphen, false, FormattingFullHyphen},
    };
    for (const Case& c : cases) {
        ZEBFileOptions book;
        c.fill(book);
        ReaderSettings stored = Stored();
        stored.FontWidth = c.storedFontWidth;
        stored.TextFormatting = c.storedFormatting;
        for (bool all : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.name << (all ? ", all" : ", book only"));
            ZEBOptions options(Live());

            ApplySettings(options, stored, all, &book);

            EXPECT_EQ(options.Settings().FontWidth, c.fontWidth);
            EXPECT_EQ(options.Settings().TextFormatting, c.textFormatting);
        }
    }
}

TEST(ApplySettingsTest, OpeningABookChangesOnlyItsOwnSettings)
{
    ZEBOptions options(Live());
    EventRecorder recorder(options);
    ZEBFileOptions book;
    book.SetInteger(7, 123456);
    book.SetWideString(8, u"Война и мир.txt");
    book.SetByte(0x108, 0);
    book.SetInteger(0x107, FormattingOriginal);

    BookSource source = ApplySettings(options, InitialReaderSettings(), false, &book);

    ReaderSettings expected = Live();
    expected.AutoScrollActive = false;
    expected.FontWidth = false;
    expected.TextFormatting = FormattingOriginal;
    EXPECT_EQ(options.Settings(), expected);
    EXPECT_EQ(recorder.Take(), (std::vector<int>{0, 3}));
    EXPECT_EQ(source, (BookSource{u"Война и мир.txt", 123456}));
}

TEST(ApplySettingsTest, DefaultSetsEveryDefaultValueInOneUpdate)
{
    ReaderSettings start = Stored();
    start.AutoScrollActive = true;
    ZEBOptions options(start);
    EventRecorder recorder(options);

    ApplyDefaultSettings(options);

    ReaderSettings expected = DefaultReaderSettings();
    expected.AutoScrollActive = true;
    EXPECT_EQ(options.Settings(), expected);
    EXPECT_EQ(recorder.Take(), (std::vector<int>{0, 1, 2, 3}));
}

}  // namespace
}  // namespace zeb
