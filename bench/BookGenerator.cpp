#include "BookGenerator.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "import/ConvertTextToBook.h"
#include "import/ZEBImportPreview.h"
#include "import/ZEBProgress.h"
#include "platform/CodePages.h"
#include "platform/Utf16.h"

namespace zeb::bench {

namespace {

// A fixed pseudo-random sequence, so every run measures the same book.
class Random {
public:
    uint32_t Next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return uint32_t(state_ >> 33);
    }
    double Unit() { return Next() / 2147483648.0; }
    int Between(int low, int high) { return low + int(Next() % uint32_t(high - low + 1)); }

private:
    uint64_t state_ = 20240601;
};

std::vector<std::u16string> Vocabulary(Random& random)
{
    std::vector<std::u16string> words(20000);
    for (std::u16string& w : words) {
        int length = 1 + int(std::abs(random.Unit() + random.Unit() + random.Unit() - 1.5) * 8);
        for (int i = 0; i < length; ++i)
            w += char16_t(u'a' + random.Next() % 26);
    }
    return words;
}

// The generated text is UTF-8.

}  // namespace

void WriteText(const std::string& textPath, int64_t textBytes)
{
    Random random;
    std::vector<std::u16string> vocabulary = Vocabulary(random);
    std::ofstream out(textPath, std::ios::binary);
    int64_t written = 0;
    while (written < textBytes) {
        int lines = random.Between(1, 12);
        for (int l = 0; l < lines; ++l) {
            std::u16string line = l == 0 ? u"    " : u"";
            int width = random.Between(60, 75);
            for (bool first = true; int(line.size()) < width; first = false) {
                // Frequent words come first in the list; u^3 favours them.
                double u = random.Unit();
                const std::u16string& word = vocabulary[size_t(u * u * u * double(vocabulary.size()))];
                if (!first)
                    line += u' ';
                line += word;
                if (random.Next() % 9 == 0)
                    line += random.Next() % 3 ? u',' : u'.';
            }
            std::string bytes = ToUtf8(line) + "\n";
            out << bytes;
            written += int64_t(bytes.size());
        }
    }
}

void GenerateBook(const std::string& path, int64_t textBytes, ZEBPrompter& prompter)
{
    std::string textPath = path + ".txt";
    WriteText(textPath, textBytes);
    ZEBImportWithoutPreview preview(Utf8CodePage);
    ZEBNoProgress progress;
    int32_t codePage = Utf8CodePage;
    ConvertTextToBook(textPath, path, codePage, preview, progress, prompter);
    std::filesystem::remove(textPath);
}

}  // namespace zeb::bench
