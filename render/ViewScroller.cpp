#include "render/ViewScroller.h"

#include <algorithm>
#include <vector>

namespace zeb {

namespace {

// A step of an animated move takes at least this long, however short the move.
constexpr double MinStepSeconds = 0.005;

std::vector<const ZEBRenderLineObject*> LaidOutLines(const ZEBRenderParag& engine)
{
    std::vector<const ZEBRenderLineObject*> lines;
    for (const auto& block : engine.Blocks())
        for (const auto& line : block->Lines)
            lines.push_back(line.get());
    return lines;
}

}  // namespace

ViewScroller::ViewScroller(ZEBRenderParag& engine, const ZEBOptions& options,
                           ZEBViewSurface& view, Wait wait)
    : engine_(engine), options_(options), view_(view), wait_(std::move(wait))
{
}

bool ViewScroller::CanMoveForward() const
{
    const auto& blocks = engine_.Blocks();
    if (blocks.empty())
        return false;
    const ZEBRenderParagObject& last = *blocks.back();
    return !(last.LastBlock && last.LastLine().Bottom() - M().LineStep <= 0);
}

bool ViewScroller::CanMoveBackward() const
{
    const auto& blocks = engine_.Blocks();
    if (blocks.empty())
        return false;
    const ZEBRenderParagObject& first = *blocks.front();
    return !(first.FirstBlock && first.FirstLine().Y >= M().ViewHeight);
}

void ViewScroller::MoveBy(int32_t dy, PaintMode mode, ViewRows rows)
{
    if (dy != 0 && !engine_.Blocks().empty()) {
        ZEBRenderLineObject& last = engine_.Blocks().back()->LastLine();
        engine_.PlaceView(last, last.Y + dy);
    }
    if (mode == PaintMode::Full || !options_.Settings().ScrollMode)
        view_.RepaintAll();
    else if (dy != 0)
        view_.ShiftAndPaint(dy);
    else
        view_.PaintRows(rows);
}

void ViewScroller::TimedMove(int32_t dy, double seconds)
{
    if (engine_.Blocks().empty())
        return;
    if (!options_.Settings().TextMovement) {
        ZEBRenderLineObject& first = engine_.Blocks().front()->FirstLine();
        engine_.PlaceView(first, first.Y + dy);
        view_.RepaintAll();
        return;
    }
    if (dy != 0)
        AnimatedMove(dy, seconds);
}

// The lines about to come into view are painted in full first: the last full repaint left
// the part-visible line at that edge blank.
void ViewScroller::AnimatedMove(int32_t dy, double seconds)
{
    const RenderMetrics& m = M();
    const int32_t edge = 2 * m.LineInterval + m.LineStep + m.LineHeight;
    const bool forward = dy < 0;
    if (forward)
        MoveBy(0, PaintMode::Shift, {m.ViewHeight - edge, m.ViewHeight});
    else
        MoveBy(0, PaintMode::Shift, {0, edge});
    const int32_t pixels = forward ? -dy : dy;
    const double perPixel = seconds / pixels;
    int32_t k = 1;
    while (k * perPixel < MinStepSeconds)
        ++k;
    const double stepSeconds = k * perPixel;
    for (int32_t remaining = pixels; remaining > 0;) {
        int32_t next = std::max(0, remaining - k);
        if (forward ? !CanMoveForward() : !CanMoveBackward()) {
            MoveBy(0, PaintMode::Full);
            return;
        }
        int32_t step = remaining - next;
        MoveBy(forward ? -step : step, next > 0 ? PaintMode::Shift : PaintMode::Full);
        remaining = next;
        wait_(stepSeconds);
    }
}

const ZEBRenderLineObject* ViewScroller::FirstScreenLine() const
{
    const auto& screen = engine_.ScreenLines();
    return screen.empty() ? nullptr : screen.front().Line;
}

const ZEBRenderLineObject* ViewScroller::LastScreenLine() const
{
    const auto& screen = engine_.ScreenLines();
    return screen.empty() ? nullptr : screen.back().Line;
}

const ZEBRenderLineObject& ViewScroller::LastLaidOutLine() const
{
    return engine_.Blocks().back()->LastLine();
}

int32_t ViewScroller::CorrectedForward(int32_t dy) const
{
    int32_t bottom = LastLaidOutLine().Bottom();
    return bottom < 0 ? -bottom : dy;
}

// Once the end is past the top edge, a forward command brings the last line's bottom back to
// one line step below it.
int32_t ViewScroller::RefusedForwardDistance() const
{
    return M().LineStep - LastLaidOutLine().Bottom();
}

int32_t ViewScroller::LineDownDistance() const
{
    if (engine_.Blocks().empty())
        return 0;
    if (!CanMoveForward())
        return RefusedForwardDistance();
    const int32_t step = M().LineStep;
    int32_t dy;
    if (const ZEBRenderLineObject* l = FirstScreenLine())
        dy = l->Y < l->Height + step ? step - l->Height - l->Y : -l->Height;
    else
        dy = -engine_.Blocks().front()->FirstLine().Height;
    return CorrectedForward(dy);
}

int32_t ViewScroller::LineUpDistance() const
{
    const ZEBRenderLineObject* first = FirstScreenLine();
    if (!first)
        return engine_.Blocks().empty() ? 0 : engine_.Blocks().front()->FirstLine().Height;
    std::vector<const ZEBRenderLineObject*> lines = LaidOutLines(engine_);
    auto at = std::find(lines.begin(), lines.end(), first);
    if (at == lines.begin())
        return first->Height;
    return M().LineStep - (*(at - 1))->Y;
}

int32_t ViewScroller::PageDownDistance() const
{
    if (engine_.Blocks().empty())
        return 0;
    if (!CanMoveForward())
        return RefusedForwardDistance();
    const ZEBRenderLineObject* last = LastScreenLine();
    int32_t dy = last ? M().LineStep - last->Bottom() : -M().ViewHeight;
    return CorrectedForward(dy);
}

// The lines above the view that fit in it go down into it, the highest of them one line step
// below the top edge.
int32_t ViewScroller::PageUpDistance() const
{
    const RenderMetrics& m = M();
    const ZEBRenderLineObject* first = FirstScreenLine();
    if (!first)
        return m.ViewHeight;
    const int32_t y0 = first->Y;
    const int32_t highest = y0 - m.ViewHeight + m.LineStep;
    std::vector<const ZEBRenderLineObject*> lines = LaidOutLines(engine_);
    auto at = std::find(lines.begin(), lines.end(), first);
    const ZEBRenderLineObject* remembered = nullptr;
    bool ranOut = true;
    for (auto it = std::make_reverse_iterator(at + 1); it != lines.rend(); ++it) {
        if ((*it)->Y < highest) {
            ranOut = false;
            break;
        }
        if ((*it)->Bottom() <= y0)
            remembered = *it;
    }
    if (!remembered)
        return m.ViewHeight;
    if (ranOut)
        return m.ViewHeight - y0;
    return m.LineStep - remembered->Y;
}

void ViewScroller::LineDown()
{
    view_.ProcessMessages();
    TimedMove(LineDownDistance(), LineMoveSeconds);
}

void ViewScroller::LineUp()
{
    view_.ProcessMessages();
    if (CanMoveBackward())
        TimedMove(LineUpDistance(), LineMoveSeconds);
}

void ViewScroller::PageDown()
{
    TimedMove(PageDownDistance(), PageMoveSeconds);
}

void ViewScroller::PageUp()
{
    if (CanMoveBackward())
        TimedMove(PageUpDistance(), PageMoveSeconds);
}

void ViewScroller::GoToTop()
{
    engine_.SetPosition(engine_.Book().TextStart(), M().ViewHeight / 4);
    view_.RepaintAll();
}

void ViewScroller::ShowMatch(const PhraseMatch& match)
{
    engine_.ShowMatch(match, M().ViewHeight / 4);
    view_.RepaintAll();
}

void ViewScroller::GoToBottom()
{
    const int32_t last = engine_.Book().TextEnd() - 1;
    engine_.SetPosition(last, 0);
    if (const ZEBRenderLineObject* first = FirstScreenLine()) {
        int32_t height = 0;
        for (const auto& line : first->Block->Lines)
            height += line->Height;
        engine_.SetPosition(last, ((M().ViewHeight * 3) >> 2) - height);
    }
    view_.RepaintAll();
}

int32_t DraggedPosition(int32_t position, int32_t travel, int32_t textStart, int32_t textEnd,
                        int32_t viewHeight)
{
    if (viewHeight <= 0)
        return position;
    int64_t perPixel = (int64_t(textEnd) - textStart) / viewHeight;
    int64_t moved = int64_t(position) + int64_t(travel) * perPixel;
    moved = std::min<int64_t>(moved, int64_t(textEnd) - 1);
    return int32_t(std::max<int64_t>(moved, textStart));
}

}  // namespace zeb
