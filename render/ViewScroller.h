#pragma once

#include <cstdint>
#include <functional>
#include <optional>

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
// distances of the reader's commands, and the limits at both ends of the book. An animated
// move runs on while the caller handles input: its owner makes its steps when they fall due,
// and a move asked for meanwhile in the same direction joins it instead of waiting behind it.
class ViewScroller {
public:
    // A steady clock in seconds.
    using Clock = std::function<double()>;

    ViewScroller(ZEBRenderParag& engine, const ZEBOptions& options, ZEBViewSurface& view,
                 Clock clock);

    // Forward (the text moving up) stops once the book's last line has gone up past the top
    // edge, backward once its first line has come down to the bottom edge.
    bool CanMoveForward() const;
    bool CanMoveBackward() const;

    // Moves the text by dy pixels (up when negative) and shows it; rows is what to paint when
    // dy is 0.
    void MoveBy(int32_t dy, PaintMode mode, ViewRows rows = {});
    // Moves by dy over the given time, pixel steps at most every 5 ms ("Scroll"), or at once
    // ("Jump"). The first step is made at once. Joining a move under way in the same
    // direction, its pixels are added to what that move has left, and the whole is done in
    // the given time from now (or the time that move had left, if longer); a move the other
    // way ends the one under way first.
    void TimedMove(int32_t dy, double seconds);

    // An animated move is under way; its next step falls due at MotionDue on the clock. The
    // move counts as under way until its last step's time has passed.
    bool Moving() const { return motion_.has_value(); }
    double MotionDue() const { return motion_ ? motion_->Due : 0; }
    // Makes the step that is due, with the pixels of any steps missed since, so that a move
    // keeps to its time however late the caller comes.
    void MotionStep();
    // Ends a move under way where it is.
    void StopMotion();

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
    // Shows the line holding text position a quarter down the view: with animate, moving there
    // as "Text Movement" says when the line is laid out already; else at once.
    void ShowQuarterDown(int32_t position, bool animate);

    // The distances of the commands; a positive one moves the text down. While a move runs
    // they are measured from where it will end.
    int32_t LineDownDistance() const;
    int32_t LineUpDistance() const;
    int32_t PageDownDistance() const;
    int32_t PageUpDistance() const;

private:
    const RenderMetrics& M() const { return engine_.Metrics(); }
    // How far the lines will have moved once the move under way ends (0 without one):
    // commands given meanwhile are measured from there. The helpers below take it as ahead.
    int32_t Ahead() const;
    bool CanMoveForward(int32_t ahead) const;
    bool CanMoveBackward(int32_t ahead) const;
    // Wholly in view: the engine's screen lines.
    bool OnScreen(const ZEBRenderLineObject& line, int32_t ahead) const;
    const ZEBRenderLineObject* FirstScreenLine(int32_t ahead) const;
    const ZEBRenderLineObject* LastScreenLine(int32_t ahead) const;
    const ZEBRenderLineObject& LastLaidOutLine() const;
    // A forward distance, corrected so that a last line already above the view comes back.
    int32_t CorrectedForward(int32_t dy, int32_t ahead) const;
    int32_t RefusedForwardDistance(int32_t ahead) const;
    void EndMotionUnless(bool forward);
    void StartMotion(int32_t dy, double seconds);
    // Spreads the pixels left over the given time in steps of at least 5 ms.
    void TimeMotion(double seconds);

    // An animated move under way.
    struct Motion {
        bool Forward = true;
        int32_t Remaining = 0;  // pixels still to move
        int32_t PixelsPerStep = 1;
        double StepSeconds = 0;
        double Due = 0;  // when the next step falls due
    };

    ZEBRenderParag& engine_;
    const ZEBOptions& options_;
    ZEBViewSurface& view_;
    Clock clock_;
    std::optional<Motion> motion_;
};

// Dragging: the whole book spans one view height, so the pointer's travel in pixels moves
// the position by (end - start) / view height bytes a pixel. Computed in 64 bits and kept
// within [start, end - 1].
int32_t DraggedPosition(int32_t position, int32_t travel, int32_t textStart, int32_t textEnd,
                        int32_t viewHeight);

}  // namespace zeb
