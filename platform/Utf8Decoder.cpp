#include "platform/Utf8Decoder.h"

namespace zeb {

namespace {

constexpr char16_t Replacement = 0xFFFD;
constexpr char16_t NoCharacter = 0xFFFF;

// The bytes that may follow a lead byte: the first continuation byte's range depends on the
// lead (no overlong forms, no surrogates, nothing above U+10FFFF), the others are 80..BF.
struct Lead {
    int length;  // 0 for a byte that starts no sequence
    uint8_t low, high;  // the range of the second byte
};

Lead LeadOf(uint8_t b)
{
    if (b >= 0xC2 && b <= 0xDF)
        return {2, 0x80, 0xBF};
    if (b == 0xE0)
        return {3, 0xA0, 0xBF};
    if (b == 0xED)
        return {3, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF)
        return {3, 0x80, 0xBF};
    if (b == 0xF0)
        return {4, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3)
        return {4, 0x80, 0xBF};
    if (b == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

}  // namespace

int32_t DecodeUtf8(const uint8_t* data, int32_t count, int32_t base, bool last, char16_t* units,
                   int32_t* positions, int32_t& produced)
{
    int32_t n = 0, i = 0;
    auto put = [&](char16_t unit, int32_t position) {
        units[n] = unit;
        positions[n++] = position;
    };
    while (i < count) {
        uint8_t b = data[i];
        if (b < 0x80) {
            put(b, base + i++);
            continue;
        }
        Lead lead = LeadOf(b);
        // The valid part: the lead and the continuation bytes that fit.
        int valid = 1;
        uint32_t cp = b & (0xFF >> (lead.length + 1));
        while (valid < lead.length && i + valid < count) {
            uint8_t c = data[i + valid];
            bool fits = valid == 1 ? c >= lead.low && c <= lead.high : c >= 0x80 && c <= 0xBF;
            if (!fits)
                break;
            cp = cp << 6 | (c & 0x3F);
            ++valid;
        }
        if (valid < lead.length && i + valid == count && !last)
            break;  // cut by the end of the piece: whole in the next one
        if (lead.length == 0 || valid < lead.length) {
            put(Replacement, base + i);
            i += valid;
        } else if (cp >= 0x10000) {
            put(char16_t(0xD800 + ((cp - 0x10000) >> 10)), base + i);
            put(char16_t(0xDC00 + (cp & 0x3FF)), base + i + 1);
            i += valid;
        } else {
            put(cp == NoCharacter ? Replacement : char16_t(cp), base + i);
            i += valid;
        }
    }
    produced = n;
    return i;
}

}  // namespace zeb
