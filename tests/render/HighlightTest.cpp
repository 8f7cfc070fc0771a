// A phrase found: the engine highlights its characters in the line pictures it asks for, and
// drops the highlight with the next move.
#include "EngineFixture.h"

#include "render/BookSearch.h"

namespace zeb::test {
namespace {

class HighlightTest : public EngineTest {
protected:
    PhraseMatch Find(std::u16string phrase)
    {
        BookSearch search;
        const ZEBBook& book = engine.Book();
        const BookSearch::Request r = BookSearch::RequestFor(
            book, std::move(phrase), false, BookSearch::Direction::Forward,
            MakeTextKey(book.TextStart(), 0) - 1);
        EXPECT_TRUE(search.Begin(r));
        while (search.Step(1 << 20) == BookSearch::State::Running) {
        }
        EXPECT_EQ(search.Current(), BookSearch::State::Found);
        return search.Match();
    }

    // Every word the screen lines would draw highlighted, with the characters that are.
    std::vector<std::u16string> Highlighted()
    {
        std::vector<std::u16string> shown;
        for (const ZEBRenderScreenLine& entry : engine.ScreenLines()) {
            const std::unique_ptr<ZEBRenderQuenue> request = engine.MakeRequest(*entry.Line);
            for (const ZEBRenderQuenueWord& w : request->Words)
                if (w.HighlightTo > w.HighlightFrom)
                    shown.push_back(w.Text.substr(size_t(w.HighlightFrom),
                                                  size_t(w.HighlightTo - w.HighlightFrom)));
        }
        return shown;
    }
};

TEST_F(HighlightTest, TheMatchedCharactersAreHighlightedUntilTheViewMoves)
{
    book.Line(u"\tThe quick brown");
    book.Line(u"fox jumps over the lazy dog");
    book.Finish();
    Open(FormattingFull);
    const std::pair<std::u16string, std::vector<std::u16string>> cases[] = {
        {u"own fox ju", {u"own", u"fox", u"ju"}},
        {u"he", {u"he"}},  // in the indented word, after its widened TAB
        {u"UICK", {u"uick"}},
    };
    for (const auto& [phrase, expected] : cases) {
        engine.ShowMatch(Find(phrase), 0);
        EXPECT_EQ(Highlighted(), expected);
        ASSERT_TRUE(engine.Highlight());
    }
    const int repaints = host.repaints;
    engine.MoveBy(-1);
    EXPECT_FALSE(engine.Highlight());
    EXPECT_TRUE(Highlighted().empty());
    EXPECT_GE(host.repaints, repaints);
}

}  // namespace
}  // namespace zeb::test
