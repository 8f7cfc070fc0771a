#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CaseFold.h"
#include "render/TextKey.h"

namespace zeb {

// Finds a phrase in the text as the reader shows it: words joined by single blanks across space
// runs and line ends, TABs as blanks, case folded unless the case must match. Records are fed
// in text order; every match is handed to the sink as soon as its last unit has been fed.
class PhraseMatcher {
public:
    using Sink = std::function<void(const PhraseMatch&)>;

    // Blanks in the phrase collapse and its ends are trimmed; a phrase of blanks alone finds
    // nothing.
    PhraseMatcher(std::u16string_view phrase, bool matchCase);

    bool Empty() const { return phrase_.empty(); }
    // Code units of the phrase as it is matched.
    int32_t Length() const { return int32_t(phrase_.size()); }
    void SetSink(Sink sink) { sink_ = std::move(sink); }

    // Forgets the text fed so far: what comes next starts a text.
    void Reset();
    // A word record's count code units, UTF-16LE as the stream holds them.
    void FeedWord(int32_t position, const uint8_t* units, int32_t count);
    // A space run or a line end: one blank, and none after another.
    void FeedBlank(int32_t position)
    {
        if (afterBlank_)
            return;
        if (matched_ == 0) {  // a phrase never starts with a blank
            afterBlank_ = true;
            ++fed_;
            return;
        }
        Feed(u' ', MakeTextKey(position, 0));
    }
    // Code units fed since the last Reset, blanks collapsed.
    int64_t Fed() const { return fed_; }
    // Matches handed to the sink so far.
    int64_t Matches() const { return matches_; }

private:
    void Feed(char16_t unit, TextKey key);

    std::u16string phrase_;
    std::vector<int32_t> fallback_;  // the failure function of the phrase
    std::vector<TextKey> ring_;      // the keys of the last units fed
    size_t ringMask_ = 0;
    // What each code unit is matched as: folded unless the case must match, a TAB a blank.
    std::unique_ptr<CaseFoldTable> units_;
    int32_t matched_ = 0;
    int64_t fed_ = 0;
    int64_t matches_ = 0;
    bool afterBlank_ = true;
    Sink sink_;
};

}  // namespace zeb
