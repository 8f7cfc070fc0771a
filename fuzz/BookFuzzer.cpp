// libFuzzer target: a book file of arbitrary bytes, opened by the reader, read through and
// closed again. The input is the whole file; when its header describes a book, both block
// signatures are computed anew in place, so that mutations reach the offset tables, the options
// tree and the layout instead of stopping at the signature check. The reader lays the book out
// in its own formatting mode, moves through it, changes mode, font kind and view width, and
// closes it, which writes its state back; the book must then open again with that state.
//
// A finding is a sanitizer report, a crash, a timeout, an escaping exception, or an abort from
// the checks below: screen lines outside the view or out of order, blocks out of order or
// without lines, or a book that no longer opens after the reader wrote it, or opens with another
// reading position, other settings of its own or other bookmarks than it was closed with.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/FixedWidthMeasurer.h"
#include "fuzz/FuzzWorkFolder.h"
#include "fuzz/SignedBook.h"
#include "render/BookSession.h"
#include "storage/BookOptions.h"

namespace {

using namespace zeb;

constexpr ViewSize View{320, 240};
// Narrower than its margins: nothing fits, and layout must still advance.
constexpr ViewSize NarrowView{12, 60};
constexpr int MaxRenderSteps = 64;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

class Host : public ZEBRenderHost {
public:
    ViewSize ViewSizeNow() const override { return size; }
    void RepaintView() override {}
    void PositionChanged() override {}
    ViewSize size = View;
};

// Every request is done in as many steps as a real line takes at least.
class InstantStep : public ZEBRenderStep {
public:
    bool Advance(ZEBRenderQuenue& request) override
    {
        if (++request.StepState == ZEBRenderQuenue::Finished)
            request.Result = std::make_unique<ZEBLineBitmap>();
        return true;
    }
};

class SilentPrompter : public ZEBPrompter {
public:
    PromptAnswer Message(const std::string&, const std::string&, PromptIcon, PromptButtons) override
    {
        return PromptAnswer::Ok;
    }
    std::optional<std::string> Password(const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
};

ReaderSettings StoredSettings()
{
    ReaderSettings s = InitialReaderSettings();
    s.Antialiasing = 1;
    return s;
}

// The reader's engine and session, wired as the main window wires them.
struct Reader {
    Reader()
    {
        options.SetHandler(LayoutChanged, [this] { engine.ApplyDisplaySettings(); });
        ApplySettings(options, stored, true, nullptr);
    }

    void CheckLayout() const
    {
        const RenderMetrics& m = engine.Metrics();
        int32_t y = std::numeric_limits<int32_t>::min();
        for (const ZEBRenderScreenLine& s : engine.ScreenLines()) {
            Check(s.Line->Y >= 0 && s.Line->Bottom() <= m.ViewHeight && s.Line->Y >= y);
            y = s.Line->Y;
        }
        int32_t index = -1;
        for (const auto& block : engine.Blocks()) {
            Check(block->Index > index && !block->Lines.empty());
            index = block->Index;
        }
    }

    void MoveBy(int32_t dy, int times)
    {
        for (int i = 0; i < times; ++i) {
            engine.MoveBy(dy);
            CheckLayout();
        }
    }

    void Render()
    {
        for (int i = 0; i < MaxRenderSteps && engine.Queue().Step(); ++i) {
        }
    }

    // A bookmark the reader adds has text: the book file keeps none without.
    void AddBookmark()
    {
        if (!engine.AddBookmark())
            return;
        const int32_t at = engine.CurrentReadingPosition().Position;
        const ZEBBookmark& marks = engine.Book().Bookmarks();
        Check(std::any_of(marks.begin(), marks.end(), [at](const ZEBBookmarkObject& b) {
            return b.Position == at && !b.Text.empty();
        }));
    }

    // Jumps to the start, the middle, the end and past both ends, and pages down and up.
    void ReadThrough()
    {
        const ZEBBook& book = engine.Book();
        const int32_t h = engine.Metrics().ViewHeight;
        for (int32_t p : {book.TextStart(), (book.TextStart() + book.TextEnd()) / 2,
                          book.TextEnd() - 1, book.TextEnd(), -1,
                          std::numeric_limits<int32_t>::max()}) {
            engine.SetPosition(p, h / 3);
            CheckLayout();
        }
        engine.SetPosition(book.TextStart(), 0);
        MoveBy(-h / 2, 3);
        Render();
        MoveBy(1, 2);
        MoveBy(-1, 2);
        AddBookmark();
        MoveBy(h, 6);
        Render();
        AddBookmark();
        MoveBy(-h, 3);
    }

    ReaderSettings stored = StoredSettings();
    ZEBOptions options{stored};
    Host host;
    InstantStep step;
    ZEBRenderParag engine{options, host, std::make_unique<fuzz::FixedWidthMeasurer>(), step};
    SilentPrompter prompter;
    BookSession session{engine, options, stored, prompter};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = zeb::fuzz::WriteInput(data, size, "00000001.book");
    zeb::fuzz::SignIfBook(path);

    Reader reader;
    reader.session.OpenBook(path);
    if (!reader.engine.Book().IsOpen())
        return 0;
    reader.ReadThrough();
    const zeb::ReaderSettings& settings = reader.options.Settings();
    reader.options.SetTextFormatting(settings.TextFormatting == zeb::FormattingOriginal
                                         ? zeb::FormattingFullHyphen
                                         : zeb::FormattingOriginal);
    reader.options.SetFontWidth(!settings.FontWidth);
    reader.ReadThrough();
    reader.host.size = NarrowView;
    reader.engine.ViewResized();
    reader.ReadThrough();
    const zeb::ReadingPosition position = reader.engine.CurrentReadingPosition();
    const zeb::ZEBBookmark bookmarks = reader.engine.Book().Bookmarks();
    reader.session.CloseBook();

    zeb::ZEBBook reopened;
    Check(reopened.Open(path) == zeb::BookOpenResult::Opened);
    const zeb::ZEBFileOptions& saved = reopened.Options();
    Check(int32_t(saved.GetInteger(zeb::OptPosition, 0)) == position.Position &&
          int32_t(saved.GetInteger(zeb::OptPositionFraction, 0)) == position.Fraction);
    Check(saved.GetByte(zeb::OptFontWidth, 2) == (settings.FontWidth ? 1 : 0) &&
          saved.GetInteger(zeb::OptTextFormatting, 3) == settings.TextFormatting);
    // Every bookmark comes back as it was.
    Check(std::equal(bookmarks.begin(), bookmarks.end(), reopened.Bookmarks().begin(),
                     reopened.Bookmarks().end()));
    return 0;
}
