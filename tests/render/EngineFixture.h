#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FakeMeasurer.h"
#include "TestBook.h"
#include "render/ZEBRenderParag.h"
#include "storage/BookHeader.h"
#include "support/TempDir.h"

namespace zeb::test {

// A view whose size the test sets, counting what the engine asks of it.
class TestHost : public ZEBRenderHost {
public:
    ViewSize ViewSizeNow() const override { return size; }
    void RepaintView() override { ++repaints; }
    void PositionChanged() override { ++positionChanges; }

    ViewSize size{400, 300};
    int repaints = 0;
    int positionChanges = 0;
};

// A render step that finishes a request in a fixed number of steps.
class CountingStep : public ZEBRenderStep {
public:
    bool Advance(ZEBRenderQuenue& request) override
    {
        ++steps;
        if (++request.StepState == ZEBRenderQuenue::Finished)
            request.Result = std::make_unique<ZEBLineBitmap>();
        return true;
    }
    int steps = 0;
};

// Settings with round numbers: margins 10, interval 4, the fake font everywhere, so that a
// 400-pixel view leaves 380 for text and a line is 21 high ((20 - 3) + 4) with gaps of 6.
inline ReaderSettings TestSettings(uint8_t formatting)
{
    ReaderSettings s = InitialReaderSettings();
    for (FontProfile& p : s.Profiles) {
        p.PageMargins = 10;
        p.LineInterval = 4;
    }
    s.TextFormatting = formatting;
    s.FontWidth = true;
    return s;
}

// An engine over the fake measurer, with a book the test writes first.
class EngineTest : public ::testing::Test {
protected:
    EngineTest() : book(dir.File("00000001.book"))
    {
        options.SetHandler(LayoutChanged, [this] { engine.ApplyDisplaySettings(); });
    }

    // Opens the written book straight into the engine (no saved state).
    void Open(uint8_t formatting = FormattingFull)
    {
        ApplySettingsNow(TestSettings(formatting));
        ASSERT_EQ(engine.Book().Open(dir.File("00000001.book")), BookOpenResult::Opened);
    }

    void ApplySettingsNow(const ReaderSettings& settings)
    {
        options.BeginUpdate();
        options.SetTextFormatting(settings.TextFormatting);
        options.SetFontWidth(settings.FontWidth);
        for (int which : {ProportionalProfile, FixedProfile}) {
            options.SetPageMargins(FontProfileIndex(which), settings.Profiles[which].PageMargins);
            options.SetLineInterval(FontProfileIndex(which), settings.Profiles[which].LineInterval);
        }
        options.SetAntialiasing(settings.Antialiasing);
        options.EndUpdate();
    }

    // The y of every laid-out line, block by block.
    std::vector<int32_t> LineYs() const
    {
        std::vector<int32_t> ys;
        for (const auto& block : engine.Blocks())
            for (const auto& line : block->Lines)
                ys.push_back(line->Y);
        return ys;
    }

    TempDir dir;
    TestBookWriter book;
    ZEBOptions options{TestSettings(FormattingFull)};
    TestHost host;
    CountingStep step;
    ZEBRenderParag engine{options, host, std::make_unique<FakeMeasurer>(), step};
};

}  // namespace zeb::test
