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
                           ZEBViewSurface& view, Clock clock)
    : engine_(engine), options_(options), view_(view), clock_(std::move(clock))
{
}

bool ViewScroller::CanMoveForward() const
{
    return CanMoveForward(0);
}

bool ViewScroller::CanMoveBackward() const
{
    return CanMoveBackward(0);
}

bool ViewScroller::CanMoveForward(int32_t ahead) const
{
    const auto& blocks = engine_.Blocks();
    if (blocks.empty())
        return false;
    const ZEBRenderParagObject& last = *blocks.back();
    return !(last.LastBlock && last.LastLine().Bottom() + ahead - M().LineStep <= 0);
}

bool ViewScroller::CanMoveBackward(int32_t ahead) const
{
    const auto& blocks = engine_.Blocks();
    if (blocks.empty())
        return false;
    const ZEBRenderParagObject& first = *blocks.front();
    return !(first.FirstBlock && first.FirstLine().Y + ahead >= M().ViewHeight);
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
        StopMotion();
        ZEBRenderLineObject& first = engine_.Blocks().front()->FirstLine();
        engine_.PlaceView(first, first.Y + dy);
        view_.RepaintAll();
        return;
    }
    if (dy == 0)
        return;
    if (motion_ && motion_->Forward == (dy < 0)) {
        Motion& m = *motion_;
        const double left = m.Remaining * m.StepSeconds / m.PixelsPerStep;
        m.Remaining += dy < 0 ? -dy : dy;
        TimeMotion(std::max(seconds, left));
        m.Due = clock_();
        return;
    }
    StopMotion();
    StartMotion(dy, seconds);
}

// The lines about to come into view are painted in full first: the last full repaint left
// the part-visible line at that edge blank.
void ViewScroller::StartMotion(int32_t dy, double seconds)
{
    const RenderMetrics& m = M();
    const int32_t edge = 2 * m.LineInterval + m.LineStep + m.LineHeight;
    const bool forward = dy < 0;
    if (forward)
        MoveBy(0, PaintMode::Shift, {m.ViewHeight - edge, m.ViewHeight});
    else
        MoveBy(0, PaintMode::Shift, {0, edge});
    motion_ = Motion{forward, forward ? -dy : dy};
    TimeMotion(seconds);
    motion_->Due = clock_();
    MotionStep();
}

void ViewScroller::TimeMotion(double seconds)
{
    if (motion_->Remaining == 0)
        return;
    const double perPixel = seconds / motion_->Remaining;
    int32_t k = 1;
    while (k * perPixel < MinStepSeconds)
        ++k;
    motion_->PixelsPerStep = k;
    motion_->StepSeconds = k * perPixel;
}

void ViewScroller::MotionStep()
{
    if (!motion_)
        return;
    Motion& m = *motion_;
    if (m.Remaining == 0) {
        motion_.reset();
        return;
    }
    if (m.Forward ? !CanMoveForward() : !CanMoveBackward()) {
        motion_.reset();
        MoveBy(0, PaintMode::Full);
        return;
    }
    const int64_t missed = std::max<int64_t>(0, int64_t((clock_() - m.Due) / m.StepSeconds));
    const int32_t step =
        int32_t(std::min<int64_t>(m.Remaining, (missed + 1) * int64_t(m.PixelsPerStep)));
    m.Remaining -= step;
    m.Due += double(missed + 1) * m.StepSeconds;
    MoveBy(m.Forward ? -step : step, m.Remaining > 0 ? PaintMode::Shift : PaintMode::Full);
}

void ViewScroller::StopMotion()
{
    if (!motion_)
        return;
    const bool ended = motion_->Remaining == 0;
    motion_.reset();
    // The last step of a move repaints in full; one cut short has not made it yet.
    if (!ended)
        MoveBy(0, PaintMode::Full);
}

int32_t ViewScroller::Ahead() const
{
    if (!motion_)
        return 0;
    return motion_->Forward ? -motion_->Remaining : motion_->Remaining;
}

bool ViewScroller::OnScreen(const ZEBRenderLineObject& line, int32_t ahead) const
{
    return line.Y + ahead >= 0 && line.Bottom() + ahead <= M().ViewHeight;
}

const ZEBRenderLineObject* ViewScroller::FirstScreenLine(int32_t ahead) const
{
    for (const ZEBRenderLineObject* line : LaidOutLines(engine_))
        if (OnScreen(*line, ahead))
            return line;
    return nullptr;
}

const ZEBRenderLineObject* ViewScroller::LastScreenLine(int32_t ahead) const
{
    const std::vector<const ZEBRenderLineObject*> lines = LaidOutLines(engine_);
    for (auto it = lines.rbegin(); it != lines.rend(); ++it)
        if (OnScreen(**it, ahead))
            return *it;
    return nullptr;
}

const ZEBRenderLineObject& ViewScroller::LastLaidOutLine() const
{
    return engine_.Blocks().back()->LastLine();
}

int32_t ViewScroller::CorrectedForward(int32_t dy, int32_t ahead) const
{
    const int32_t bottom = LastLaidOutLine().Bottom() + ahead;
    return bottom < 0 ? -bottom : dy;
}

// Once the end is past the top edge, a forward command brings the last line's bottom back to
// one line step below it.
int32_t ViewScroller::RefusedForwardDistance(int32_t ahead) const
{
    return M().LineStep - (LastLaidOutLine().Bottom() + ahead);
}

int32_t ViewScroller::LineDownDistance() const
{
    if (engine_.Blocks().empty())
        return 0;
    const int32_t ahead = Ahead();
    if (!CanMoveForward(ahead))
        return RefusedForwardDistance(ahead);
    const int32_t step = M().LineStep;
    int32_t dy;
    if (const ZEBRenderLineObject* l = FirstScreenLine(ahead)) {
        const int32_t y = l->Y + ahead;
        dy = y < l->Height + step ? step - l->Height - y : -l->Height;
    } else {
        dy = -engine_.Blocks().front()->FirstLine().Height;
    }
    return CorrectedForward(dy, ahead);
}

int32_t ViewScroller::LineUpDistance() const
{
    const int32_t ahead = Ahead();
    const ZEBRenderLineObject* first = FirstScreenLine(ahead);
    if (!first)
        return engine_.Blocks().empty() ? 0 : engine_.Blocks().front()->FirstLine().Height;
    std::vector<const ZEBRenderLineObject*> lines = LaidOutLines(engine_);
    auto at = std::find(lines.begin(), lines.end(), first);
    if (at == lines.begin())
        return first->Height;
    return M().LineStep - ((*(at - 1))->Y + ahead);
}

int32_t ViewScroller::PageDownDistance() const
{
    if (engine_.Blocks().empty())
        return 0;
    const int32_t ahead = Ahead();
    if (!CanMoveForward(ahead))
        return RefusedForwardDistance(ahead);
    const ZEBRenderLineObject* last = LastScreenLine(ahead);
    int32_t dy = last ? M().LineStep - (last->Bottom() + ahead) : -M().ViewHeight;
    return CorrectedForward(dy, ahead);
}

// The lines above the view that fit in it go down into it, the highest of them one line step
// below the top edge.
int32_t ViewScroller::PageUpDistance() const
{
    const RenderMetrics& m = M();
    const int32_t ahead = Ahead();
    const ZEBRenderLineObject* first = FirstScreenLine(ahead);
    if (!first)
        return m.ViewHeight;
    const int32_t y0 = first->Y + ahead;
    const int32_t highest = y0 - m.ViewHeight + m.LineStep;
    std::vector<const ZEBRenderLineObject*> lines = LaidOutLines(engine_);
    auto at = std::find(lines.begin(), lines.end(), first);
    const ZEBRenderLineObject* remembered = nullptr;
    bool ranOut = true;
    for (auto it = std::make_reverse_iterator(at + 1); it != lines.rend(); ++it) {
        if ((*it)->Y + ahead < highest) {
            ranOut = false;
            break;
        }
        if ((*it)->Bottom() + ahead <= y0)
            remembered = *it;
    }
    if (!remembered)
        return m.ViewHeight;
    if (ranOut)
        return m.ViewHeight - y0;
    return m.LineStep - (remembered->Y + ahead);
}

// A move the other way ends the one under way before the next is measured.
void ViewScroller::EndMotionUnless(bool forward)
{
    if (motion_ && motion_->Forward != forward)
        StopMotion();
}

void ViewScroller::LineDown()
{
    EndMotionUnless(true);
    TimedMove(LineDownDistance(), LineMoveSeconds);
}

void ViewScroller::LineUp()
{
    EndMotionUnless(false);
    if (CanMoveBackward(Ahead()))
        TimedMove(LineUpDistance(), LineMoveSeconds);
}

void ViewScroller::PageDown()
{
    EndMotionUnless(true);
    TimedMove(PageDownDistance(), PageMoveSeconds);
}

void ViewScroller::PageUp()
{
    EndMotionUnless(false);
    if (CanMoveBackward(Ahead()))
        TimedMove(PageUpDistance(), PageMoveSeconds);
}

void ViewScroller::GoToTop()
{
    StopMotion();
    engine_.SetPosition(engine_.Book().TextStart(), M().ViewHeight / 4);
    view_.RepaintAll();
}

void ViewScroller::ShowMatch(const PhraseMatch& match)
{
    StopMotion();
    engine_.ShowMatch(match, M().ViewHeight / 4);
    view_.RepaintAll();
}

void ViewScroller::ShowQuarterDown(int32_t position, bool animate)
{
    const int32_t quarter = M().ViewHeight / 4;
    if (animate && options_.Settings().TextMovement) {
        for (const ZEBRenderLineObject* line : LaidOutLines(engine_)) {
            if (line->Start <= position && position < line->End) {
                StopMotion();
                TimedMove(quarter - line->Y, PageMoveSeconds);
                return;
            }
        }
    }
    StopMotion();
    engine_.SetPosition(position, quarter);
    view_.RepaintAll();
}

void ViewScroller::GoToBottom()
{
    StopMotion();
    const int32_t last = engine_.Book().TextEnd() - 1;
    engine_.SetPosition(last, 0);
    if (const ZEBRenderLineObject* first = FirstScreenLine(0)) {
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
