#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/ZEBImportPreview.h"
#include "import/ZEBProgress.h"
#include "platform/ZEBPrompter.h"
#include "support/FakePrompter.h"
#include "support/TempDir.h"

namespace zeb::test {

class RecordingProgress : public ZEBProgress {
public:
    void Create(const std::string& text, int64_t maximum) override
    {
        this->text = text;
        this->maximum = maximum;
        ++created;
    }
    void Progress(int64_t value) override { values.push_back(value); }
    void Destroy() override { ++destroyed; }

    std::string text;
    int64_t maximum = -1;
    std::vector<int64_t> values;
    int created = 0, destroyed = 0;
};

// Answers the preview with answer ("Import" in that code page, or "Do Not Import" when empty)
// and records what it was shown.
class ScriptedPreview : public ZEBImportPreview {
public:
    explicit ScriptedPreview(std::optional<int32_t> answer) : answer_(answer) {}
    std::optional<int32_t> Show(ZEBFile&, const std::u16string& caption, int32_t codePage) override
    {
        shownCaption = caption;
        shownCodePage = codePage;
        ++shown;
        return answer_;
    }

    std::u16string shownCaption;
    int32_t shownCodePage = 0;
    int shown = 0;

private:
    std::optional<int32_t> answer_;
};

// A book as the tests look at it.
struct BookContents {
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> paragraphs;  // the paragraph table
    std::vector<uint32_t> lines;       // the line table
    std::string stream;                // the text stream, see DescribeTextStream
};

// The text stream from offset 40 to end as tokens separated by one space: "_n" for a space run
// of n, "$" for a line end, and each word in single quotes in UTF-8 with a TAB shown as "^".
std::string DescribeTextStream(const std::vector<uint8_t>& book, uint32_t end);

BookContents ReadBook(const std::string& path);

// text as UTF-16LE bytes.
std::string Utf16Le(std::u16string_view text);

// Writes bytes as "source.txt" in folder and converts it in codePage to "book.book".
BookContents ConvertBytes(const TempDir& folder, const std::string& bytes, int32_t codePage);

}  // namespace zeb::test
