#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/ReaderSettings.h"

namespace zeb {

// The value a number field's text stands for: a whole decimal number (spaces around it and a
// sign allowed) within range. Anything else stands for nothing, and the setting stays.
std::optional<int32_t> FieldValue(std::string_view text, SettingRange range);

}  // namespace zeb
