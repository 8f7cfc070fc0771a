#include "library/ZEBBrowseView.h"

#include <algorithm>

#include "library/ZEBBrowseFile.h"

namespace zeb {

int32_t ZEBBrowseView::ScrollRange() const
{
    return (list_.Count() + 1) * cellHeight_;
}

void ZEBBrowseView::SetScrollPosition(int32_t position)
{
    scrollPosition_ = position;
    top_ = std::max(0, std::min(position / cellHeight_, list_.Count() - 1));
}

int32_t ZEBBrowseView::CellsInView() const
{
    return std::max(1, viewHeight_ / cellHeight_);
}

void ZEBBrowseView::ScrollToBottom(int32_t index)
{
    top_ = std::max(0, index - CellsInView() + 1);
    scrollPosition_ = top_ * cellHeight_;
}

void ZEBBrowseView::SelectPrevious()
{
    list_.KeepFirstSelection();
    int32_t selected = list_.FirstSelected();
    if (selected <= 0)
        return;
    int32_t previous = selected - 1;
    list_.SelectOnly(previous);
    if (top_ > previous)
        SetScrollPosition(previous * cellHeight_);
}

void ZEBBrowseView::SelectNext()
{
    list_.KeepFirstSelection();
    int32_t selected = list_.FirstSelected();
    if (selected < 0 || selected + 1 >= list_.Count())
        return;
    int32_t next = selected + 1;
    list_.SelectOnly(next);
    if (LowerEdge(next) >= viewHeight_)
        ScrollToBottom(next);
}

void ZEBBrowseView::PageUp()
{
    for (int32_t n = CellsInView(); n > 0; --n)
        SelectPrevious();
}

void ZEBBrowseView::PageDown()
{
    for (int32_t n = CellsInView(); n > 0; --n)
        SelectNext();
}

void ZEBBrowseView::Home()
{
    if (list_.Empty())
        return;
    list_.SelectOnly(0);
    SetScrollPosition(0);
}

void ZEBBrowseView::End()
{
    if (list_.Empty())
        return;
    int32_t last = list_.Count() - 1;
    list_.SelectOnly(last);
    if (LowerEdge(last) >= viewHeight_)
        ScrollToBottom(last);
}

void ZEBBrowseView::Press(int32_t y)
{
    int32_t index = EntryAt(y);
    if (y < 0 || index >= list_.Count())
        return;
    if (LowerEdge(index) > viewHeight_ && index > 0) {
        list_.SelectOnly(index - 1);
        SelectNext();
        return;
    }
    list_.SelectOnly(index);
    if (LowerEdge(index) > viewHeight_)
        ScrollToBottom(index);
}

void ZEBBrowseView::KeepSelectionVisible()
{
    const int32_t count = list_.Count();
    bool lost = false;
    for (int32_t i = count - 1; i >= 0; --i) {
        ZEBBrowseFileObject& entry = list_[i];
        if (LowerEdge(i) < viewHeight_) {
            if (!lost)
                break;
            entry.selected = true;
            lost = false;
            break;
        }
        if (entry.selected) {
            entry.selected = false;
            lost = true;
        }
    }
    lost = false;
    for (int32_t i = 0; i < count; ++i) {
        ZEBBrowseFileObject& entry = list_[i];
        if (i >= top_) {
            if (lost)
                entry.selected = true;
            break;
        }
        if (entry.selected) {
            entry.selected = false;
            lost = true;
        }
    }
    for (int32_t i = std::max(0, top_); i < count; ++i)
        if (CellTop(i) >= viewHeight_)
            list_[i].selected = false;
}

}  // namespace zeb
