#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zeb {

class ZEBFile;

// What a text's first bytes look like to the charset detector.
struct CodePageSuggestion {
    // The detector's own rating from which on a suggestion may replace the remembered page.
    static constexpr int32_t ConfidentFrom = 50;

    int32_t codePage = 0;    // a catalogue code page; 0 when there is no suggestion
    int32_t confidence = 0;  // 0 .. 100

    bool Exists() const { return codePage != 0; }
    bool Confident() const { return Exists() && confidence >= ConfidentFrom; }
};

// The detector looks at this much of a text.
constexpr int32_t SuggestionSampleSize = 64 * 1024;

// The first SuggestionSampleSize bytes of source (fewer when it is shorter).
std::vector<uint8_t> SuggestionSample(ZEBFile& source);

CodePageSuggestion SuggestCodePage(std::span<const uint8_t> sample);

// True when decoding sample in codePage gives a replacement character (a character cut off by
// the sample's end does not count).
bool DecodesWithReplacements(int32_t codePage, std::span<const uint8_t> sample);

// The code page to select first: the remembered one, unless the detector is confident and the
// remembered one would garble the sample.
int32_t PreselectedCodePage(int32_t remembered, const CodePageSuggestion& suggestion,
                            std::span<const uint8_t> sample);

// "1251 (ANSI - Cyrillic)": how a code page is named beside a suggestion or a choice.
std::string CodePageLabel(int32_t codePage);

}  // namespace zeb
