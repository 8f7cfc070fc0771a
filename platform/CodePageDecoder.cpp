#include "platform/CodePageDecoder.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <stdexcept>
#include <string>

#include "platform/CodePages.h"
#include "platform/LittleEndian.h"

namespace zeb {

namespace {

// Undefined and cut-off byte sequences give U+FFFD, whatever substitute the ICU table has.
void WriteReplacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                      UConverterCallbackReason reason, UErrorCode* error)
{
    if (reason > UCNV_IRREGULAR)
        return;
    *error = U_ZERO_ERROR;
    const UChar replacement = ReplacementChar;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, error);
}

UConverter* OpenConverter(int32_t codePage)
{
    std::optional<CodePageInfo> info = GetCodePageInfo(codePage);
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = info ? ucnv_open(IcuConverterName(info->codePage), &error) : nullptr;
    if (!converter || U_FAILURE(error))
        throw std::invalid_argument("code page " + std::to_string(codePage) + " is not installed");
    ucnv_setFallback(converter, true);
    ucnv_setToUCallBack(converter, WriteReplacement, nullptr, nullptr, nullptr, &error);
    return converter;
}

}  // namespace

CodePageDecoder::CodePageDecoder(int32_t codePage)
{
    if (codePage != UnicodeCodePage)
        converter_ = OpenConverter(codePage);
}

CodePageDecoder::~CodePageDecoder()
{
    if (converter_)
        ucnv_close(converter_);
}

void CodePageDecoder::Reset()
{
    if (converter_)
        ucnv_resetToUnicode(converter_);
}

int32_t CodePageDecoder::Decode(const uint8_t* data, int32_t count, bool last,
                                std::vector<char16_t>& units, std::vector<int32_t>& starts)
{
    if (converter_)
        return DecodeIcu(data, count, last, units, starts);
    int32_t i = 0;
    for (; i + 1 < count; i += 2) {
        units.push_back(char16_t(LoadU16(data + i)));
        starts.push_back(i);
    }
    if (i == count || !last)
        return i;
    units.push_back(ReplacementChar);
    starts.push_back(i);
    return count;
}

int32_t CodePageDecoder::DecodeIcu(const uint8_t* data, int32_t count, bool last,
                                   std::vector<char16_t>& units, std::vector<int32_t>& starts)
{
    const char* begin = reinterpret_cast<const char*>(data);
    const char* source = begin;
    UErrorCode error = U_BUFFER_OVERFLOW_ERROR;
    while (error == U_BUFFER_OVERFLOW_ERROR) {
        size_t done = units.size();
        size_t room = 2 * size_t(begin + count - source) + 16;
        units.resize(done + room);
        starts.resize(done + room);
        int32_t base = int32_t(source - begin);
        UChar* target = reinterpret_cast<UChar*>(units.data() + done);
        error = U_ZERO_ERROR;
        ucnv_toUnicode(converter_, &target, target + room, &source, begin + count,
                       starts.data() + done, last, &error);
        size_t produced = size_t(target - reinterpret_cast<UChar*>(units.data() + done));
        units.resize(done + produced);
        starts.resize(done + produced);
        // Units held over from a full target belong to the character before them.
        for (size_t k = done; k < done + produced; ++k)
            starts[k] = starts[k] >= 0 ? starts[k] + base : (k > 0 ? starts[k - 1] : 0);
    }
    if (last)
        return count;
    // A character cut by the end is decoded again, whole, at the start of the next piece, by a
    // decoder started afresh: only a shift state open across the cut would notice, and callers
    // end their pieces after an LF where they can.
    error = U_ZERO_ERROR;
    int32_t pending = ucnv_toUCountPending(converter_, &error);
    if (U_FAILURE(error) || pending <= 0 || pending >= count)
        return count;
    ucnv_resetToUnicode(converter_);
    return count - pending;
}

}  // namespace zeb
