#include "import/CyrillicLetters.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>

#include "platform/CodePageDecoder.h"

namespace zeb {

namespace {

constexpr int32_t Candidates[] = {1251, 866, 20866, 28595};

// Letters per 1000 in Russian and Ukrainian prose, а .. я, and the letters beyond them.
constexpr int LowerWeights[32] = {80, 16, 45, 17, 30, 85, 9, 16, 74, 12, 35, 44, 32, 67, 110, 28,
                                  47, 55, 63, 26, 3, 10, 5, 14, 7, 4, 1, 19, 17, 3, 6, 20};
constexpr int Io = 1, Ukrainian_I = 30, Yi = 5, Ye = 4, Ghe = 1, ShortU = 1;

// Capitals start sentences and names: a text read in the wrong page shows far more of them.
constexpr int CapitalShare = 8;

int LetterWeight(char16_t c)
{
    if (c >= u'а' && c <= u'я')
        return LowerWeights[c - u'а'];
    if (c >= u'А' && c <= u'Я')
        return LowerWeights[c - u'А'] / CapitalShare;
    switch (c) {
    case u'ё': return Io;
    case u'і': return Ukrainian_I;
    case u'ї': return Yi;
    case u'є': return Ye;
    case u'ґ': return Ghe;
    case u'ў': return ShortU;
    default: return 0;
    }
}

// The letter weight of the sample's bytes above 0x7F, per such byte, in thousandths.
int64_t Score(int32_t codePage, std::span<const uint8_t> sample)
{
    CodePageDecoder decoder(codePage);
    const std::array<char16_t, 256>& table = *decoder.ByteTable();
    std::array<int, 256> weight{};
    for (int b = 0x80; b < 256; ++b)
        weight[size_t(b)] = LetterWeight(table[size_t(b)]);
    int64_t sum = 0, count = 0;
    for (uint8_t b : sample) {
        if (b < 0x80)
            continue;
        sum += weight[b];
        ++count;
    }
    return count == 0 ? 0 : sum * 1000 / count;
}

// In a Cyrillic text nearly every letter is a byte above 0x7F; in a Latin one with accents
// only a few are.
bool LettersAreMostlyHighBytes(std::span<const uint8_t> sample)
{
    int64_t high = 0, latin = 0;
    for (uint8_t b : sample) {
        if (b >= 0x80)
            ++high;
        else if ((b | 0x20) >= 'a' && (b | 0x20) <= 'z')
            ++latin;
    }
    return high > 2 * latin;
}

// Below this a page's letters are not those of a Cyrillic text: a Russian or Ukrainian text in
// its own page scores about 50000 to 57000, in another page (or a Greek one in 1251) under 30000.
constexpr int64_t CyrillicScore = 40000;

}  // namespace

bool IsCyrillicCodePage(int32_t codePage)
{
    return std::find(std::begin(Candidates), std::end(Candidates), codePage) != std::end(Candidates);
}

int32_t LikeliestCyrillicCodePage(std::span<const uint8_t> sample)
{
    if (!LettersAreMostlyHighBytes(sample))
        return 0;
    int32_t best = 0;
    int64_t bestScore = CyrillicScore;
    for (int32_t codePage : Candidates) {
        int64_t score = Score(codePage, sample);
        if (score > bestScore) {
            best = codePage;
            bestScore = score;
        }
    }
    return best;
}

}  // namespace zeb
