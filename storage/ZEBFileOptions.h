#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

class ZEBFile;

constexpr uint16_t OptionsTerminator = 0xFFFF;
// Deeper blocks are refused as malformed; real ones are three levels deep.
constexpr int MaxOptionsDepth = 64;

// One node of an options tree: an id, a value of up to 65535 bytes, and children.
class ZEBFileOptionsItem {
public:
    explicit ZEBFileOptionsItem(uint16_t id, ZEBFileOptionsItem* parent = nullptr)
        : id_(id), parent_(parent) {}

    uint16_t Id() const { return id_; }
    uint16_t Length() const { return uint16_t(value_.size()); }
    const std::vector<uint8_t>& Value() const { return value_; }
    ZEBFileOptionsItem* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<ZEBFileOptionsItem>>& Children() const { return children_; }
    ZEBFileOptionsItem* SearchCursor() const;

    ZEBFileOptionsItem& AppendChild(uint16_t id);
    // The first child with id met from the search cursor on (wrapping round), or from the
    // first child when there is no cursor; a hit becomes the cursor.
    static ZEBFileOptionsItem* Find(ZEBFileOptionsItem& parent, uint16_t id);
    // Removes every descendant and the value.
    void Clear();
    // Clears child, unlinks it and frees it. The cursor, when it was child, moves to the next
    // sibling, else to the previous one, else to none.
    void RemoveChild(ZEBFileOptionsItem& child);

    // Values longer than 65535 bytes are cut to fit.
    void SetValue(const uint8_t* data, size_t count);
    std::string GetString() const;
    void SetString(std::string_view text);
    std::u16string GetWideString() const;
    void SetWideString(std::u16string_view text);
    uint32_t GetInteger() const;  // up to 4 stored bytes, little-endian
    void SetInteger(uint32_t value);  // the shortest prefix keeping every non-zero byte
    uint8_t GetByte() const;
    void SetByte(uint8_t value);  // no byte for 0

    // Writes this item and its subtree; returns the position after the terminator.
    int32_t Save(ZEBFile& file, int32_t position) const;
    // Reads the rest of an item whose id was already read. Raises ZEBIOFailure when a length
    // or value reaches past the logical size or the nesting is deeper than MaxOptionsDepth.
    void Load(ZEBFile& file, int32_t& position, int depth = 0);

private:
    std::vector<uint8_t> value_;
    uint16_t id_;
    ZEBFileOptionsItem* parent_;
    std::vector<std::unique_ptr<ZEBFileOptionsItem>> children_;
    int cursor_ = -1;  // index of the search cursor among children_
};

// The holder of a tree's root; typed options by id act on the root's direct children.
class ZEBFileOptions {
public:
    ZEBFileOptionsItem* Root() const { return root_.get(); }
    void Clear() { root_.reset(); }

    ZEBFileOptionsItem* Find(uint16_t id) const;
    // The child with id, created (empty, last) when missing; a root of id 0 is created first
    // when there is no tree.
    ZEBFileOptionsItem& FindOrCreate(uint16_t id);
    void Remove(ZEBFileOptionsItem& item);
    // Removes every direct child of the root with id after the first one, so that lookups
    // find that first one whatever the search cursor says.
    void RemoveRepeats(uint16_t id);

    std::string GetString(uint16_t id, std::string_view fallback) const;
    std::u16string GetWideString(uint16_t id, std::u16string_view fallback) const;
    uint32_t GetInteger(uint16_t id, uint32_t fallback) const;
    uint8_t GetByte(uint16_t id, uint8_t fallback) const;
    void SetString(uint16_t id, std::string_view value) { FindOrCreate(id).SetString(value); }
    void SetWideString(uint16_t id, std::u16string_view value) { FindOrCreate(id).SetWideString(value); }
    void SetInteger(uint16_t id, uint32_t value) { FindOrCreate(id).SetInteger(value); }
    void SetByte(uint16_t id, uint8_t value) { FindOrCreate(id).SetByte(value); }

    // A block whose first id is 0xFFFF holds no tree and leaves this one unchanged; otherwise
    // the tree is replaced by the one stored at position.
    void Load(ZEBFile& file, int32_t position);
    // Writes the tree (0xFFFF alone when there is none); returns the end position.
    int32_t Save(ZEBFile& file, int32_t position) const;

private:
    std::unique_ptr<ZEBFileOptionsItem> root_;
};

}  // namespace zeb
