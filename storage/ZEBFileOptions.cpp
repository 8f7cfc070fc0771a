#include "storage/ZEBFileOptions.h"

#include <algorithm>
#include <cerrno>

#include "platform/LittleEndian.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBIOFailure.h"

namespace zeb {

namespace {

constexpr size_t MaxValueLength = 0xFFFF;

uint16_t ReadU16Within(ZEBFile& file, int32_t position)
{
    if (position < 0 || int64_t(position) + 2 > file.Size())
        throw file.Failure("read", 0);
    return file.ReadU16(position);
}

}  // namespace

ZEBFileOptionsItem* ZEBFileOptionsItem::SearchCursor() const
{
    return cursor_ < 0 ? nullptr : children_[size_t(cursor_)].get();
}

ZEBFileOptionsItem& ZEBFileOptionsItem::AppendChild(uint16_t id)
{
    children_.push_back(std::make_unique<ZEBFileOptionsItem>(id, this));
    return *children_.back();
}

ZEBFileOptionsItem* ZEBFileOptionsItem::Find(ZEBFileOptionsItem& parent, uint16_t id)
{
    int count = int(parent.children_.size());
    int first = std::max(parent.cursor_, 0);
    for (int i = 0; i < count; ++i) {
        int k = (first + i) % count;
        if (parent.children_[size_t(k)]->id_ == id) {
            parent.cursor_ = k;
            return parent.children_[size_t(k)].get();
        }
    }
    return nullptr;
}

void ZEBFileOptionsItem::Clear()
{
    children_.clear();
    cursor_ = -1;
    value_.clear();
}

void ZEBFileOptionsItem::RemoveChild(ZEBFileOptionsItem& child)
{
    auto it = std::find_if(children_.begin(), children_.end(),
                           [&child](const auto& c) { return c.get() == &child; });
    if (it == children_.end())
        return;
    int index = int(it - children_.begin());
    int last = int(children_.size()) - 1;
    if (cursor_ == index)
        cursor_ = index < last ? index : index - 1;  // the next sibling takes this index
    else if (cursor_ > index)
        --cursor_;
    children_.erase(it);
}

void ZEBFileOptionsItem::SetValue(const uint8_t* data, size_t count)
{
    value_.assign(data, data + std::min(count, MaxValueLength));
}

std::string ZEBFileOptionsItem::GetString() const
{
    return std::string(value_.begin(), value_.end());
}

void ZEBFileOptionsItem::SetString(std::string_view text)
{
    SetValue(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

std::u16string ZEBFileOptionsItem::GetWideString() const
{
    std::u16string text(value_.size() / 2, u'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = char16_t(LoadU16(value_.data() + 2 * i));
    return text;
}

void ZEBFileOptionsItem::SetWideString(std::u16string_view text)
{
    size_t units = std::min(text.size(), MaxValueLength / 2);
    value_.resize(2 * units);
    for (size_t i = 0; i < units; ++i)
        StoreU16(value_.data() + 2 * i, text[i]);
}

uint32_t ZEBFileOptionsItem::GetInteger() const
{
    uint32_t value = 0;
    for (size_t i = 0; i < std::min<size_t>(value_.size(), 4); ++i)
        value |= uint32_t(value_[i]) << (8 * i);
    return value;
}

void ZEBFileOptionsItem::SetInteger(uint32_t value)
{
    value_.clear();
    for (uint32_t rest = value; rest != 0; rest >>= 8)
        value_.push_back(uint8_t(rest));
}

uint8_t ZEBFileOptionsItem::GetByte() const
{
    return value_.empty() ? 0 : value_[0];
}

void ZEBFileOptionsItem::SetByte(uint8_t value)
{
    value_.clear();
    if (value != 0)
        value_.push_back(value);
}

int32_t ZEBFileOptionsItem::Save(ZEBFile& file, int32_t position) const
{
    file.WriteU16(position, id_);
    file.WriteU16(position + 2, Length());
    position += 4;
    if (!value_.empty())
        file.Write(position, value_.data(), Length());
    position += Length();
    for (const auto& child : children_)
        position = child->Save(file, position);
    file.WriteU16(position, OptionsTerminator);
    return position + 2;
}

void ZEBFileOptionsItem::Load(ZEBFile& file, int32_t& position, int depth)
{
    if (depth > MaxOptionsDepth)
        throw file.Failure("read", EINVAL);
    uint16_t length = ReadU16Within(file, position);
    position += 2;
    if (int64_t(position) + length > file.Size())
        throw file.Failure("read", 0);
    value_.resize(length);
    if (length > 0)
        file.Read(position, value_.data(), length);
    position += length;
    for (;;) {
        uint16_t id = ReadU16Within(file, position);
        position += 2;
        if (id == OptionsTerminator)
            return;
        AppendChild(id).Load(file, position, depth + 1);
    }
}

ZEBFileOptionsItem* ZEBFileOptions::Find(uint16_t id) const
{
    return root_ ? ZEBFileOptionsItem::Find(*root_, id) : nullptr;
}

ZEBFileOptionsItem& ZEBFileOptions::FindOrCreate(uint16_t id)
{
    if (!root_)
        root_ = std::make_unique<ZEBFileOptionsItem>(0);
    ZEBFileOptionsItem* item = Find(id);
    return item ? *item : root_->AppendChild(id);
}

void ZEBFileOptions::Remove(ZEBFileOptionsItem& item)
{
    if (ZEBFileOptionsItem* parent = item.Parent())
        parent->RemoveChild(item);
}

void ZEBFileOptions::RemoveRepeats(uint16_t id)
{
    if (!root_)
        return;
    std::vector<ZEBFileOptionsItem*> repeats;
    bool seen = false;
    for (const auto& child : root_->Children()) {
        if (child->Id() != id)
            continue;
        if (seen)
            repeats.push_back(child.get());
        seen = true;
    }
    for (ZEBFileOptionsItem* item : repeats)
        root_->RemoveChild(*item);
}

std::string ZEBFileOptions::GetString(uint16_t id, std::string_view fallback) const
{
    const ZEBFileOptionsItem* item = Find(id);
    return item ? item->GetString() : std::string(fallback);
}

std::u16string ZEBFileOptions::GetWideString(uint16_t id, std::u16string_view fallback) const
{
    const ZEBFileOptionsItem* item = Find(id);
    return item ? item->GetWideString() : std::u16string(fallback);
}

uint32_t ZEBFileOptions::GetInteger(uint16_t id, uint32_t fallback) const
{
    const ZEBFileOptionsItem* item = Find(id);
    return item ? item->GetInteger() : fallback;
}

uint8_t ZEBFileOptions::GetByte(uint16_t id, uint8_t fallback) const
{
    const ZEBFileOptionsItem* item = Find(id);
    return item ? item->GetByte() : fallback;
}

void ZEBFileOptions::Load(ZEBFile& file, int32_t position)
{
    uint16_t id = ReadU16Within(file, position);
    if (id == OptionsTerminator)
        return;
    root_ = std::make_unique<ZEBFileOptionsItem>(id);
    position += 2;
    root_->Load(file, position);
}

int32_t ZEBFileOptions::Save(ZEBFile& file, int32_t position) const
{
    if (!root_) {
        file.WriteU16(position, OptionsTerminator);
        return position + 2;
    }
    return root_->Save(file, position);
}

}  // namespace zeb
