// Methods 2 to 5 (reduced with compression factor 1 to 4): bytes predicted from follower sets of
// the previous byte, then runs expanded from DLE (144) sequences of length and distance.
#include <memory>

#include "library/zip/ZipHistory.h"
#include "library/zip/ZipMethods.h"

namespace zeb {
namespace {

constexpr uint8_t Dle = 144;
constexpr int MaxFollowers = 64;

class Unreducer {
public:
    Unreducer(ZipInput& in, ExtractedFile& out, uint64_t size, int factor)
        : bits_(in), window_(ZipHistory(out, size)), factor_(factor), lengthMask_(0xFF >> factor)
    {
    }

    bool Run()
    {
        ReadFollowerSets();
        while (!window_.Done()) {
            int byte = NextByte();
            if (byte < 0 || bits_.Overrun())
                return false;
            Expand(uint8_t(byte));
        }
        window_.Finish();
        return true;
    }

private:
    void ReadFollowerSets()
    {
        for (int j = 255; j >= 0; --j) {
            counts_[j] = int(bits_.Get(6));
            for (int k = 0; k < counts_[j]; ++k)
                followers_[j][k] = uint8_t(bits_.Get(8));
        }
    }

    // The next byte of the first stage, or -1 for an index outside the follower set.
    int NextByte()
    {
        int count = counts_[last_];
        int byte;
        if (count == 0 || bits_.Get(1)) {
            byte = int(bits_.Get(8));
        } else {
            int index = int(bits_.Get(IndexBits(count)));
            if (index >= count)
                return -1;
            byte = followers_[last_][index];
        }
        last_ = uint8_t(byte);
        return byte;
    }

    // Bits needed for an index below count (at least one).
    static int IndexBits(int count)
    {
        int bits = 1;
        while ((1 << bits) < count)
            ++bits;
        return bits;
    }

    void Expand(uint8_t c)
    {
        switch (state_) {
        case 0:
            if (c == Dle)
                state_ = 1;
            else
                window_.Literal(c);
            break;
        case 1:
            if (c == 0) {
                window_.Literal(Dle);
                state_ = 0;
            } else {
                lead_ = c;
                length_ = c & lengthMask_;
                state_ = length_ == lengthMask_ ? 2 : 3;
            }
            break;
        case 2:
            length_ += c;
            state_ = 3;
            break;
        default:
            window_.Match(((lead_ >> (8 - factor_)) << 8) + c, int32_t(length_ + 3));
            state_ = 0;
            break;
        }
    }

    ZipBitReader bits_;
    SlidingWindow window_;
    int factor_;
    uint32_t lengthMask_;
    int counts_[256] = {};
    uint8_t followers_[256][MaxFollowers] = {};
    uint8_t last_ = 0;
    int state_ = 0;
    uint8_t lead_ = 0;
    uint32_t length_ = 0;
};

}  // namespace

bool Unreduce(ZipInput& in, ExtractedFile& out, uint64_t size, int factor)
{
    auto unreducer = std::make_unique<Unreducer>(in, out, size, factor);
    return unreducer->Run();
}

}  // namespace zeb
