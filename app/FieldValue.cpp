#include "app/FieldValue.h"

#include <charconv>

namespace zeb {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::optional<int32_t> FieldValue(std::string_view text, SettingRange range)
{
    text = Trimmed(text);
    // from_chars takes a minus sign but no plus sign.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    int32_t value = 0;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || !range.Contains(value))
        return std::nullopt;
    return value;
}

}  // namespace zeb
