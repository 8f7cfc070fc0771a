#include "storage/ZEBBookmark.h"

#include <algorithm>
#include <cstdio>

#include "platform/LittleEndian.h"
#include "storage/BookOptions.h"
#include "storage/BookText.h"
#include "storage/TextPlace.h"
#include "storage/ZEBFileOptions.h"

namespace zeb {

bool ZEBBookmark::Insert(int32_t position, std::u16string text)
{
    auto at = std::lower_bound(objects_.begin(), objects_.end(), position,
                               [](const ZEBBookmarkObject& b, int32_t p) { return b.Position < p; });
    if (at != objects_.end() && at->Position == position)
        return false;
    objects_.insert(at, ZEBBookmarkObject{position, std::move(text)});
    return true;
}

void ZEBBookmark::Remove(int32_t index)
{
    if (index >= 0 && index < Count())
        objects_.erase(objects_.begin() + index);
}

void ZEBBookmark::TakeFrom(ZEBFileOptions& options)
{
    ZEBFileOptionsItem* item = options.Find(OptBookmarks);
    if (!item)
        return;
    for (const auto& child : item->Children()) {
        const std::vector<uint8_t>& value = child->Value();
        // A record without one whole code unit of text would come back as 4 bytes, which the
        // next opening skips: it is skipped now, so that loading and saving agree.
        if (value.size() < 6)
            continue;
        std::u16string text((value.size() - 4) / 2, u'\0');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = char16_t(LoadU16(value.data() + 4 + 2 * i));
        Insert(int32_t(LoadU32(value.data())), std::move(text));
    }
    options.Remove(*item);
}

ZEBFileOptionsItem* ZEBBookmark::AppendTo(ZEBFileOptions& options) const
{
    if (objects_.empty())
        return nullptr;
    ZEBFileOptionsItem& item = options.FindOrCreate(OptBookmarks);
    item.Clear();
    uint16_t id = 0;
    for (const ZEBBookmarkObject& b : objects_) {
        std::vector<uint8_t> record(4 + 2 * b.Text.size());
        StoreU32(record.data(), uint32_t(b.Position));
        for (size_t i = 0; i < b.Text.size(); ++i)
            StoreU16(record.data() + 4 + 2 * i, b.Text[i]);
        item.AppendChild(id++).SetValue(record.data(), record.size());
    }
    return &item;
}

std::u16string BookmarkText(const BookText& text, int32_t position)
{
    std::u16string result, word;
    TextRecord record;
    while (result.size() < BookmarkTextUnits && text.Read(position, record, word)) {
        position = record.next;
        if (record.kind != TextRecordKind::Word)
            continue;
        std::u16string_view w = word;
        if (w.front() == u'\t')
            w.remove_prefix(1);
        if (w.empty())
            continue;
        if (!result.empty())
            result += u' ';
        result += w;
    }
    return result;
}

std::string BookmarkPercentText(int32_t position, int32_t start, int32_t end)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.15g%%", PlaceInTenths(position, start, end) * 0.1);
    return text;
}

}  // namespace zeb
