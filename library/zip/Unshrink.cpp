// Method 1 (shrunk): LZW with codes of 9 to 13 bits. Code 256 announces a control code:
// 1 widens the codes by one bit, 2 frees every leaf of the code tree (a partial clear); new
// strings take the lowest free code.
#include <memory>
#include <vector>

#include "library/zip/ZipMethods.h"

namespace zeb {
namespace {

constexpr int MinBits = 9;
constexpr int MaxBits = 13;
constexpr int CodeCount = 1 << MaxBits;
constexpr int Control = 256;
constexpr int FirstFree = 257;
constexpr int16_t Free = -1;
constexpr int16_t Root = -2;

class Unshrinker {
public:
    Unshrinker(ZipInput& in, ExtractedFile& out) : bits_(in), out_(out)
    {
        for (int c = 0; c < 256; ++c) {
            prefix_[c] = Root;
            suffix_[c] = uint8_t(c);
        }
        for (int c = Control; c < CodeCount; ++c)
            prefix_[c] = Free;
    }

    bool Run(uint64_t size)
    {
        while (out_.Written() < size) {
            int code = int(bits_.Get(codeBits_));
            if (bits_.Overrun())
                return false;
            bool ok = code == Control ? ControlCode() : DataCode(code);
            if (!ok)
                return false;
        }
        return true;
    }

private:
    bool ControlCode()
    {
        switch (bits_.Get(codeBits_)) {
        case 1:
            if (codeBits_ == MaxBits)
                return false;
            ++codeBits_;
            return true;
        case 2:
            PartialClear();
            return true;
        default:
            return false;
        }
    }

    bool DataCode(int code)
    {
        bool known = prefix_[code] != Free;
        // A code not yet defined can only be the one about to be defined: the previous string
        // followed by its own first byte.
        if (!known && (previous_ < 0 || code != nextFree_))
            return false;
        int start = Expand(known ? code : previous_);
        if (start < 0)
            return false;
        uint8_t first = stack_[start];
        if (!known)
            stack_[CodeCount] = first;
        size_t end = known ? CodeCount : CodeCount + 1;
        if (previous_ >= 0)
            Define(first);
        out_.Put(&stack_[start], end - size_t(start));
        previous_ = code;
        return true;
    }

    // Writes the string of code into stack_, ending just before CodeCount; returns where it
    // starts, or -1 when the chain of prefixes is broken.
    int Expand(int code)
    {
        int at = CodeCount;
        while (code >= 0) {
            if (at == 0 || prefix_[code] == Free)
                return -1;
            stack_[--at] = suffix_[code];
            code = prefix_[code];
        }
        return at;
    }

    void Define(uint8_t first)
    {
        if (nextFree_ >= CodeCount)
            return;
        prefix_[nextFree_] = int16_t(previous_);
        suffix_[nextFree_] = first;
        FindNextFree(nextFree_ + 1);
    }

    void FindNextFree(int from)
    {
        nextFree_ = from;
        while (nextFree_ < CodeCount && prefix_[nextFree_] != Free)
            ++nextFree_;
    }

    void PartialClear()
    {
        std::vector<bool> hasChild(CodeCount, false);
        for (int c = FirstFree; c < CodeCount; ++c) {
            if (prefix_[c] >= 0)
                hasChild[size_t(prefix_[c])] = true;
        }
        for (int c = FirstFree; c < CodeCount; ++c) {
            if (!hasChild[size_t(c)])
                prefix_[c] = Free;
        }
        FindNextFree(FirstFree);
    }

    ZipBitReader bits_;
    ExtractedFile& out_;
    int codeBits_ = MinBits;
    int previous_ = -1;
    int nextFree_ = FirstFree;
    int16_t prefix_[CodeCount] = {};
    uint8_t suffix_[CodeCount] = {};
    uint8_t stack_[CodeCount + 1] = {};
};

}  // namespace

bool Unshrink(ZipInput& in, ExtractedFile& out, uint64_t size)
{
    auto unshrinker = std::make_unique<Unshrinker>(in, out);
    return unshrinker->Run(size);
}

}  // namespace zeb
