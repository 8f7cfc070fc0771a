#pragma once

#include <cstdint>
#include <functional>

#include "render/TextKey.h"
#include "render/ZEBRenderParag.h"
#include "render/ZEBViewSurface.h"
#include "settings/ZEBOptions.h"

namespace zeb {

// How the view follows a move: Shift moves the pixels already on screen and paints the strip
// uncovered (with "Hardware" scrolling; "Software" repaints everything anyway), Full repaints
// the whole view.
enum class PaintMode { Shift, Full };

// Line moves take an eighth of a second, page moves half a second.
constexpr double LineMoveSeconds = 0.125;
constexpr double PageMoveSeconds = 0.5;

// Every movement of the text: moves by a number of pixels, animated or in one jump, the
// distances of the reader's commands, and the limits at both ends of the book.
class ViewScroller {
public:
    using Wait = std::function<void(double seconds)>;

    ViewScroller(ZEBRenderParag& engine, const ZEBOptions& options, ZEBViewSurface& view,
                 Wait wait);

    // Forward (the text moving up) stops once the book's last line has gone up past the top
    // edge, backward once its first line has come down to the bottom edge.
    bool CanMoveForward() const;
    bool CanMoveBackward() const;

    // Moves the text by dy pixels (up when negative) and shows it; rows is what to paint when
    // dy is 0.
    void MoveBy(int32_t dy, PaintMode mode, ViewRows rows = {});
    // Moves by dy over the given time, pixel steps at most every 5 ms ("Scroll"), or at once
    // ("Jump").
    void TimedMove(int32_t dy, double seconds);

    void LineDown();
    void LineUp();
    void PageDown();
    void PageUp();
    // The book's start a quarter of the view down.
    void GoToTop();
    // The end of the book's last paragraph three quarters of the view down.
    void GoToBottom();
    // Shows the line where a phrase found begins a quarter down the view, the phrase
    // highlighted, as "go to top" places the text's start.
    void ShowMatch(const PhraseMatch& match);

    // The distances of the commands; a positive one moves the text down.
    int32_t LineDownDistance() const;
    int32_t LineUpDistance() const;
    int32_t PageDownDistance() const;
    int32_t PageUpDistance() const;

private:
    const RenderMetrics& M() const { return engine_.Metrics(); }
    const ZEBRenderLineObject* FirstScreenLine() const;
    const ZEBRenderLineObject* LastScreenLine() const;
    const ZEBRenderLineObject& LastLaidOutLine() const;
    // A forward distance, corrected so that a last line already above the view comes back.
    int32_t CorrectedForward(int32_t dy) const;
    int32_t RefusedForwardDistance() const;
    void AnimatedMove(int32_t dy, double seconds);

    ZEBRenderParag& engine_;
    const ZEBOptions& options_;
    ZEBViewSurface& view_;
    Wait wait_;
};

// Dragging: the whole book spans one view height, so the pointer's travel in pixels moves
// the position by (end - start) / view height bytes a pixel. Computed in 64 bits and kept
// within [start, end - 1].
int32_t DraggedPosition(int32_t position, int32_t travel, int32_t textStart, int32_t textEnd,
                        int32_t viewHeight);

}  // namespace zeb
