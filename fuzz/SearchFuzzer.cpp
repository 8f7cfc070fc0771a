// libFuzzer target: finding a phrase in a book of arbitrary bytes. The input is a phrase (its
// length byte, a flags byte, then its UTF-16LE units) followed by the book file; the book is
// signed anew like the book target's. Every search, forward and backward from the start, the
// middle and the end, must end; in a book whose line index points at records, it must also find
// what a plain reference search over the text as the reader shows it finds: the first match after the place forward, the last before it
// backward, or, wrapped, the first (last) from the other end.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/FuzzWorkFolder.h"
#include "fuzz/SignedBook.h"
#include "platform/CaseFold.h"
#include "render/BookSearch.h"
#include "storage/ZEBBook.h"
#include "storage/ZEBParagInfo.h"

namespace {

using namespace zeb;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Unit {
    char16_t unit;
    TextKey key;
};

// The text as the reader shows it: blanks collapsed, TABs as blanks, folded unless the case
// must match, each unit with its key.
std::vector<Unit> ShownText(ZEBBook& book, bool matchCase)
{
    std::vector<Unit> text;
    auto add = [&](char16_t unit, TextKey key) {
        if (unit == u'\t')
            unit = u' ';
        if (!matchCase)
            unit = FoldCase(unit);
        if (unit == u' ' && (text.empty() || text.back().unit == u' '))
            return;
        text.push_back({unit, key});
    };
    BookText stream = book.Text();
    TextRecord record;
    std::u16string word;
    for (int32_t at = book.TextStart(); at < book.TextEnd() && stream.Read(at, record, word);
         at = record.next) {
        if (record.kind != TextRecordKind::Word) {
            add(u' ', MakeTextKey(at, 0));
            continue;
        }
        for (size_t i = 0; i < word.size(); ++i)
            add(word[i], MakeTextKey(at, int32_t(i)));
    }
    return text;
}

std::u16string ShownPhrase(const std::u16string& phrase, bool matchCase)
{
    std::u16string shown;
    for (char16_t unit : phrase) {
        const bool blank = unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
        if (blank && (shown.empty() || shown.back() == u' '))
            continue;
        shown += blank ? u' ' : matchCase ? unit : FoldCase(unit);
    }
    while (!shown.empty() && shown.back() == u' ')
        shown.pop_back();
    return shown;
}

// Whether every source line starts a record, as in a book the importer wrote. Where a damaged
// index points into a record, reading from there gives other records than reading from the
// start, and the reference below would not be the text the search reads.
bool LinesStartRecords(ZEBBook& book)
{
    std::vector<int32_t> starts;
    BookText stream = book.Text();
    TextRecord record;
    std::u16string word;
    for (int32_t at = book.TextStart(); at < book.TextEnd() && stream.Read(at, record, word);
         at = record.next)
        starts.push_back(at);
    const ZEBParagInfo& lines = book.Lines();
    for (int32_t k = 0; k + 1 < lines.Count(); ++k)
        if (lines[k] > book.TextStart() && lines[k] < book.TextEnd() &&
            !std::binary_search(starts.begin(), starts.end(), lines[k]))
            return false;
    return true;
}

// Every match's first key, in text order.
std::vector<TextKey> Matches(const std::vector<Unit>& text, const std::u16string& phrase)
{
    std::vector<TextKey> firsts;
    for (size_t i = 0; i + phrase.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < phrase.size() && text[i + k].unit == phrase[k])
            ++k;
        if (k == phrase.size())
            firsts.push_back(text[i].key);
    }
    return firsts;
}

std::optional<TextKey> Expected(const std::vector<TextKey>& firsts, BookSearch::Direction direction,
                                TextKey from)
{
    if (firsts.empty())
        return std::nullopt;
    if (direction == BookSearch::Direction::Forward) {
        auto after = std::upper_bound(firsts.begin(), firsts.end(), from);
        return after != firsts.end() ? *after : firsts.front();
    }
    auto before = std::lower_bound(firsts.begin(), firsts.end(), from);
    return before != firsts.begin() ? *(before - 1) : firsts.back();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const size_t units = std::min<size_t>(data[0] % 16, (size - 2) / 2);
    const bool matchCase = data[1] & 1;
    const int32_t window = 16 + 64 * (data[1] >> 1);
    std::u16string phrase;
    for (size_t i = 0; i < units; ++i)
        phrase += char16_t(data[2 + 2 * i] | (data[3 + 2 * i] << 8));
    const size_t skip = 2 + 2 * units;
    const std::string path = zeb::fuzz::WriteInput(data + skip, size - skip, "00000001.book");
    zeb::fuzz::SignIfBook(path);
    ZEBBook book;
    if (book.Open(path) != BookOpenResult::Opened)
        return 0;

    const bool comparable = LinesStartRecords(book);
    const std::vector<TextKey> firsts =
        Matches(ShownText(book, matchCase), ShownPhrase(phrase, matchCase));
    const TextKey start = MakeTextKey(book.TextStart(), 0) - 1;
    const TextKey middle = MakeTextKey(book.Lines()[book.Lines().Count() / 2], 0);
    const TextKey end = MakeTextKey(book.TextEnd(), 0);
    for (BookSearch::Direction direction :
         {BookSearch::Direction::Forward, BookSearch::Direction::Backward}) {
        for (TextKey from : {start, middle, end}) {
            BookSearch search;
            BookSearch::Request r{path, book.TextStart(), book.TextEnd(), &book.Lines(),
                                  phrase, matchCase, direction, from, window};
            if (!search.Begin(r)) {
                Check(ShownPhrase(phrase, matchCase).empty());
                continue;
            }
            // Each step reads at least a record; the whole text twice over is the most.
            for (int64_t steps = 0; search.Current() == BookSearch::State::Running; ++steps) {
                Check(steps < 4 * int64_t(size) + 64);
                search.Step(7);
            }
            if (!comparable)
                continue;
            const std::optional<TextKey> expected = Expected(firsts, direction, from);
            Check((search.Current() == BookSearch::State::Found) == expected.has_value());
            if (expected) {
                Check(search.Match().first == *expected);
                Check(search.Match().first <= search.Match().last);
            }
        }
    }
    return 0;
}
