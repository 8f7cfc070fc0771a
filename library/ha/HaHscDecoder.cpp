// HA's HSC method: a finite-context model of orders 0 to 4 (the last bytes written), in the
// manner of PPM, driving the arithmetic decoder. A byte is looked for first in the longest
// context seen before; a context without it codes an escape, its bytes are excluded, and the
// next shorter one is tried, down to order -1, where every byte not excluded and the end
// symbol (256) are equally likely.
// The tricky parts:
// - the escape's share (Escape) is an estimate, not a count. A context seen once escapes with
//   1 or 2, chosen by a counter per order that rises with each escape from such a context and
//   falls with each byte found there (2 from 16 up); a context of all 256 bytes with 1; any
//   other with the number
//   of its rare symbols (frequency below 3), or, when it holds k > 1 symbols and a total of at
//   most 2k, with 2k times that number divided by the total, plus k / 2 when every symbol has
//   been seen just once; never with 0;
// - after five bytes or more in a row without an escape from their first context, that
//   context's counts are scaled up against the escape, by 2, or by 4 after ten when its total
//   is at most 4: during a streak an escape is thought less likely;
// - once the byte is known, every context visited is updated (the symbol counted, or the byte
//   added where it escaped), contexts longer than the first one found are created for it, and
//   a context whose rescale credit runs out or whose total passes 7999 is halved.
// Contexts and symbol nodes live in HscContextTable.
#include "library/ha/HaHscDecoder.h"

#include <array>
#include <vector>

#include "library/common/ArchiveDataError.h"
#include "library/ha/HscContextTable.h"

namespace zeb {

namespace {

constexpr int EndSymbol = 256;
constexpr int None = HscContextTable::None;
constexpr uint32_t RescaleTotal = 7999;
constexpr uint8_t MaxCredit = 4;
constexpr uint8_t MaxRun = 10;

class HscModel {
public:
    HscModel(HaArithmeticDecoder& coder, SlidingWindow& window) : coder_(coder), window_(window) {}

    void Run();

private:
    using Context = HscContextTable::Context;
    using Node = HscContextTable::Node;

    // A context consulted for the current byte: the node of the coded symbol, or after an
    // escape its last node, where the new symbol will be appended.
    struct Visit {
        int context;
        bool escaped;
        int node;
    };

    int DecodeByte();
    bool DecodePlain(int x, int& symbol);
    bool DecodeExcluding(int x, int& symbol);
    int DecodeOrderMinus1();
    uint32_t Escape(const Context& c, uint32_t lowCount) const;
    void Found(int x, int node);
    void Escaped(int x, int lastNode);
    void Exclude(int x);
    void Update(uint8_t b);
    void UpdateOne(const Visit& visit, uint8_t b);
    void Halve(int x);
    void Shift(uint8_t b);

    HaArithmeticDecoder& coder_;
    SlidingWindow& window_;
    HscContextTable table_;
    uint32_t bytes_ = 0;  // c1 (newest, low byte) .. c4
    // Counters for contexts seen once, per order: they steer the escape estimate there.
    std::array<uint8_t, HscContextTable::MaxOrder + 1> deterministic_{16, 15, 15, 15, 15};
    uint8_t run_ = 0;  // bytes in a row found in the first context
    std::array<bool, 256> excluded_{};
    std::vector<uint8_t> excludedList_;
    std::vector<Visit> visits_;
    std::vector<int> busy_;
};

void HscModel::Run()
{
    for (;;) {
        int symbol = DecodeByte();
        if (symbol == EndSymbol) {
            window_.Finish();
            return;
        }
        if (window_.Done())
            throw ArchiveDataError();
        window_.Literal(uint8_t(symbol));
    }
}

int HscModel::DecodeByte()
{
    table_.SetBytes(bytes_);
    for (uint8_t b : excludedList_)
        excluded_[b] = false;
    excludedList_.clear();
    visits_.clear();

    int x = table_.Find(HscContextTable::MaxOrder);
    const int firstOrder = x != None ? table_.At(x).order : -1;
    int symbol = -1;
    while (x != None) {
        bool found = excludedList_.empty() ? DecodePlain(x, symbol) : DecodeExcluding(x, symbol);
        if (found) {
            table_.Touch(x);
            break;
        }
        int order = table_.At(x).order;
        x = order > 0 ? table_.Find(order - 1) : None;
    }
    if (symbol < 0)
        symbol = DecodeOrderMinus1();
    if (symbol == EndSymbol)
        return symbol;
    const uint8_t b = uint8_t(symbol);
    Update(b);
    for (int order = table_.MaxCreateOrder(); order > firstOrder; --order)
        table_.Create(order, b);
    Shift(b);
    return symbol;
}

uint32_t HscModel::Escape(const Context& c, uint32_t lowCount) const
{
    if (c.total == 1)
        return deterministic_[c.order] < 16 ? 1 : 2;
    if (c.countMinus1 == 255)
        return 1;
    const uint32_t k = c.countMinus1 + 1u;
    uint32_t e = lowCount;
    if (k > 1 && c.total <= 2 * k) {
        e = 2 * k * lowCount / c.total;
        if (k == c.total)
            e += k / 2;
    }
    return e == 0 ? 1 : e;
}

// Used while nothing is excluded. After a run of bytes found at once the symbols' share of the
// range is scaled up, making the escape less likely.
bool HscModel::DecodePlain(int x, int& symbol)
{
    const Context& c = table_.At(x);
    const uint32_t total = c.total;
    const uint32_t e = Escape(c, c.low);
    const int scale = run_ < 5 ? 0 : (total <= 4 && run_ == MaxRun ? 2 : 1);
    const uint32_t scaled = total << scale;
    const uint32_t t = coder_.Threshold(scaled + e) >> scale;
    uint32_t a = 0;
    int last = x;
    for (int n = x; n != None; n = table_.NodeAt(n).next) {
        const Node& node = table_.NodeAt(n);
        if (t < a + node.freq) {
            coder_.Consume(a << scale, (a + node.freq) << scale, scaled + e);
            Found(x, n);
            if (run_ < MaxRun)
                ++run_;
            symbol = node.byte;
            return true;
        }
        a += node.freq;
        last = n;
    }
    coder_.Consume(scaled, scaled + e, scaled + e);
    Escaped(x, last);
    run_ = 0;
    return false;
}

bool HscModel::DecodeExcluding(int x, int& symbol)
{
    const Context& c = table_.At(x);
    uint32_t sum = 0;
    uint32_t lowCount = 0;
    int last = x;
    for (int n = x; n != None; n = table_.NodeAt(n).next) {
        const Node& node = table_.NodeAt(n);
        if (!excluded_[node.byte]) {
            sum += node.freq;
            lowCount += node.freq < 3 ? 1 : 0;
        }
        last = n;
    }
    const uint32_t e = Escape(c, lowCount);
    const uint32_t t = coder_.Threshold(sum + e);
    uint32_t a = 0;
    for (int n = x; n != None; n = table_.NodeAt(n).next) {
        const Node& node = table_.NodeAt(n);
        if (excluded_[node.byte])
            continue;
        if (t < a + node.freq) {
            coder_.Consume(a, a + node.freq, sum + e);
            Found(x, n);
            ++run_;
            symbol = node.byte;
            return true;
        }
        a += node.freq;
    }
    coder_.Consume(sum, sum + e, sum + e);
    Escaped(x, last);
    return false;
}

void HscModel::Found(int x, int node)
{
    const Context& c = table_.At(x);
    if (c.total == 1 && deterministic_[c.order] > 0)
        --deterministic_[c.order];
    visits_.push_back({x, false, node});
}

void HscModel::Escaped(int x, int lastNode)
{
    const Context& c = table_.At(x);
    if (c.total == 1 && deterministic_[c.order] < 32)
        ++deterministic_[c.order];
    Exclude(x);
    visits_.push_back({x, true, lastNode});
}

void HscModel::Exclude(int x)
{
    for (int n = x; n != None; n = table_.NodeAt(n).next) {
        const uint8_t b = table_.NodeAt(n).byte;
        if (!excluded_[b]) {
            excluded_[b] = true;
            excludedList_.push_back(b);
        }
    }
}

// No context knows the byte: every byte not excluded is equally likely, and one value more
// ends the member.
int HscModel::DecodeOrderMinus1()
{
    const uint32_t total = 257 - uint32_t(excludedList_.size());
    const uint32_t t = coder_.Threshold(total);
    int symbol = EndSymbol;
    uint32_t passed = 0;
    for (int v = 0; v < 256; ++v) {
        if (excluded_[size_t(v)])
            continue;
        if (passed == t) {
            symbol = v;
            break;
        }
        ++passed;
    }
    coder_.Consume(t, t + 1, total);
    return symbol;
}

void HscModel::Update(uint8_t b)
{
    busy_.clear();
    for (const Visit& v : visits_)
        busy_.push_back(v.context);
    for (auto v = visits_.rbegin(); v != visits_.rend(); ++v)
        UpdateOne(*v, b);
}

void HscModel::UpdateOne(const Visit& visit, uint8_t b)
{
    int node = visit.node;
    if (!visit.escaped) {
        if (++table_.NodeAt(node).freq == 3)
            --table_.At(visit.context).low;
    } else {
        node = table_.TakeNode(busy_);
        table_.NodeAt(node) = Node{b, 1, None};
        table_.NodeAt(visit.node).next = uint16_t(node);
        Context& c = table_.At(visit.context);
        ++c.countMinus1;
        ++c.low;
    }
    Context& c = table_.At(visit.context);
    ++c.total;
    if (2u * table_.NodeAt(node).freq < c.total / (c.countMinus1 + 1u))
        --c.credit;
    else if (c.credit < MaxCredit)
        ++c.credit;
    if (c.credit == 0 || c.total > RescaleTotal) {
        ++c.credit;
        Halve(visit.context);
    }
}

void HscModel::Halve(int x)
{
    Context& c = table_.At(x);
    c.total = 0;
    c.low = 0;
    for (int n = x; n != None; n = table_.NodeAt(n).next) {
        Node& node = table_.NodeAt(n);
        if (node.freq > 1)
            node.freq = uint16_t(node.freq / 2);
        c.total = uint16_t(c.total + node.freq);
        if (node.freq < 3)
            ++c.low;
    }
}

void HscModel::Shift(uint8_t b)
{
    bytes_ = bytes_ << 8 | b;
}

}  // namespace

void DecodeHaHsc(HaArithmeticDecoder& coder, SlidingWindow& window)
{
    HscModel(coder, window).Run();
}

}  // namespace zeb
