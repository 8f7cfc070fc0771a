#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "SampleTexts.h"
#include "import/CodePageSuggestion.h"
#include "import/CyrillicLetters.h"
#include "import/DetectorNames.h"
#include "platform/CodePageDecoder.h"

using namespace zeb;

namespace {

std::u16string Decode(int32_t codePage, const std::vector<uint8_t>& bytes)
{
    CodePageDecoder decoder(codePage);
    const int32_t count = int32_t(bytes.size());
    std::u16string units(size_t(CodePageDecoder::Room(count)), u'\0');
    std::vector<int32_t> positions(units.size());
    int32_t produced = 0;
    decoder.Decode({bytes.data(), count, 0, true}, units.data(), positions.data(), produced);
    units.resize(size_t(produced));
    return units;
}

}  // namespace

// A suggestion is right when it shows the text as its own code page does (1252 for a Latin-1
// text, 54936 for a GBK one).
TEST(CodePageSuggestion, IsRightForNineInTenTextsOfTwoKilobytesOrMore)
{
    std::map<std::string, std::pair<int, int>> tally;  // language and page: right, all
    int right = 0, all = 0;
    for (const test::SampleText& text : test::SampleTexts()) {
        CodePageSuggestion suggestion = SuggestCodePage(text.bytes);
        bool ok = suggestion.Exists() &&
                  Decode(suggestion.codePage, text.bytes) == Decode(text.codePage, text.bytes);
        auto& [kindRight, kindAll] = tally[text.language + " " + std::to_string(text.codePage)];
        kindRight += ok;
        ++kindAll;
        right += ok;
        ++all;
        if (!ok)
            std::printf("  %s in %d, %zu bytes: suggested %d (confidence %d)\n",
                        text.language.c_str(), text.codePage, text.bytes.size(),
                        suggestion.codePage, suggestion.confidence);
    }
    for (const auto& [kind, counts] : tally)
        std::printf("  %-16s %d of %d\n", kind.c_str(), counts.first, counts.second);
    std::printf("  right: %d of %d\n", right, all);
    EXPECT_GE(right * 10, all * 9);
}

TEST(CodePageSuggestion, DetectorNamesMapOntoTheCatalogue)
{
    const std::pair<const char*, int32_t> cases[] = {
        {"windows-1251", 1251}, {"KOI8-R", 20866},   {"Shift_JIS", 932},
        {"GB18030", 54936},     {"EUC-KR", 51949},   {"UTF-16LE", UnicodeCodePage},
        {"UTF-8", 65001},       {"ISO-8859-1", 1252}, {"UTF-32BE", 0},
        {"IBM424_rtl", 0},      {"", 0},
    };
    for (const auto& [name, codePage] : cases)
        EXPECT_EQ(CodePageOfDetectorName(name), codePage) << name;
}

TEST(CodePageSuggestion, CyrillicPagesAreToldApartByTheirLetters)
{
    const std::u16string text =
        u"Мы шли через лес почти до рассвета и остановились только у старой мельницы. "
        u"Никто в посёлке не помнил такой холодной зимы, как в тот год.";
    for (int32_t codePage : {1251, 866, 20866, 28595})
        EXPECT_EQ(LikeliestCyrillicCodePage(test::Encode(text, codePage)), codePage) << codePage;
    EXPECT_EQ(LikeliestCyrillicCodePage(test::Encode(u"Le train est arrivé à la gare.", 1252)), 0);
    EXPECT_EQ(LikeliestCyrillicCodePage({}), 0);
}

// The remembered page stays selected unless the detector is sure and the remembered page would
// show replacement characters.
TEST(CodePageSuggestion, PreselectionKeepsTheRememberedPageUnlessItGarblesAConfidentGuess)
{
    const std::vector<uint8_t> cyrillic =
        test::Encode(u"Осенний ветер срывал последние листья с деревьев.", 1251);
    const CodePageSuggestion sure{1251, 80}, unsure{1251, 20};
    EXPECT_EQ(PreselectedCodePage(65001, sure, cyrillic), 1251);   // confident, garbled
    EXPECT_EQ(PreselectedCodePage(866, sure, cyrillic), 866);      // every byte is a letter
    EXPECT_EQ(PreselectedCodePage(65001, unsure, cyrillic), 65001);
    EXPECT_EQ(PreselectedCodePage(65001, {}, cyrillic), 65001);
    const std::vector<uint8_t> utf8 = test::Encode(u"Осенний ветер", 65001);
    EXPECT_EQ(PreselectedCodePage(65001, {1251, 90}, utf8), 65001);  // clean
    // A character cut off by the sample's end is no replacement.
    const std::vector<uint8_t> cut(utf8.begin(), utf8.end() - 1);
    EXPECT_FALSE(DecodesWithReplacements(65001, cut));
    EXPECT_TRUE(DecodesWithReplacements(65001, cyrillic));
}

TEST(CodePageSuggestion, NothingToLookAtSuggestsNothing)
{
    EXPECT_FALSE(SuggestCodePage({}).Exists());
}
