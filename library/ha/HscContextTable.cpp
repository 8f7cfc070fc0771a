// The store behind HSC: 10000 context records and 32760 symbol nodes, as many as HA's own
// model has, since the decoder must recycle exactly as the encoder did.
// - A context of order k is found through a hash of its k bytes: H(1) = R[c1] and
//   H(k) = R[(ck + H(k-1)) mod 16384], with R 16384 pseudo-random 14-bit values from the
//   minimal standard generator (multiplier 16807, modulus 2^31 - 1) seeded with 10.
// - Records are recycled oldest first through a recency list (9999 is the oldest at the
//   start). Once 2500 records of order 4 have been recycled, no new ones of order 4 are made.
// - A context's first symbol lives in the node of the same number, the others in nodes from a
//   pool (10000 up). When the pool runs dry, a cursor moves on to a context with more than one
//   symbol that the current byte does not use, and drops its rarest symbols (those below one
//   more than its smallest frequency), dividing the others' frequencies by that amount.
#include "library/ha/HscContextTable.h"

#include <algorithm>

#include "library/common/ArchiveDataError.h"

namespace zeb {

namespace {

constexpr int ContextCount = 10000;
constexpr int NodeCount = 32760;
constexpr int HashSize = 16384;

// Park and Miller's minimal standard generator (Schrage's method), seeded with 10.
std::vector<uint16_t> RandomHashValues()
{
    std::vector<uint16_t> values(HashSize);
    int32_t x = 10;
    for (uint16_t& v : values) {
        x = 16807 * (x % 127773) - 2836 * (x / 127773);
        if (x <= 0)
            x += 2147483647;
        v = uint16_t(x & (HashSize - 1));
    }
    return values;
}

}  // namespace

HscContextTable::HscContextTable()
    : contexts_(ContextCount), nodes_(NodeCount), heads_(HashSize, None),
      random_(RandomHashValues())
{
    for (int n = NodeCount - 1; n >= ContextCount; --n)
        pool_.push_back(uint16_t(n));
    // Recycled in the order 9999, 9998, ..., 0: 9999 is the oldest.
    for (int x = 0; x < ContextCount; ++x) {
        contexts_[size_t(x)].older = uint16_t(x == ContextCount - 1 ? None : x + 1);
        contexts_[size_t(x)].newer = uint16_t(x == 0 ? None : x - 1);
    }
    oldest_ = ContextCount - 1;
    newest_ = 0;
}

uint16_t HscContextTable::HashOf(int order, uint32_t bytes) const
{
    uint16_t h = 0;
    for (int k = 0; k < order; ++k)
        h = random_[(((bytes >> (8 * k)) & 0xFF) + h) & (HashSize - 1)];
    return h;
}

void HscContextTable::SetBytes(uint32_t bytes)
{
    current_ = bytes;
    uint16_t h = 0;
    hash_[0] = 0;
    for (int k = 1; k <= MaxOrder; ++k) {
        h = random_[(((bytes >> (8 * (k - 1))) & 0xFF) + h) & (HashSize - 1)];
        hash_[size_t(k)] = h;
    }
}

int HscContextTable::Find(int order) const
{
    static constexpr uint32_t OrderMask[MaxOrder + 1] = {0, 0xFF, 0xFFFF, 0xFFFFFF, 0xFFFFFFFF};
    for (int o = order; o >= 0; --o) {
        for (int x = heads_[hash_[size_t(o)]]; x != None; x = contexts_[size_t(x)].hashNext) {
            const Context& c = contexts_[size_t(x)];
            if (c.order == o && ((c.bytes ^ current_) & OrderMask[o]) == 0)
                return x;
        }
    }
    return None;
}

void HscContextTable::Unlink(int x)
{
    Context& c = contexts_[size_t(x)];
    if (c.older != None)
        contexts_[c.older].newer = c.newer;
    else
        oldest_ = c.newer;
    if (c.newer != None)
        contexts_[c.newer].older = c.older;
    else
        newest_ = c.older;
}

void HscContextTable::Touch(int x)
{
    if (x == newest_)
        return;
    Unlink(x);
    Context& c = contexts_[size_t(x)];
    c.older = newest_;
    c.newer = None;
    contexts_[newest_].newer = uint16_t(x);
    newest_ = uint16_t(x);
}

void HscContextTable::UnhashContext(int x)
{
    const Context& c = contexts_[size_t(x)];
    uint16_t* link = &heads_[HashOf(c.order, c.bytes)];
    while (*link != None && *link != x)
        link = &contexts_[*link].hashNext;
    if (*link == x)
        *link = c.hashNext;
}

void HscContextTable::Create(int order, uint8_t b)
{
    const int x = oldest_;
    Touch(x);
    Context& c = contexts_[size_t(x)];
    if (c.order != FreeOrder) {
        if (c.order == MaxOrder && --order4Budget_ == 0)
            maxOrder_ = MaxOrder - 1;
        UnhashContext(x);
        for (int n = nodes_[size_t(x)].next; n != None;) {
            int next = nodes_[size_t(n)].next;
            FreeNode(n);
            n = next;
        }
    }
    nodes_[size_t(x)] = Node{b, 1, None};
    c.total = 1;
    c.low = 1;
    c.credit = 4;
    c.countMinus1 = 0;
    c.order = uint8_t(order);
    c.bytes = current_;
    uint16_t& head = heads_[hash_[size_t(order)]];
    c.hashNext = head;
    head = uint16_t(x);
}

int HscContextTable::TakeNode(const std::vector<int>& busy)
{
    while (pool_.empty())
        Reclaim(busy);
    int n = pool_.back();
    pool_.pop_back();
    return n;
}

// Steps on to the next context with more than one symbol that is not in use for the current
// byte, and thins it out.
void HscContextTable::Reclaim(const std::vector<int>& busy)
{
    for (int step = 0; step < ContextCount; ++step) {
        cursor_ = cursor_ == ContextCount - 1 ? 0 : cursor_ + 1;
        if (nodes_[size_t(cursor_)].next != None &&
            std::find(busy.begin(), busy.end(), cursor_) == busy.end()) {
            Shrink(cursor_);
            return;
        }
    }
    throw ArchiveDataError();  // the pool cannot be empty with no context to thin out
}

// Drops the context's rarest symbols: those below d, one more than the smallest frequency;
// the others keep frequency div d. The first symbol lives in the context's own node, so when it
// is among the dropped it takes over a later survivor's byte and frequency.
void HscContextTable::Shrink(int x)
{
    Context& c = contexts_[size_t(x)];
    Node& first = nodes_[size_t(x)];
    uint32_t minimum = first.freq;
    for (int n = first.next; n != None; n = nodes_[size_t(n)].next)
        minimum = std::min<uint32_t>(minimum, nodes_[size_t(n)].freq);
    const uint32_t d = minimum + 1;
    if (first.freq < d) {
        int j = first.next;
        while (nodes_[size_t(j)].freq < d && nodes_[size_t(j)].next != None)
            j = nodes_[size_t(j)].next;
        first.byte = nodes_[size_t(j)].byte;
        first.freq = nodes_[size_t(j)].freq;
        const int after = nodes_[size_t(j)].next;
        for (int n = first.next;;) {
            int next = nodes_[size_t(n)].next;
            FreeNode(n);
            if (n == j)
                break;
            n = next;
        }
        first.next = uint16_t(after);
        if (after == None) {
            c.countMinus1 = 0;
            c.total = first.freq;
            c.low = first.freq < 3 ? 1 : 0;
            return;
        }
    }
    first.freq = uint16_t(first.freq / d);
    c.total = first.freq;
    c.low = first.freq < 3 ? 1 : 0;
    c.countMinus1 = 0;
    int previous = x;
    for (int n = first.next; n != None;) {
        Node& node = nodes_[size_t(n)];
        const int next = node.next;
        if (node.freq < d) {
            nodes_[size_t(previous)].next = uint16_t(next);
            FreeNode(n);
        } else {
            node.freq = uint16_t(node.freq / d);
            c.total = uint16_t(c.total + node.freq);
            ++c.countMinus1;
            if (node.freq < 3)
                ++c.low;
            previous = n;
        }
        n = next;
    }
}

}  // namespace zeb
