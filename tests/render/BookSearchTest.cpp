#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TestBook.h"
#include "render/BookSearch.h"
#include "storage/ZEBBook.h"
#include "support/TempDir.h"

using namespace zeb;

namespace {

using Direction = BookSearch::Direction;
using State = BookSearch::State;

// A book written by the test, and searches in it run to their end.
class BookSearchTest : public ::testing::Test {
protected:
    void Write(const std::function<void(test::TestBookWriter&)>& text)
    {
        path = dir.File("search" + std::to_string(++books) + ".book");
        test::TestBookWriter writer(path);
        text(writer);
        writer.Finish();
        ASSERT_EQ(book.Open(path), BookOpenResult::Opened);
    }

    BookSearch::Request Request(std::u16string phrase, Direction direction, TextKey from)
    {
        return BookSearch::RequestFor(book, std::move(phrase), false, direction, from);
    }

    // From before the text's start: forward finds the first match.
    TextKey Start() const { return MakeTextKey(book.TextStart(), 0) - 1; }
    TextKey End() const { return MakeTextKey(book.TextEnd(), 0); }

    State Run(const BookSearch::Request& request)
    {
        if (!search.Begin(request))
            return State::Idle;
        while (search.Current() == State::Running)
            search.Step(64);
        return search.Current();
    }

    State Find(std::u16string phrase, bool matchCase = false)
    {
        BookSearch::Request r = Request(std::move(phrase), Direction::Forward, Start());
        r.matchCase = matchCase;
        return Run(r);
    }

    // The text of the record holding key's unit: what the reader would see highlighted.
    std::u16string WordAt(TextKey key)
    {
        TextRecord record;
        std::u16string word;
        book.Text().Read(KeyPosition(key), record, word);
        return word;
    }

    test::TempDir dir;
    int books = 0;
    std::string path;
    ZEBBook book;
    BookSearch search;
};

TEST_F(BookSearchTest, PhrasesAreFoundAsTheReaderShowsTheText)
{
    std::u16string longWord(248, u'x');
    Write([&](test::TestBookWriter& w) {
        w.Line(u"\tThe quick brown");
        w.Line(u"fox jumps   over");
        w.Word(u"alpha").Spaces(300).Word(u"beta").LineEnd();
        // A word longer than 250 units goes on in the next record, as the converter splits it.
        w.Word(longWord + u"ab").Word(u"cdyyy").LineEnd();
        w.Line(u"ПРИВЕТ мир, ΣΟΦΊΑ και ΛΌΓΟΣ");
        w.Line(u"the last line");
    });
    struct Case {
        std::u16string phrase;
        std::u16string firstWord, lastWord;
        int lastUnit;
    };
    const Case found[] = {
        {u"brown fox", u"brown", u"fox", 2},          // across a line end
        {u"fox   jumps over", u"fox", u"over", 3},    // blanks in the phrase collapse
        {u"alpha beta", u"alpha", u"beta", 3},        // across a run of 300 blanks
        {u"xabcdy", longWord + u"ab", u"cdyyy", 2},   // across a split word
        {u"привет МИР", u"ПРИВЕТ", u"мир,", 2},       // Cyrillic, folded
        {u"σοφία", u"ΣΟΦΊΑ", u"ΣΟΦΊΑ", 4},            // Greek with an accent
        {u"λόγος", u"ΛΌΓΟΣ", u"ΛΌΓΟΣ", 4},            // a final sigma
        {u"the quick", u"\tThe", u"quick", 4},        // a TAB is a blank
        {u"last line", u"last", u"line", 3},          // in the book's last line
    };
    for (const Case& c : found) {
        ASSERT_EQ(Find(c.phrase), State::Found) << std::string(c.phrase.begin(), c.phrase.end());
        EXPECT_EQ(WordAt(search.Match().first), c.firstWord);
        EXPECT_EQ(WordAt(search.Match().last), c.lastWord);
        EXPECT_EQ(KeyUnit(search.Match().last), c.lastUnit);
        EXPECT_FALSE(search.Wrapped());
    }
    EXPECT_EQ(Find(u"quick fox"), State::NotFound);
    EXPECT_EQ(Find(u"привет"), State::Found);
    EXPECT_EQ(Find(u"привет", true), State::NotFound);
    EXPECT_EQ(Find(u"ПРИВЕТ", true), State::Found);
    EXPECT_EQ(Find(u" \t "), State::Idle);  // nothing to find
}

TEST_F(BookSearchTest, NextAndPreviousWrapAroundTheEnds)
{
    Write([](test::TestBookWriter& w) {
        for (int i = 0; i < 200; ++i)
            w.Line(i % 50 == 10 ? u"a needle here" : u"plain hay on this line");
    });
    std::vector<TextKey> all;  // the four matches, in order
    TextKey from = Start();
    while (Run(Request(u"needle", Direction::Forward, from)) == State::Found && !search.Wrapped()) {
        all.push_back(search.Match().first);
        from = search.Match().first;
    }
    ASSERT_EQ(all.size(), 4u);
    // After the last one, the first one again, wrapped.
    EXPECT_TRUE(search.Wrapped());
    EXPECT_EQ(search.Match().first, all[0]);

    // Backward in windows far smaller than the book: each previous one, then round to the last.
    BookSearch::Request back = Request(u"needle", Direction::Backward, all[2]);
    back.windowBytes = 300;
    ASSERT_EQ(Run(back), State::Found);
    EXPECT_EQ(search.Match().first, all[1]);
    EXPECT_FALSE(search.Wrapped());
    back.from = all[0];
    ASSERT_EQ(Run(back), State::Found);
    EXPECT_EQ(search.Match().first, all[3]);
    EXPECT_TRUE(search.Wrapped());
    back.from = End();
    ASSERT_EQ(Run(back), State::Found);
    EXPECT_EQ(search.Match().first, all[3]);

    // A phrase found once is found again from itself, wrapped, either way.
    Write([](test::TestBookWriter& w) { w.Line(u"only one needle").Line(u"and hay"); });
    ASSERT_EQ(Find(u"needle"), State::Found);
    const TextKey only = search.Match().first;
    for (Direction d : {Direction::Forward, Direction::Backward}) {
        BookSearch::Request again = Request(u"needle", d, only);
        again.windowBytes = 8;
        ASSERT_EQ(Run(again), State::Found);
        EXPECT_EQ(search.Match().first, only);
        EXPECT_TRUE(search.Wrapped());
    }
}

TEST_F(BookSearchTest, AMatchAcrossABackwardWindowsEndIsFoundOnce)
{
    Write([](test::TestBookWriter& w) {
        for (int i = 0; i < 40; ++i)
            w.Line(u"word").Line(u"pair");
    });
    // Each window ends inside "word pair", which starts in it and ends in the next.
    BookSearch::Request back = Request(u"word pair", Direction::Backward, End());
    back.windowBytes = 12;
    int found = 0;
    TextKey last = End();
    while (Run(back) == State::Found && !search.Wrapped()) {
        ASSERT_LT(search.Match().first, last);
        last = back.from = search.Match().first;
        ++found;
    }
    EXPECT_EQ(found, 40);
}

TEST_F(BookSearchTest, ACancelledSearchStopsAndABookNotThereFindsNothing)
{
    Write([](test::TestBookWriter& w) {
        for (int i = 0; i < 1000; ++i)
            w.Line(u"nothing to see on this line at all");
    });
    ASSERT_TRUE(search.Begin(Request(u"needle", Direction::Forward, Start())));
    EXPECT_EQ(search.Step(100), State::Running);
    EXPECT_GT(search.Progress(), 0.0);
    EXPECT_LT(search.Progress(), 0.1);
    search.Cancel();
    EXPECT_EQ(search.Current(), State::Idle);
    EXPECT_EQ(Find(u"needle"), State::NotFound);
    EXPECT_DOUBLE_EQ(search.Progress(), 1.0);

    BookSearch::Request missing = Request(u"line", Direction::Forward, Start());
    missing.bookPath = dir.File("gone.book");
    EXPECT_FALSE(search.Begin(missing));
}

}  // namespace
