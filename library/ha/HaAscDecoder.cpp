// HA's ASC method: LZ77 over a 31200-byte history, each decision coded by the arithmetic
// decoder with adaptive counts.
// - Literal or match: counts of both after each pattern of the last two decisions (four
//   contexts); a value above both ends the member.
// - Literals: a tree of the bytes seen so far, plus an escape into a tree of the bytes not yet
//   seen. A byte taken through the escape leaves that tree, and its near neighbours there
//   become a little likelier; the escape's weight falls as bytes become common.
// - Match positions: a tree of position codes that opens up as the history grows; code c > 1
//   covers 2^(c-1) distances (the newest code only as far back as there is history), and the
//   place within the code follows as a uniform number.
// - Match lengths: like literals, with their own escape tree; codes up to 14 are the length,
//   15 is 783, and higher codes carry 4 uniform bits more. The shortest match is 3 bytes.
// A tree's counts are halved when its total reaches its limit, so the model keeps adapting.
#include "library/ha/HaAscDecoder.h"

#include <algorithm>

#include "library/common/ArchiveDataError.h"
#include "library/ha/HaFrequencyTree.h"

namespace zeb {

namespace {

constexpr int32_t HistorySize = 31200;
constexpr int MinMatch = 3;
constexpr uint32_t TypeStep = 40;
constexpr uint32_t TypeLimit = 5999;
constexpr uint32_t PositionStep = 24;
constexpr uint32_t PositionLimit = 6000;
constexpr uint32_t LiteralLimit = 1000;
constexpr uint32_t LengthStep = 8;
constexpr uint32_t LengthLimit = 6000;

class AscModel {
public:
    AscModel(HaArithmeticDecoder& coder, SlidingWindow& window)
        : coder_(coder), window_(window)
    {
        positions_.Add(0, PositionStep, PositionLimit);
    }

    void Run();

private:
    // Counts of literals and matches after each of the four recent type pairs.
    struct TypeContext {
        uint32_t literals = TypeStep;
        uint32_t matches = TypeStep;
    };

    void CountType(TypeContext& c, uint32_t& count, uint32_t before);
    int DecodeLiteral();
    int32_t DecodeDistance();
    int32_t DecodeLength();
    uint32_t DecodeUniform(uint32_t range);
    void GrowHistory(int32_t count);

    HaArithmeticDecoder& coder_;
    SlidingWindow& window_;
    TypeContext types_[4];
    int type_ = 0;
    HaFrequencyTree literals_{256, 0};
    HaFrequencyTree literalEscapes_{256, 1};
    uint32_t literalEscape_ = 1;
    HaFrequencyTree lengths_{64, 0};
    HaFrequencyTree lengthEscapes_{64, 1};
    uint32_t lengthEscape_ = 8;
    HaFrequencyTree positions_{16, 0};
    int32_t history_ = 0;       // bytes a match may reach back to
    int32_t positionLimit_ = 1;
    int nextPositionCode_ = 1;
};

void AscModel::Run()
{
    for (;;) {
        TypeContext& c = types_[type_];
        const uint32_t total = c.literals + c.matches;
        const uint32_t t = coder_.Threshold(total + 1);
        if (t < c.literals) {
            coder_.Consume(0, c.literals, total + 1);
            CountType(c, c.literals, total);
            type_ = (2 * type_) % 4;
            if (window_.Done())
                throw ArchiveDataError();
            window_.Literal(uint8_t(DecodeLiteral()));
            GrowHistory(1);
        } else if (t < total) {
            coder_.Consume(c.literals, total, total + 1);
            CountType(c, c.matches, total);
            type_ = (2 * type_ + 1) % 4;
            int32_t distance = DecodeDistance();
            int32_t length = DecodeLength();
            if (window_.Produced() + length > window_.Total())
                throw ArchiveDataError();
            GrowHistory(length);
            window_.Match(distance, length);
        } else {
            coder_.Consume(total, total + 1, total + 1);
            window_.Finish();
            return;
        }
    }
}

void AscModel::CountType(TypeContext& c, uint32_t& count, uint32_t before)
{
    count += TypeStep;
    if (before > TypeLimit) {
        c.literals = std::max<uint32_t>(1, c.literals / 2);
        c.matches = std::max<uint32_t>(1, c.matches / 2);
    }
}

void AscModel::GrowHistory(int32_t count)
{
    history_ = std::min(HistorySize, history_ + count);
}

// A byte seen before is coded in the literal tree; a new one escapes to a tree of the bytes
// not yet seen, whose neighbours then become a little more likely.
int AscModel::DecodeLiteral()
{
    const uint32_t seen = literals_.Total();
    int s;
    if (coder_.Threshold(seen + literalEscape_) < seen) {
        s = literals_.Decode(coder_, seen + literalEscape_);
    } else {
        coder_.Consume(seen, seen + literalEscape_, seen + literalEscape_);
        s = literalEscapes_.Decode(coder_, literalEscapes_.Total());
        literalEscapes_.Remove(s);
        literalEscape_ = literalEscapes_.Total() > 0 ? literalEscape_ + 1 : 0;
        for (int i = std::max(0, s - 8); i < std::min(s + 8, 255); ++i) {
            if (literalEscapes_.Count(i) != 0)
                literalEscapes_.Add(i, 1, LiteralLimit);
        }
    }
    literals_.Add(s, 1, LiteralLimit);
    if (literals_.Count(s) == 3)
        literalEscape_ = literalEscape_ > 1 ? literalEscape_ - 1 : 1;
    return s;
}

// Position codes open up as the history grows; code c > 1 covers 2^(c-1) distances, the
// newest class only as far as the history reaches.
int32_t AscModel::DecodeDistance()
{
    while (positionLimit_ < history_) {
        positions_.Add(nextPositionCode_++, PositionStep, PositionLimit);
        positionLimit_ *= 2;
    }
    int c = positions_.Decode(coder_, positions_.Total());
    positions_.Add(c, PositionStep, PositionLimit);
    if (c <= 1)
        return c;
    const int32_t base = int32_t(1) << (c - 1);
    const int32_t range = positionLimit_ / 2 == base ? history_ - base : base;
    if (range <= 0)
        throw ArchiveDataError();
    return base + int32_t(DecodeUniform(uint32_t(range)));
}

int32_t AscModel::DecodeLength()
{
    const uint32_t seen = lengths_.Total();
    int s;
    if (coder_.Threshold(seen + lengthEscape_) < seen) {
        s = lengths_.Decode(coder_, seen + lengthEscape_);
    } else {
        coder_.Consume(seen, seen + lengthEscape_, seen + lengthEscape_);
        s = lengthEscapes_.Decode(coder_, lengthEscapes_.Total());
        lengthEscapes_.Remove(s);
        lengthEscape_ = lengthEscapes_.Total() > 0 ? lengthEscape_ + LengthStep : 0;
        for (int i = std::max(0, s - 4); i < std::min(s + 4, 63); ++i) {
            if (lengthEscapes_.Count(i) > 0)
                lengthEscapes_.Add(i, 1, LengthLimit);
        }
    }
    lengths_.Add(s, LengthStep, LengthLimit);
    if (lengths_.Count(s) == 3 * LengthStep)
        lengthEscape_ = lengthEscape_ < 9 ? 1 : lengthEscape_ - LengthStep;
    int32_t length;
    if (s < 15)
        length = s;
    else if (s == 15)
        length = 783;
    else
        length = (s - 16) * 16 + 15 + int32_t(DecodeUniform(16));
    return length + MinMatch;
}

uint32_t AscModel::DecodeUniform(uint32_t range)
{
    uint32_t v = coder_.Threshold(range);
    coder_.Consume(v, v + 1, range);
    return v;
}

}  // namespace

void DecodeHaAsc(HaArithmeticDecoder& coder, SlidingWindow& window)
{
    AscModel(coder, window).Run();
}

}  // namespace zeb
