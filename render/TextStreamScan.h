#pragma once

#include <cstdint>
#include <vector>

namespace zeb {

class PhraseMatcher;
class ZEBFile;

// Reads a stretch of a book's text stream in large pieces and feeds its records to a matcher.
// A record that would reach past the text's end ends the stretch: a damaged stream is never
// read beyond.
class TextStreamScan {
public:
    TextStreamScan(ZEBFile& file, int32_t textEnd) : file_(file), textEnd_(textEnd) {}

    // Starts at position, which must begin a record.
    void Start(int32_t position);
    int32_t Position() const { return position_; }
    bool AtEnd() const { return position_ >= textEnd_; }

    // Feeds the records from Position() on until about budget bytes are read, a match has
    // ended, the next record would start at or past stop, or the text ends; returns the bytes
    // read.
    int32_t Feed(PhraseMatcher& matcher, int32_t stop, int32_t budget);

private:
    void Fill();
    void FeedRecord(PhraseMatcher& matcher, const uint8_t* record);

    ZEBFile& file_;
    int32_t textEnd_;
    int32_t position_ = 0;
    std::vector<uint8_t> buffer_;
    int32_t bufferStart_ = 0;  // the position of buffer_[0]
    int32_t bufferEnd_ = 0;
};

}  // namespace zeb
