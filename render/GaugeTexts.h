#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "render/ZEBMainLoop.h"
#include "render/ZEBRenderParag.h"

namespace zeb {

// What the toolbar gauge shows.
struct GaugeReading {
    std::optional<int32_t> Tenths;  // reading position in tenths of a percent
    bool ConstantSpeed = true;
    StepCounters LastSecond;        // auto-scroll steps of the last whole second

    bool operator==(const GaugeReading&) const = default;
};

// The reading position in tenths of a percent: where the first screen line's line starts;
// without one, 0 while the text lies below the view's top and 1000 once it has gone up past
// it; none when nothing is laid out (no book).
std::optional<int32_t> GaugeTenths(const ZEBRenderParag& engine);

// "37.5%", "100.0%", "0.0%".
std::string PercentText(int32_t tenths);
// The time of day as "h:nn": "9:05", "23:59".
std::string ClockText(int hour, int minute);

// The two texts of the speed block, both measured for its width.
inline constexpr const char* ConstantSpeedText = "Constant";
inline constexpr const char* VariableSpeedText = "Variable";
const char* SpeedModeText(bool constantSpeed);
// The steps of the last second, and " - " and the late ones when there were any; empty when
// auto-scroll made no step.
std::string StepsText(const StepCounters& lastSecond);

}  // namespace zeb
