#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "render/RenderMetrics.h"
#include "render/TextKey.h"
#include "render/ZEBRenderHost.h"
#include "render/ZEBRenderParagObject.h"
#include "render/ZEBRenderThread.h"
#include "settings/ZEBOptions.h"
#include "storage/ZEBBook.h"

namespace zeb {

// The reading position as a book stores it: a text position and where its line sits in the
// view, in 1/65536 of the view height.
struct ReadingPosition {
    int32_t Position = 0;
    int32_t Fraction = 0;
};

constexpr int32_t FractionOne = 65536;

// A text position and the y its line is shown at.
struct ViewAnchor {
    int32_t Position = 0;
    int32_t Y = 0;
};

// The layout engine: the open book, its blocks laid out for a band from one view height above
// the view to one below it, the lines wholly in view (screen lines), and the queue of line
// pictures still to draw.
class ZEBRenderParag {
public:
    ZEBRenderParag(const ZEBOptions& options, ZEBRenderHost& host, std::unique_ptr<ZEBMeasurer> measurer,
                   ZEBRenderStep& step);
    ZEBRenderParag(const ZEBRenderParag&) = delete;
    ZEBRenderParag& operator=(const ZEBRenderParag&) = delete;
    ~ZEBRenderParag();

    ZEBBook& Book() { return book_; }
    const ZEBBook& Book() const { return book_; }
    ZEBRenderHost& Host() { return host_; }
    ZEBRenderThread& Queue() { return queue_; }
    const RenderMetrics& Metrics() const { return metrics_; }
    const ZEBMeasurer& Measurer() const { return *measurer_; }

    // Widths in view pixels, and a glyph's advance at the enlarged size.
    int32_t TextWidth(std::u16string_view text) const;
    int32_t GlyphAdvance(char16_t c) const;

    // Takes the font, the geometry and the modes from the settings and lays the text out
    // again around the same position. The engine reads the settings and never writes them:
    // pausing auto-scroll meanwhile is the window's business.
    void ApplyDisplaySettings();
    // Takes the view's new size and lays the text out again around the same position.
    void ViewResized();

    // Shows the line holding text position p at y (nothing without a book).
    void SetPosition(int32_t position, int32_t y);
    // Puts line at y and lays out, keeps or drops blocks so that the band is covered.
    void PlaceView(ZEBRenderLineObject& line, int32_t y);
    // Moves the text down by dy pixels (up when negative).
    void MoveBy(int32_t dy);
    // What the view is at: the first screen line; without one, the first laid-out line (the
    // last when the text lies above the view) half a view down; with nothing laid out, 0 at 0.
    ViewAnchor CurrentAnchor() const;

    // Drops every block and screen line.
    void DiscardBlocks();
    // Drops the layout and closes the book.
    void Reset();

    // The request that draws line's picture: copies of everything the drawing needs.
    std::unique_ptr<ZEBRenderQuenue> MakeRequest(const ZEBRenderLineObject& line) const;
    // Gives line its picture at once, for a paint that cannot wait: the finished result of its
    // request, else drawn in full here. A line less than a pixel high gets none.
    void RenderNow(ZEBRenderLineObject& line);

    const std::vector<std::unique_ptr<ZEBRenderParagObject>>& Blocks() const { return blocks_; }
    const std::vector<ZEBRenderScreenLine>& ScreenLines() const { return screenLines_; }

    // The position to save or bookmark: the first screen line's, else (the view past the last
    // line) the end of the text, else the start.
    ReadingPosition CurrentReadingPosition() const;
    // Bookmarks the current position; false when there is none, when no word follows it (the
    // book file could not keep the bookmark) or when it is bookmarked already.
    bool AddBookmark();

    // Shows the line where match begins at y with the match's characters highlighted; the
    // highlight goes with the next move of the view.
    void ShowMatch(const PhraseMatch& match, int32_t y);
    const std::optional<PhraseMatch>& Highlight() const { return highlight_; }

private:
    const ZEBParagInfo& IndexInUse() const;
    void Relayout();
    size_t FindOrCreateBlock(int32_t index);
    size_t CreateBlock(int32_t index, size_t at);
    size_t PositionOf(const ZEBRenderParagObject& block) const;
    int32_t PlaceForward(size_t at, int32_t y);
    void PlaceBackward(size_t at, int32_t y);
    void Trim();
    void UpdateScreenLinesAndRequests();
    void UpdateRequest(ZEBRenderLineObject& line);
    void RedrawLinesOf(const PhraseMatch& match);

    const ZEBOptions& options_;
    ZEBRenderHost& host_;
    std::shared_ptr<const ZEBMeasurer> measurer_;
    RenderMetrics metrics_;
    ZEBRenderStep& step_;
    ZEBRenderThread queue_;
    ZEBBook book_;
    // After the queue: lines cancel their requests when they go.
    std::vector<std::unique_ptr<ZEBRenderParagObject>> blocks_;
    std::vector<ZEBRenderScreenLine> screenLines_;
    std::optional<PhraseMatch> highlight_;
};

}  // namespace zeb
