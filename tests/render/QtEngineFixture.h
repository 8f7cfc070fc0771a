#pragma once

#include <memory>
#include <string>

#include <QImage>

#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "render/QtMeasurer.h"
#include "render/QtRaster.h"
#include "render/RampPalette.h"

namespace zeb::test {

// Page colours far apart in every channel, so that ink shows wherever it is.
constexpr ColorRef PageBack = 0x00C8E6F0;  // red 240, green 230, blue 200
constexpr ColorRef PageInk = 0x00782814;   // red 20, green 40, blue 120

// DejaVu Sans at 12 points, margins 10, no extra interval, in PageInk on PageBack.
inline ReaderSettings RasterSettings(uint8_t antialiasing, bool trueColor)
{
    ReaderSettings s = InitialReaderSettings();
    for (FontProfile& p : s.Profiles) {
        p.FontName = "DejaVu Sans";
        p.FontSize = 12;
        p.PageMargins = 10;
        p.LineInterval = 0;
        p.BackColor = PageBack;
        p.FontColor = PageInk;
    }
    s.FontWidth = true;
    s.TextFormatting = FormattingFull;
    s.Antialiasing = antialiasing;
    s.ColorResolution = trueColor;
    return s;
}

// The engine as the reader runs it: the Qt measurer and the Qt raster, on a 400 x 300 view,
// with a book the test writes first.
class QtEngineTest : public ::testing::Test {
protected:
    QtEngineTest() : book(dir.File("00000001.book")) {}

    void Open()
    {
        engine.ApplyDisplaySettings();
        ASSERT_EQ(engine.Book().Open(dir.File("00000001.book")), BookOpenResult::Opened);
    }

    TempDir dir;
    TestBookWriter book;
    ZEBOptions options{RasterSettings(1, true)};
    TestHost host;
    QtRasterStep raster;
    ZEBRenderParag engine{options, host, std::make_unique<QtMeasurer>(), raster};
};

}  // namespace zeb::test
