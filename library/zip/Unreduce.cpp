// ZIP methods 2 to 5, reduced with compression factor 1 to 4 (APPNOTE.TXT, "Expanding -
// Methods 2-5"). Two stages, undone in reverse order:
//
// Probabilistic stage. The data opens with 256 follower sets, sent for the byte values 255
// down to 0: a 6-bit count, then that many bytes, the likeliest followers of that value.
// After a byte whose set is empty, the next byte is 8 raw bits; otherwise one bit chooses
// between 8 raw bits (1) and an index into the set (0) that is as wide as the set's size
// needs (1 bit for sets of one or two, up to 6). The byte before the first counts as 0.
// Bits are read least significant first.
//
// Run stage, on the bytes that come out: 144 (DLE) starts a sequence. DLE 0 is a plain 144.
// Otherwise the next byte V carries the length in its low 8 - factor bits (all ones there
// means one more byte is added to it) and the high distance bits in the rest; a further byte
// holds the low 8 distance bits. The copy is the length plus 3 bytes long and starts the
// distance plus 1 bytes back.
// There is no end marker: the entry's size ends the data.
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

    void Run()
    {
        // An empty entry may hold no data at all, not even the follower sets.
        if (window_.Done())
            return;
        ReadFollowerSets();
        while (!window_.Done())
            Expand(NextByte());
        window_.Finish();
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

    // The next byte of the probabilistic stage.
    uint8_t NextByte()
    {
        int count = counts_[last_];
        int byte;
        if (count == 0 || bits_.Get(1)) {
            byte = int(bits_.Get(8));
        } else {
            int index = int(bits_.Get(IndexBits(count)));
            if (index >= count)
                throw ArchiveDataError();  // past the end of the follower set
            byte = followers_[last_][index];
        }
        last_ = uint8_t(byte);
        return last_;
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

void Unreduce(ZipInput& in, ExtractedFile& out, uint64_t size, int factor)
{
    auto unreducer = std::make_unique<Unreducer>(in, out, size, factor);
    unreducer->Run();
}

}  // namespace zeb
