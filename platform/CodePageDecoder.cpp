#include "platform/CodePageDecoder.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/CodePages.h"
#include "platform/LittleEndian.h"
#include "platform/Utf8Decoder.h"

namespace zeb {

namespace {

constexpr char16_t NoCharacter = 0xFFFF;

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
    if (codePage == UnicodeCodePage)
        return;
    converter_ = OpenConverter(codePage);
    // UTF-8 decodes faster here than through ICU's offsets.
    utf8_ = ucnv_getType(converter_) == UCNV_UTF8;
    UConverterType type = ucnv_getType(converter_);
    if (type == UCNV_SBCS || type == UCNV_LATIN_1 || type == UCNV_US_ASCII)
        BuildByteTable();
}

CodePageDecoder::~CodePageDecoder()
{
    if (converter_)
        ucnv_close(converter_);
}

// Each byte decoded on its own; kept only when every byte gives exactly one code unit.
void CodePageDecoder::BuildByteTable()
{
    auto table = std::make_unique<std::array<char16_t, 256>>();
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const char* source = &byte;
        UChar unit[2];
        UChar* target = unit;
        UErrorCode error = U_ZERO_ERROR;
        ucnv_resetToUnicode(converter_);
        ucnv_toUnicode(converter_, &target, unit + 2, &source, &byte + 1, nullptr, true, &error);
        if (U_FAILURE(error) || target != unit + 1)
            return;
        (*table)[size_t(b)] = unit[0] == NoCharacter ? ReplacementChar : unit[0];
    }
    ucnv_resetToUnicode(converter_);
    byteTable_ = std::move(table);
}

void CodePageDecoder::Reset()
{
    if (converter_)
        ucnv_resetToUnicode(converter_);
}

int32_t CodePageDecoder::Decode(const Piece& piece, char16_t* units, int32_t* positions,
                                int32_t& produced)
{
    if (!converter_)
        return DecodeUtf16(piece, units, positions, produced);
    if (utf8_)
        return DecodeUtf8(piece.data, piece.count, piece.base, piece.last, units, positions,
                          produced);
    if (!byteTable_)
        return DecodeIcu(piece, units, positions, produced);
    const std::array<char16_t, 256>& table = *byteTable_;
    for (int32_t i = 0; i < piece.count; ++i) {
        units[i] = table[piece.data[i]];
        positions[i] = piece.base + i;
    }
    produced = piece.count;
    return piece.count;
}

int32_t CodePageDecoder::DecodeUtf16(const Piece& piece, char16_t* units, int32_t* positions,
                                     int32_t& produced)
{
    int32_t n = piece.count / 2;
    for (int32_t k = 0; k < n; ++k) {
        char16_t unit = char16_t(LoadU16(piece.data + 2 * k));
        units[k] = unit == NoCharacter ? ReplacementChar : unit;
        positions[k] = piece.base + 2 * k;
    }
    produced = n;
    if (piece.count % 2 == 0 || !piece.last)
        return 2 * n;
    units[n] = ReplacementChar;
    positions[n] = piece.base + 2 * n;
    produced = n + 1;
    return piece.count;
}

int32_t CodePageDecoder::DecodeIcu(const Piece& piece, char16_t* units, int32_t* positions,
                                   int32_t& produced)
{
    const char* begin = reinterpret_cast<const char*>(piece.data);
    const char* source = begin;
    UChar* target = reinterpret_cast<UChar*>(units);
    UErrorCode error = U_ZERO_ERROR;
    ucnv_toUnicode(converter_, &target, target + Room(piece.count), &source,
                   begin + piece.count, positions, piece.last, &error);
    produced = int32_t(target - reinterpret_cast<UChar*>(units));
    // ICU gives the offset of each unit's character, -1 for units it held over from an earlier
    // piece (they belong to the character before them).
    int32_t next = piece.base;
    for (int32_t k = 0; k < produced; ++k) {
        next = std::max(piece.base + std::max(positions[k], 0), next);
        positions[k] = next++;
        if (units[k] == NoCharacter)
            units[k] = ReplacementChar;
    }
    int32_t used = int32_t(source - begin);
    if (piece.last || used < piece.count)
        return used;
    // A character cut by the end is decoded again, whole, at the start of the next piece, by a
    // decoder started afresh: only a shift state open across the cut would notice, and callers
    // end their pieces after an LF where they can.
    error = U_ZERO_ERROR;
    int32_t pending = ucnv_toUCountPending(converter_, &error);
    if (U_FAILURE(error) || pending <= 0 || pending >= piece.count)
        return piece.count;
    ucnv_resetToUnicode(converter_);
    return piece.count - pending;
}

}  // namespace zeb
