// The context store of HA's HSC model; notes in HscContextTable.cpp.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zeb {

// The context store of HSC: 10000 contexts of order 0 to 4, each a list of symbol nodes,
// found through a hash of its bytes and recycled oldest first. Nodes come from a fixed pool;
// when it runs dry the least useful symbols of some context are reclaimed.
class HscContextTable {
public:
    static constexpr int MaxOrder = 4;
    static constexpr uint8_t FreeOrder = 255;
    // Ends every list and chain. Context and node numbers start at 0: context x's first
    // symbol lives in node x.
    static constexpr uint16_t None = 0xFFFF;

    struct Context {
        uint8_t order = FreeOrder;
        uint32_t bytes = 0;  // c1 .. c4 when it was created, c1 in the low byte
        uint8_t countMinus1 = 0;                // symbols in it, minus one
        uint16_t total = 0;                     // sum of its frequencies
        uint8_t low = 0;                        // symbols with a frequency below 3
        uint8_t credit = 0;                     // rescale credit
        uint16_t hashNext = None;
        uint16_t older = None;
        uint16_t newer = None;
    };

    struct Node {
        uint8_t byte = 0;
        uint16_t freq = 0;
        uint16_t next = None;
    };

    HscContextTable();

    Context& At(int x) { return contexts_[size_t(x)]; }
    Node& NodeAt(int n) { return nodes_[size_t(n)]; }

    // The current bytes c1 .. c4 (c1 in the low byte) and their hash for every order.
    void SetBytes(uint32_t bytes);
    // The context of order `order` or less matching the current bytes, longest first; None if
    // there is none.
    int Find(int order) const;
    // Makes x the most recently used context.
    void Touch(int x);
    // Recycles the least recently used context as one of `order` holding byte b alone.
    void Create(int order, uint8_t b);
    // A node from the pool; when empty, reclaims nodes from contexts not in `busy`.
    int TakeNode(const std::vector<int>& busy);

    // The highest order created for new bytes: 4, and 3 once enough order-4 contexts have
    // been recycled.
    int MaxCreateOrder() const { return maxOrder_; }

private:
    void FreeNode(int n) { pool_.push_back(uint16_t(n)); }
    uint16_t HashOf(int order, uint32_t bytes) const;
    void Unlink(int x);
    void UnhashContext(int x);
    void Reclaim(const std::vector<int>& busy);
    void Shrink(int x);

    std::vector<Context> contexts_;
    std::vector<Node> nodes_;
    std::vector<uint16_t> pool_;
    std::vector<uint16_t> heads_;
    std::vector<uint16_t> random_;
    uint32_t current_ = 0;
    std::array<uint16_t, MaxOrder + 1> hash_{};
    uint16_t oldest_ = None;
    uint16_t newest_ = None;
    int maxOrder_ = MaxOrder;
    int order4Budget_ = 2500;
    int cursor_ = 0;
};

}  // namespace zeb
