#pragma once

#include <cstdint>
#include <string>

#include "storage/TextStream.h"

namespace zeb {

class ZEBFile;

// The text stream of an open book, [start, end). Records are read only when they lie wholly
// inside it, so a malformed index or a damaged stream can never lead a reader past the text.
class BookText {
public:
    BookText(ZEBFile& file, int32_t start, int32_t end) : file_(file), start_(start), end_(end) {}

    int32_t Start() const { return start_; }
    int32_t End() const { return end_; }

    // The record at position, its code units in word for a word. False when position is
    // outside the text or the record would reach past its end.
    bool Read(int32_t position, TextRecord& record, std::u16string& word) const;

private:
    ZEBFile& file_;
    int32_t start_;
    int32_t end_;
};

}  // namespace zeb
