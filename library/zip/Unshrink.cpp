// ZIP method 1, shrunk: dynamic LZW (APPNOTE.TXT, "UnShrinking - Method 1").
//
// Codes are read least significant bit first, 9 bits wide at the start and at most 13.
// Codes 0 to 255 are the single bytes; 256 is a control code, followed by one more code of
// the current width: 1 widens the codes by one bit, 2 clears part of the table. Every other
// code names a string, and after each string (but the first) the previous string plus the
// first byte of this one becomes a new string under the lowest free code from 257 up.
// The tricky parts:
// - a code may name the string that is only being defined by it (the previous string plus
//   its own first byte), which works only for the next free code;
// - the partial clear frees every leaf of the string tree, i.e. each code from 257 up that
//   no other code uses as its prefix, and leaves the rest; free codes are then scattered, and
//   new strings fill the lowest ones first;
// - the table stops growing when all 8192 codes are in use; the width never shrinks.
// There is no end code: the entry's size ends the data.
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

    void Run(uint64_t size)
    {
        while (out_.Written() < size) {
            int code = int(bits_.Get(codeBits_));
            if (code == Control)
                ControlCode();
            else
                DataCode(code);
        }
    }

private:
    void ControlCode()
    {
        switch (bits_.Get(codeBits_)) {
        case 1:
            if (codeBits_ == MaxBits)
                throw ArchiveDataError();  // wider than the format allows
            ++codeBits_;
            break;
        case 2:
            PartialClear();
            break;
        default:
            throw ArchiveDataError();
        }
    }

    void DataCode(int code)
    {
        bool known = prefix_[code] != Free;
        // A code not yet defined can only be the one about to be defined: the previous string
        // followed by its own first byte.
        if (!known && (previous_ < 0 || code != nextFree_))
            throw ArchiveDataError();
        int start = Expand(known ? code : previous_);
        uint8_t first = stack_[start];
        if (!known)
            stack_[CodeCount] = first;
        size_t end = known ? CodeCount : CodeCount + 1;
        if (previous_ >= 0)
            Define(first);
        out_.Put(&stack_[start], end - size_t(start));
        previous_ = code;
    }

    // Writes the string of code into stack_, ending just before CodeCount; returns where it
    // starts. A chain of prefixes that breaks off or runs in a circle is damaged data.
    int Expand(int code)
    {
        int at = CodeCount;
        while (code >= 0) {
            if (at == 0 || prefix_[code] == Free)
                throw ArchiveDataError();
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

void Unshrink(ZipInput& in, ExtractedFile& out, uint64_t size)
{
    auto unshrinker = std::make_unique<Unshrinker>(in, out);
    unshrinker->Run(size);
}

}  // namespace zeb
