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
    holdsByte_ = false;
    if (converter_)
        ucnv_resetToUnicode(converter_);
}

int32_t CodePageDecoder::Pending() const
{
    if (!converter_)
        return holdsByte_ ? 1 : 0;
    UErrorCode error = U_ZERO_ERROR;
    int32_t pending = ucnv_toUCountPending(converter_, &error);
    return U_SUCCESS(error) && pending > 0 ? pending : 0;
}

void CodePageDecoder::Decode(const uint8_t* data, int32_t count, bool last,
                             std::vector<char16_t>& units, std::vector<int32_t>& starts)
{
    if (converter_)
        DecodeIcu(data, count, last, units, starts);
    else
        DecodeUtf16(data, count, last, units, starts);
}

void CodePageDecoder::DecodeUtf16(const uint8_t* data, int32_t count, bool last,
                                  std::vector<char16_t>& units, std::vector<int32_t>& starts)
{
    int32_t i = 0;
    if (holdsByte_ && count > 0) {
        units.push_back(char16_t(heldByte_ | data[0] << 8));
        starts.push_back(-1);
        holdsByte_ = false;
        i = 1;
    }
    for (; i + 1 < count; i += 2) {
        units.push_back(char16_t(LoadU16(data + i)));
        starts.push_back(i);
    }
    if (i < count) {
        holdsByte_ = true;
        heldByte_ = data[i];
    }
    if (last && holdsByte_) {
        units.push_back(ReplacementChar);
        starts.push_back(i < count ? i : -1);
        holdsByte_ = false;
    }
}

void CodePageDecoder::DecodeIcu(const uint8_t* data, int32_t count, bool last,
                                std::vector<char16_t>& units, std::vector<int32_t>& starts)
{
    const int32_t pendingBefore = Pending();
    const char* source = reinterpret_cast<const char*>(data);
    const char* sourceLimit = source + count;
    for (;;) {
        size_t done = units.size();
        size_t room = 2 * size_t(sourceLimit - source) + 16;
        units.resize(done + room);
        starts.resize(done + room);
        int32_t base = int32_t(source - reinterpret_cast<const char*>(data));
        UChar* target = reinterpret_cast<UChar*>(units.data() + done);
        UErrorCode error = U_ZERO_ERROR;
        ucnv_toUnicode(converter_, &target, target + room, &source, sourceLimit,
                       starts.data() + done, last, &error);
        size_t produced = size_t(target - reinterpret_cast<UChar*>(units.data() + done));
        units.resize(done + produced);
        starts.resize(done + produced);
        for (size_t k = done; k < done + produced; ++k) {
            // -1 marks units of a character begun before this call.
            if (starts[k] >= 0)
                starts[k] += base;
            else
                starts[k] = k > 0 && base > 0 ? starts[k - 1] : -pendingBefore;
        }
        if (error != U_BUFFER_OVERFLOW_ERROR)
            return;
    }
}

}  // namespace zeb
