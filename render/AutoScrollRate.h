#pragma once

#include <cstdint>

#include "render/ZEBRenderParag.h"
#include "settings/ReaderSettings.h"

namespace zeb {

// Counter counts between two one-pixel auto-scroll steps. "Constant": LinesPerSecond pixels a
// second. "Variable": the text on screen passes in the time its characters take to read at
// CharsPerSecond, so the period follows what is shown and is computed again before each step.
int64_t ConstantStepPeriod(int32_t linesPerSecond, int64_t frequency);
// characters read over pixels of text at charsPerSecond (at least half a second's worth).
int64_t ReadingStepPeriod(int64_t characters, int64_t pixels, int32_t charsPerSecond,
                          int64_t frequency);
int64_t VariableStepPeriod(const ZEBRenderParag& engine, int32_t charsPerSecond, int64_t frequency);
int64_t StepPeriod(const ZEBRenderParag& engine, const ReaderSettings& settings, int64_t frequency);

}  // namespace zeb
