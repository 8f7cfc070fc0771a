#include "render/ZEBRenderParag.h"

#include <algorithm>
#include <utility>

#include "render/ParagLayout.h"

namespace zeb {

namespace {

// Saved positions without a line in view: past the last line, and nothing laid out.
constexpr int32_t FractionPastEnd = 0xC000;
constexpr int32_t FractionNothing = 0x4000;

// The characters of word that lie in match, as the raster draws them.
void HighlightWord(const PhraseMatch& match, const ZEBRenderWordObject& word,
                   ZEBRenderQuenueWord& drawn)
{
    if (word.Position < KeyPosition(match.first) || word.Position > KeyPosition(match.last))
        return;
    auto key = [&word](int32_t i) {
        return MakeTextKey(word.Position, std::clamp(word.Unit + i, 0, 255));
    };
    const int32_t count = int32_t(word.Text.size());
    int32_t from = 0;
    while (from < count && key(from) < match.first)
        ++from;
    int32_t to = from;
    while (to < count && key(to) <= match.last)
        ++to;
    drawn.HighlightFrom = from;
    drawn.HighlightTo = to;
}

}  // namespace

ZEBRenderParag::ZEBRenderParag(const ZEBOptions& options, ZEBRenderHost& host,
                               std::unique_ptr<ZEBMeasurer> measurer, ZEBRenderStep& step)
    : options_(options), host_(host), measurer_(std::move(measurer)), step_(step), queue_(step)
{
}

ZEBRenderParag::~ZEBRenderParag() = default;

int32_t ZEBRenderParag::TextWidth(std::u16string_view text) const
{
    return zeb::TextWidth(metrics_, *measurer_, text);
}

int32_t ZEBRenderParag::GlyphAdvance(char16_t c) const
{
    return zeb::GlyphAdvance(metrics_, *measurer_, c);
}

void ZEBRenderParag::ApplyDisplaySettings()
{
    const ReaderSettings& settings = options_.Settings();
    metrics_ = MetricsFromSettings(settings);
    std::unique_ptr<ZEBMeasurer> canvas = measurer_->Clone();
    canvas->SetFont(ActiveProfile(settings), metrics_.SupersampleFactor);
    measurer_ = std::move(canvas);
    ViewResized();
}

void ZEBRenderParag::ViewResized()
{
    Relayout();
    host_.RepaintView();
}

void ZEBRenderParag::Relayout()
{
    ComputeMetrics(metrics_, *measurer_, host_.ViewSizeNow());
    ViewAnchor anchor = CurrentAnchor();
    DiscardBlocks();
    SetPosition(anchor.Position, anchor.Y);
}

ViewAnchor ZEBRenderParag::CurrentAnchor() const
{
    if (!screenLines_.empty())
        return {screenLines_.front().Line->Start, screenLines_.front().Line->Y};
    if (!blocks_.empty()) {
        const ZEBRenderLineObject& first = blocks_.front()->FirstLine();
        return {first.Y < 0 ? blocks_.back()->LastLine().Start : first.Start, metrics_.ViewHeight / 2};
    }
    return {0, 0};
}

const ZEBParagInfo& ZEBRenderParag::IndexInUse() const
{
    return metrics_.FullFormatting ? book_.Parags() : book_.Lines();
}

void ZEBRenderParag::SetPosition(int32_t position, int32_t y)
{
    if (IndexInUse().Count() < 2)
        return;
    ZEBRenderParagObject& block = *blocks_[FindOrCreateBlock(IndexInUse().FindIndex(position))];
    auto line = std::find_if(block.Lines.begin(), block.Lines.end(), [position](const auto& l) {
        return l->Start <= position && position < l->End;
    });
    PlaceView(line != block.Lines.end() ? **line : block.FirstLine(), y);
}

size_t ZEBRenderParag::FindOrCreateBlock(int32_t index)
{
    auto at = std::lower_bound(blocks_.begin(), blocks_.end(), index,
                               [](const auto& b, int32_t i) { return b->Index < i; });
    if (at != blocks_.end() && (*at)->Index == index)
        return size_t(at - blocks_.begin());
    return CreateBlock(index, size_t(at - blocks_.begin()));
}

size_t ZEBRenderParag::CreateBlock(int32_t index, size_t at)
{
    const ZEBParagInfo& entries = IndexInUse();
    auto block = std::make_unique<ZEBRenderParagObject>();
    block->Index = index;
    block->Start = entries[index];
    block->End = entries[index + 1];
    block->FirstBlock = index == 0;
    block->LastBlock = index == entries.Count() - 2;
    BookText text = book_.Text();
    LayOutBlock(*block, LayoutContext{metrics_, *measurer_, text});
    blocks_.insert(blocks_.begin() + ptrdiff_t(at), std::move(block));
    return at;
}

size_t ZEBRenderParag::PositionOf(const ZEBRenderParagObject& block) const
{
    auto at = std::find_if(blocks_.begin(), blocks_.end(),
                           [&block](const auto& b) { return b.get() == &block; });
    return size_t(at - blocks_.begin());
}

void ZEBRenderParag::PlaceView(ZEBRenderLineObject& line, int32_t y)
{
    ZEBRenderParagObject& block = *line.Block;
    auto& lines = block.Lines;
    auto it = std::find_if(lines.begin(), lines.end(), [&line](const auto& l) { return l.get() == &line; });
    line.Y = y;
    for (auto next = it + 1; next != lines.end(); ++next)
        (*next)->Y = (*(next - 1))->Bottom();
    for (auto previous = it; previous != lines.begin(); --previous)
        (*(previous - 1))->Y = (*previous)->Y - (*(previous - 1))->Height;

    // A phrase found stays highlighted only until the view moves on.
    if (highlight_) {
        RedrawLinesOf(*highlight_);
        highlight_.reset();
    }
    size_t at = PositionOf(block);
    PlaceForward(at, block.LastLine().Bottom());
    PlaceBackward(at, block.FirstLine().Y);
    Trim();
    UpdateScreenLinesAndRequests();
    host_.PositionChanged();
}

void ZEBRenderParag::ShowMatch(const PhraseMatch& match, int32_t y)
{
    SetPosition(KeyPosition(match.first), y);
    highlight_ = match;
    RedrawLinesOf(match);
    UpdateScreenLinesAndRequests();
}

// Lines the match touches draw their pictures again.
void ZEBRenderParag::RedrawLinesOf(const PhraseMatch& match)
{
    const int32_t first = KeyPosition(match.first), last = KeyPosition(match.last);
    for (auto& block : blocks_)
        for (auto& line : block->Lines)
            if (line->Start <= last && first < std::max(line->End, line->Start + 1)) {
                line->Bitmap.reset();
                line->CancelRequest();
            }
}

void ZEBRenderParag::MoveBy(int32_t dy)
{
    if (!blocks_.empty())
        PlaceView(blocks_.front()->FirstLine(), blocks_.front()->FirstLine().Y + dy);
}

// Gives the blocks after the one at `at` their y values from y down, creating them until the
// band's bottom is passed; blocks beyond that go.
int32_t ZEBRenderParag::PlaceForward(size_t at, int32_t y)
{
    while (!blocks_[at]->LastBlock) {
        if (y >= 2 * metrics_.ViewHeight) {
            blocks_.erase(blocks_.begin() + ptrdiff_t(at) + 1, blocks_.end());
            break;
        }
        int32_t index = blocks_[at]->Index + 1;
        ++at;
        if (at == blocks_.size() || blocks_[at]->Index != index)
            CreateBlock(index, at);
        for (auto& line : blocks_[at]->Lines) {
            line->Y = y;
            y = line->Bottom();
        }
    }
    return y;
}

// The same upwards, creating blocks until the band's top is passed.
void ZEBRenderParag::PlaceBackward(size_t at, int32_t y)
{
    while (blocks_[at]->Index >= 1) {
        if (y < -metrics_.ViewHeight) {
            blocks_.erase(blocks_.begin(), blocks_.begin() + ptrdiff_t(at));
            break;
        }
        int32_t index = blocks_[at]->Index - 1;
        if (at == 0 || blocks_[at - 1]->Index != index)
            CreateBlock(index, at);
        else
            --at;
        auto& lines = blocks_[at]->Lines;
        for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
            y -= (*line)->Height;
            (*line)->Y = y;
        }
    }
}

void ZEBRenderParag::Trim()
{
    int32_t h = metrics_.ViewHeight;
    while (blocks_.size() > 1 && blocks_.front()->LastLine().Bottom() <= -h)
        blocks_.erase(blocks_.begin());
    while (blocks_.size() > 1 && blocks_.back()->FirstLine().Y >= 2 * h)
        blocks_.pop_back();
}

void ZEBRenderParag::UpdateScreenLinesAndRequests()
{
    int32_t h = metrics_.ViewHeight;
    screenLines_.clear();
    for (auto& block : blocks_) {
        for (auto& line : block->Lines) {
            line->OnScreen = line->Y >= 0 && line->Bottom() <= h;
            if (line->OnScreen)
                screenLines_.push_back({line.get()});
            if (line->Y >= -h && line->Bottom() <= 2 * h) {
                UpdateRequest(*line);
            } else {
                line->Bitmap.reset();
                line->CancelRequest();
            }
        }
    }
}

// A line in the band gets its picture: taken from a finished request, or a request queued.
void ZEBRenderParag::UpdateRequest(ZEBRenderLineObject& line)
{
    if (line.Bitmap || line.Height < 1) {
        line.CancelRequest();
    } else if (line.Request && line.Request->Result) {
        line.Bitmap = line.Request->TakeResult();
        line.Request = nullptr;
    } else if (!line.Request) {
        line.Request = &queue_.Append(MakeRequest(line));
    }
}

std::unique_ptr<ZEBRenderQuenue> ZEBRenderParag::MakeRequest(const ZEBRenderLineObject& line) const
{
    auto request = std::make_unique<ZEBRenderQuenue>();
    request->Canvas = measurer_;
    request->Metrics = metrics_;
    request->LineHeight = line.Height;
    request->TextTop = line.TextTop;
    request->Words.reserve(line.Words.size());
    for (const ZEBRenderWordObject& word : line.Words) {
        request->Words.push_back({word.Width, word.X, word.Text});
        if (highlight_)
            HighlightWord(*highlight_, word, request->Words.back());
    }
    return request;
}

void ZEBRenderParag::RenderNow(ZEBRenderLineObject& line)
{
    if (line.Bitmap || line.Height < 1)
        return;
    if (line.Request && line.Request->Result) {
        line.Bitmap = line.Request->TakeResult();
        line.Request = nullptr;
        return;
    }
    line.CancelRequest();
    std::unique_ptr<ZEBRenderQuenue> request = MakeRequest(line);
    while (!request->IsFinished() && step_.Advance(*request)) {
    }
    line.Bitmap = std::move(request->Result);
}

void ZEBRenderParag::DiscardBlocks()
{
    screenLines_.clear();
    blocks_.clear();
}

void ZEBRenderParag::Reset()
{
    DiscardBlocks();
    book_.Close();
}

ReadingPosition ZEBRenderParag::CurrentReadingPosition() const
{
    if (!screenLines_.empty() && metrics_.ViewHeight > 0) {
        const ZEBRenderLineObject& line = *screenLines_.front().Line;
        return {line.Start, int32_t(int64_t(line.Y) * FractionOne / metrics_.ViewHeight)};
    }
    if (!blocks_.empty())
        return {book_.TextEnd() - 1, FractionPastEnd};
    return {book_.TextStart(), FractionNothing};
}

bool ZEBRenderParag::AddBookmark()
{
    int32_t position = CurrentReadingPosition().Position;
    if (position == 0)
        return false;
    // The book file keeps no bookmark without text: opening it skips a record of the position
    // alone. Such a bookmark (past the last line, or before nothing but blank lines) would be
    // lost unseen, so it is not made.
    std::u16string text = BookmarkText(book_.Text(), position);
    if (text.empty())
        return false;
    return book_.Bookmarks().Insert(position, std::move(text));
}

}  // namespace zeb
