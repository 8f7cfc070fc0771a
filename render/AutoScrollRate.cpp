#include "render/AutoScrollRate.h"

#include <algorithm>

namespace zeb {

namespace {

struct ScreenText {
    int64_t Characters = 0;
    int64_t Pixels = 0;
};

ScreenText TextOnScreen(const ZEBRenderParag& engine)
{
    const auto& screen = engine.ScreenLines();
    ScreenText text;
    for (const ZEBRenderScreenLine& entry : screen)
        for (const ZEBRenderWordObject& word : entry.Line->Words)
            text.Characters += int64_t(word.Text.size());
    if (!screen.empty())
        text.Pixels = screen.back().Line->Bottom() - screen.front().Line->Y;
    return text;
}

}  // namespace

int64_t ConstantStepPeriod(int32_t linesPerSecond, int64_t frequency)
{
    return frequency / std::max(1, linesPerSecond);
}

int64_t VariableStepPeriod(const ZEBRenderParag& engine, int32_t charsPerSecond, int64_t frequency)
{
    const RenderMetrics& m = engine.Metrics();
    ScreenText text = TextOnScreen(engine);
    if (text.Characters <= 0 || text.Pixels <= 0) {
        // Nothing on screen to read: half a line of "A"s over one line height.
        int32_t a = std::max(1, engine.TextWidth(u"A"));
        text.Characters = std::max(1, (m.ViewWidth / a) >> 1);
        text.Pixels = std::max(1, m.LineHeight);
    }
    return ReadingStepPeriod(text.Characters, text.Pixels, charsPerSecond, frequency);
}

int64_t ReadingStepPeriod(int64_t characters, int64_t pixels, int32_t charsPerSecond,
                          int64_t frequency)
{
    const int32_t rate = std::max(1, charsPerSecond);
    characters = std::max<int64_t>(rate >> 1, characters);
    long double period = (long double)frequency * characters /
                         ((long double)std::max<int64_t>(1, pixels) * rate);
    return std::max<int64_t>(1, int64_t(period));
}

int64_t StepPeriod(const ZEBRenderParag& engine, const ReaderSettings& settings, int64_t frequency)
{
    return settings.SpeedMode ? ConstantStepPeriod(settings.LinesPerSecond, frequency)
                              : VariableStepPeriod(engine, settings.CharsPerSecond, frequency);
}

}  // namespace zeb
