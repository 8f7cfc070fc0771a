#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zeb::test {

// A text of one language, encoded at test time in the code page a reader would meet it in.
struct SampleText {
    std::string language;
    int32_t codePage;  // UnicodeCodePage for UTF-16LE
    std::vector<uint8_t> bytes;
};

// Four texts (about 2, 3, 6 and 12 KB) for each of Russian in 1251, 866 and KOI8-R, Ukrainian
// in 1251, Greek in 1253, Japanese in 932, Chinese in 936, Korean in 949, French and German in
// 1252, mixed languages in UTF-8 and in UTF-16LE (two of them with a byte order mark).
std::vector<SampleText> SampleTexts();

// text in codePage; characters it lacks become its substitute.
std::vector<uint8_t> Encode(const std::u16string& text, int32_t codePage);

}  // namespace zeb::test
