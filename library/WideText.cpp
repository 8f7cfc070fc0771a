#include "library/WideText.h"

namespace zeb {
namespace {

constexpr char32_t Replacement = 0xFFFD;
constexpr wchar_t UndecodedMark = 0xFFFE;
constexpr char32_t UndecodedBase = 0xE000;

bool IsScalar(char32_t c) { return c < 0x110000 && (c < 0xD800 || c > 0xDFFF); }

// Length of the sequence that starts with lead, or 0 when lead cannot start one.
int SequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Decodes the sequence at text[i] into c and moves i past it; a malformed sequence gives
// U+FFFD, moves one byte on and returns false.
bool NextUtf8(std::string_view text, size_t& i, char32_t& c)
{
    unsigned char lead = text[i];
    int length = SequenceLength(lead);
    c = length == 1 ? lead : lead & (0x7F >> length);
    bool good = length > 0 && i + length <= text.size();
    for (int k = 1; good && k < length; ++k) {
        unsigned char next = text[i + k];
        good = (next & 0xC0) == 0x80;
        c = c << 6 | (next & 0x3F);
    }
    // Overlong forms and surrogates are refused like any other malformed sequence.
    static constexpr char32_t Least[] = {0, 0, 0x80, 0x800, 0x10000};
    good = good && c >= Least[length] && IsScalar(c);
    i += good ? size_t(length) : 1;
    if (!good)
        c = Replacement;
    return good;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c)
{
    if (!IsScalar(c))
        c = Replacement;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | c >> 6);
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | c >> 12);
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | c >> 18);
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

std::string WideToUtf8(std::wstring_view wide)
{
    bool undecoded = !wide.empty() && wide.front() == UndecodedMark;
    if (undecoded)
        wide.remove_prefix(1);
    std::string out;
    for (wchar_t w : wide) {
        char32_t c = char32_t(w);
        if (undecoded && c >= UndecodedBase + 0x80 && c <= UndecodedBase + 0xFF)
            out += char(c - UndecodedBase);
        else
            AppendUtf8(out, c);
    }
    return out;
}

std::wstring Utf8ToWide(std::string_view utf8)
{
    std::wstring out;
    char32_t c;
    for (size_t i = 0; i < utf8.size();) {
        NextUtf8(utf8, i, c);
        out += wchar_t(c);
    }
    return out;
}

bool IsValidUtf8(std::string_view text)
{
    char32_t c;
    for (size_t i = 0; i < text.size();) {
        if (!NextUtf8(text, i, c))
            return false;
    }
    return true;
}

}  // namespace zeb
