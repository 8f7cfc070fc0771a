#include "render/GaugeTexts.h"

#include <cstdio>

#include "storage/TextPlace.h"

namespace zeb {

std::optional<int32_t> GaugeTenths(const ZEBRenderParag& engine)
{
    if (engine.Blocks().empty())
        return std::nullopt;
    if (engine.ScreenLines().empty())
        return engine.Blocks().front()->FirstLine().Y > 0 ? 0 : 1000;
    const ZEBBook& book = engine.Book();
    const int32_t lineStart = engine.ScreenLines().front().Line->Start;
    return PlaceInTenths(lineStart, book.TextStart(), book.TextEnd());
}

std::string PercentText(int32_t tenths)
{
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "%";
}

std::string ClockText(int hour, int minute)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", hour, minute);
    return text;
}

const char* SpeedModeText(bool constantSpeed)
{
    return constantSpeed ? ConstantSpeedText : VariableSpeedText;
}

std::string StepsText(const StepCounters& lastSecond)
{
    if (lastSecond.Steps <= 0)
        return {};
    std::string text = std::to_string(lastSecond.Steps);
    if (lastSecond.LateSteps > 0)
        text += " - " + std::to_string(lastSecond.LateSteps);
    return text;
}

}  // namespace zeb
