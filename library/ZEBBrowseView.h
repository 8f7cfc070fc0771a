#pragma once

#include <cstdint>

namespace zeb {

class ZEBBrowseFile;

// Where the library list is scrolled to and how the selection moves in it: cells of a fixed
// height, the entry at the top, and the height of the view they are shown in.
class ZEBBrowseView {
public:
    explicit ZEBBrowseView(ZEBBrowseFile& list) : list_(list) {}

    void SetCellHeight(int32_t height) { cellHeight_ = height > 0 ? height : 1; }
    void SetViewHeight(int32_t height) { viewHeight_ = height; }
    int32_t CellHeight() const { return cellHeight_; }
    int32_t ViewHeight() const { return viewHeight_; }
    int32_t Top() const { return top_; }
    int32_t ScrollPosition() const { return scrollPosition_; }
    // What the scroll bar spans: one cell more than the list.
    int32_t ScrollRange() const;

    // The scroll bar moved: the top entry follows, never past the last one.
    void SetScrollPosition(int32_t position);
    // Back to the start, as each show of the window begins.
    void Reset() { top_ = scrollPosition_ = 0; }

    void SelectPrevious();
    void SelectNext();
    void PageUp();
    void PageDown();
    void Home();
    void End();
    // A press at y in the view: the cell there is selected and scrolled fully into view.
    // Nothing happens below the last cell.
    void Press(int32_t y);
    // Before painting: a selection above the top or reaching past the bottom moves onto the
    // nearest entry wholly in view, and none stays below the view.
    void KeepSelectionVisible();

    // Index of the entry whose cell starts at y in the view; may be past the list.
    int32_t EntryAt(int32_t y) const { return top_ + y / cellHeight_; }
    int32_t CellTop(int32_t index) const { return (index - top_) * cellHeight_; }

private:
    int32_t LowerEdge(int32_t index) const { return (index - top_ + 1) * cellHeight_; }
    // Cells the view holds whole; at least one, so that a cell taller than the view still
    // scrolls to the top rather than out of it.
    int32_t CellsInView() const;
    void ScrollToBottom(int32_t index);

    ZEBBrowseFile& list_;
    int32_t cellHeight_ = 1;
    int32_t viewHeight_ = 0;
    int32_t top_ = 0;
    int32_t scrollPosition_ = 0;
};

}  // namespace zeb
