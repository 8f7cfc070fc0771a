#include "library/ZEBBrowseFile.h"

#include <algorithm>

namespace zeb {

ZEBBrowseFileObject& ZEBBrowseFile::Insert(std::unique_ptr<ZEBBrowseFileObject> entry)
{
    auto place = std::upper_bound(entries_.begin(), entries_.end(), entry->title,
                                  [](const std::u16string& title, const auto& other) {
                                      return title < other->title;
                                  });
    auto at = entries_.insert(place, std::move(entry));
    int32_t index = int32_t(at - entries_.begin());
    Renumber(index);
    return *entries_[size_t(index)];
}

void ZEBBrowseFile::Remove(int32_t index)
{
    entries_.erase(entries_.begin() + index);
    Renumber(index);
}

int32_t ZEBBrowseFile::FirstSelected() const
{
    for (const auto& entry : entries_)
        if (entry->selected)
            return entry->index;
    return -1;
}

void ZEBBrowseFile::KeepFirstSelection()
{
    int32_t first = FirstSelected();
    for (const auto& entry : entries_)
        entry->selected = entry->index == first;
}

void ZEBBrowseFile::SelectOnly(int32_t index)
{
    for (const auto& entry : entries_)
        entry->selected = entry->index == index;
}

void ZEBBrowseFile::ClearSelection()
{
    SelectOnly(-1);
}

void ZEBBrowseFile::Renumber(int32_t from)
{
    for (size_t i = size_t(from); i < entries_.size(); ++i)
        entries_[i]->index = int32_t(i);
}

}  // namespace zeb
