#include "render/PhraseMatcher.h"

namespace zeb {

namespace {

bool IsBlank(char16_t unit)
{
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n';
}

}  // namespace

PhraseMatcher::PhraseMatcher(std::u16string_view phrase, bool matchCase)
    : units_(std::make_unique<CaseFoldTable>())
{
    if (matchCase) {
        for (size_t u = 0; u < units_->size(); ++u)
            (*units_)[u] = char16_t(u);
    } else {
        *units_ = CaseFolding();
    }
    (*units_)[u'\t'] = u' ';
    for (char16_t unit : phrase) {
        if (IsBlank(unit)) {
            if (!phrase_.empty() && phrase_.back() != u' ')
                phrase_ += u' ';
        } else {
            phrase_ += (*units_)[unit];
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
    const CaseFoldTable& as = *units_;
    const char16_t first = phrase_.empty() ? u'\0' : phrase_[0];
    auto unitAt = [&](int32_t i) { return as[char16_t(units[2 * i] | (units[2 * i + 1] << 8))]; };
    int32_t i = 0;
    while (i < count) {
        // Most units start nothing: they are only counted, with no key kept and no state walked.
        if (matched_ == 0) {
            const int32_t from = i;
            while (i < count && unitAt(i) != first && unitAt(i) != u' ')
                ++i;
            if (i > from) {
                fed_ += i - from;
                afterBlank_ = false;
            }
            if (i == count)
                return;
        }
        Feed(unitAt(i), MakeTextKey(position, i));
        ++i;
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
