#include "ImportTestSupport.h"

#include <filesystem>

#include "import/ConvertTextToBook.h"
#include "platform/LittleEndian.h"
#include "platform/Utf16.h"

namespace zeb::test {

namespace {

std::vector<uint32_t> ReadTable(const std::vector<uint8_t>& book, uint32_t offset, uint32_t count)
{
    std::vector<uint32_t> table;
    for (uint32_t k = 0; k < count && offset + 4 * (k + 1) <= book.size(); ++k)
        table.push_back(LoadU32(book.data() + offset + 4 * k));
    return table;
}

std::string WordText(const uint8_t* units, int n)
{
    std::u16string word;
    for (int i = 0; i < n; ++i) {
        char16_t u = char16_t(LoadU16(units + 2 * i));
        word += u == u'\t' ? u'^' : u;
    }
    return "'" + ToUtf8(word) + "'";
}

}  // namespace

std::string Utf16Le(std::u16string_view text)
{
    std::string bytes;
    for (char16_t u : text) {
        bytes += char(u & 0xFF);
        bytes += char(u >> 8);
    }
    return bytes;
}

std::string DescribeTextStream(const std::vector<uint8_t>& book, uint32_t end)
{
    std::string out;
    for (uint32_t p = 40; p + 2 <= end && end <= book.size();) {
        if (!out.empty())
            out += ' ';
        uint8_t b = book[p];
        if (b == 0) {
            out += book[p + 1] == 0 ? std::string("$") : "_" + std::to_string(book[p + 1]);
            p += 2;
        } else {
            out += WordText(book.data() + p + 1, b);
            p += 1 + 2 * b;
        }
    }
    return out;
}

BookContents ReadBook(const std::string& path)
{
    BookContents book;
    book.bytes = ReadBytes(path);
    if (book.bytes.size() < 40)
        return book;
    const uint8_t* h = book.bytes.data();
    book.paragraphs = ReadTable(book.bytes, LoadU32(h + 20), LoadU32(h + 24));
    book.lines = ReadTable(book.bytes, LoadU32(h + 28), LoadU32(h + 32));
    book.stream = DescribeTextStream(book.bytes, LoadU32(h + 20));
    return book;
}

BookContents ConvertBytes(const TempDir& folder, const std::string& bytes, int32_t codePage)
{
    std::string source = folder.File("source.txt"), destination = folder.File("book.book");
    WriteBytes(source, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    std::filesystem::remove(destination);  // books are only ever written under a new name
    ScriptedPreview preview(codePage);
    ZEBNoProgress progress;
    FakePrompter prompter;
    int32_t importCodePage = codePage;
    ConvertTextToBook(source, destination, importCodePage, preview, progress, prompter);
    return ReadBook(destination);
}

}  // namespace zeb::test
