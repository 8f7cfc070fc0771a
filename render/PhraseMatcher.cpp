#include "render/PhraseMatcher.h"

namespace zeb {

namespace {

bool IsBlank(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
}

}  // namespace

PhraseMatcher::PhraseMatcher(std::u16string_view phrase, bool matchCase)
    : fold_(matchCase ? nullptr : &CaseFolding())
{
    for (char16_t unit : phrase) {
        if (IsBlank(unit)) {
            if (!phrase_.empty() && phrase_.back() != u' ')
                phrase_ += u' ';
        } else {
            phrase_ += fold_ ? (*fold_)[unit] : unit;
        }
    }
    if (!phrase_.empty() && phrase_.back() == u' ')
        phrase_.pop_back();
    // Knuth-Morris-Pratt: after a mismatch at k, the longest proper prefix that is also a suffix
    // of the first k units goes on matching.
    fallback_.assign(phrase_.size(), 0);
    for (size_t k = 1, f = 0; k < phrase_.size(); ++k) {
        while (f > 0 && phrase_[k] != phrase_[f])
            f = size_t(fallback_[f - 1]);
        if (phrase_[k] == phrase_[f])
            ++f;
        fallback_[k] = int32_t(f);
    }
    size_t ring = 1;
    while (ring < phrase_.size())
        ring <<= 1;
    ring_.assign(ring, 0);
    ringMask_ = ring - 1;
}

void PhraseMatcher::Reset()
{
    matched_ = 0;
    fed_ = 0;
    afterBlank_ = true;
}

void PhraseMatcher::FeedWord(int32_t position, const uint8_t* units, int32_t count)
{
    const char16_t first = phrase_.empty() ? u'\0' : phrase_[0];
    for (int32_t i = 0; i < count; ++i) {
        char16_t unit = char16_t(units[2 * i] | (units[2 * i + 1] << 8));
        if (unit == u'\t')
            unit = u' ';
        else if (fold_)
            unit = (*fold_)[unit];
        // Most units start nothing: no key to keep, no state to walk.
        if (matched_ == 0 && unit != first && unit != u' ') {
            afterBlank_ = false;
            ++fed_;
            continue;
        }
        Feed(unit, MakeTextKey(position, i));
    }
}

void PhraseMatcher::Feed(char16_t unit, TextKey key)
{
    if (unit == u' ') {
        if (afterBlank_)
            return;
        afterBlank_ = true;
    } else {
        afterBlank_ = false;
    }
    ++fed_;
    if (phrase_.empty())
        return;
    int32_t m = matched_;
    while (m > 0 && phrase_[size_t(m)] != unit)
        m = fallback_[size_t(m - 1)];
    if (phrase_[size_t(m)] == unit)
        ++m;
    // Only the units of a partial match can begin a match: only theirs are kept.
    if (m > 0)
        ring_[size_t(fed_ - 1) & ringMask_] = key;
    if (m == int32_t(phrase_.size())) {
        ++matches_;
        if (sink_)
            sink_({ring_[size_t(fed_ - m) & ringMask_], key});
        m = fallback_[size_t(m - 1)];
    }
    matched_ = m;
}

}  // namespace zeb
