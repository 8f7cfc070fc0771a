#include "import/CodePageSuggestion.h"

#include <unicode/ucsdet.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "import/CyrillicLetters.h"
#include "import/DetectorNames.h"
#include "platform/CodePageDecoder.h"
#include "platform/CodePages.h"
#include "storage/ZEBFile.h"

namespace zeb {

namespace {

struct DetectorCloser {
    void operator()(UCharsetDetector* detector) const { ucsdet_close(detector); }
};

bool Converts(int32_t codePage)
{
    return codePage == UnicodeCodePage || GetCodePageInfo(codePage).has_value();
}

// The detector's likeliest answer that names a code page of the catalogue.
CodePageSuggestion DetectorAnswer(std::span<const uint8_t> sample)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UCharsetDetector, DetectorCloser> detector(ucsdet_open(&status));
    if (U_FAILURE(status))
        return {};
    ucsdet_setText(detector.get(), reinterpret_cast<const char*>(sample.data()),
                   int32_t(sample.size()), &status);
    int32_t found = 0;
    const UCharsetMatch** matches = ucsdet_detectAll(detector.get(), &found, &status);
    if (U_FAILURE(status))
        return {};
    for (int32_t i = 0; i < found; ++i) {
        UErrorCode matchStatus = U_ZERO_ERROR;
        const char* name = ucsdet_getName(matches[i], &matchStatus);
        int32_t confidence = ucsdet_getConfidence(matches[i], &matchStatus);
        if (U_FAILURE(matchStatus) || !name)
            continue;
        int32_t codePage = CodePageOfDetectorName(name);
        if (codePage != 0 && Converts(codePage))
            return {codePage, confidence};
    }
    return {};
}

bool IsAscii(std::span<const uint8_t> sample)
{
    return std::all_of(sample.begin(), sample.end(), [](uint8_t b) { return b != 0 && b < 0x80; });
}

}  // namespace

std::vector<uint8_t> SuggestionSample(ZEBFile& source)
{
    std::vector<uint8_t> sample(size_t(std::min(source.Size(), SuggestionSampleSize)));
    if (!sample.empty())
        source.Read(0, sample.data(), int32_t(sample.size()));
    return sample;
}

CodePageSuggestion SuggestCodePage(std::span<const uint8_t> sample)
{
    if (sample.empty())
        return {};
    CodePageSuggestion answer = DetectorAnswer(sample);
    // Every ASCII-based page shows ASCII alike; what follows the sample in a text made here is
    // most likely UTF-8.
    if (IsAscii(sample))
        return {Utf8CodePage, answer.confidence};
    // The detector knows no 866 and mixes up the other Cyrillic pages; a text in 866 looks
    // like Latin-1 to it, but not a likely one.
    if (answer.Confident() && !IsCyrillicCodePage(answer.codePage))
        return answer;
    if (int32_t cyrillic = LikeliestCyrillicCodePage(sample); cyrillic != 0)
        return {cyrillic, std::max(answer.confidence, CodePageSuggestion::ConfidentFrom)};
    return answer;
}

bool DecodesWithReplacements(int32_t codePage, std::span<const uint8_t> sample)
{
    if (sample.empty() || !Converts(codePage))
        return false;
    CodePageDecoder decoder(codePage);
    const int32_t count = int32_t(sample.size());
    std::vector<char16_t> units(size_t(CodePageDecoder::Room(count)));
    std::vector<int32_t> positions(units.size());
    int32_t produced = 0;
    decoder.Decode({sample.data(), count, 0, false}, units.data(), positions.data(), produced);
    return std::find(units.begin(), units.begin() + produced, ReplacementChar) !=
           units.begin() + produced;
}

std::string CodePageLabel(int32_t codePage)
{
    if (codePage == UnicodeCodePage)
        return "UTF-16LE (Unicode)";
    std::optional<CodePageInfo> info = GetCodePageInfo(codePage);
    if (!info)
        return std::to_string(codePage);
    // The catalogue pads the number to six places for its list.
    const std::string& name = info->name;
    size_t description = name.find_first_not_of(' ', name.find(' '));
    return std::to_string(codePage) +
           (description == std::string::npos ? "" : " " + name.substr(description));
}

int32_t PreselectedCodePage(int32_t remembered, const CodePageSuggestion& suggestion,
                            std::span<const uint8_t> sample)
{
    if (suggestion.Confident() && suggestion.codePage != remembered &&
        DecodesWithReplacements(remembered, sample))
        return suggestion.codePage;
    return remembered;
}

}  // namespace zeb
