#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace zeb {

class ZEBFile;

constexpr int MaxSpaceRun = 255;
constexpr int MaxWordRecord = 255;

// Appends text-stream records at a moving position: space runs, word records, line ends. Each
// record reaches the file at once, unless the writer gathers them: then they go to the file in
// large pieces, and Flush hands over the rest (a converter writing a whole stream gathers).
// ZEBIOFailure for a record that would end past the largest file.
class TextStreamWriter {
public:
    enum class Mode { WriteThrough, Gather };

    TextStreamWriter(ZEBFile& file, int32_t position, Mode mode = Mode::WriteThrough);

    // count spaces as runs of at most 255, the remainder last.
    void SpaceRuns(int count)
    {
        for (; count > MaxSpaceRun; count -= MaxSpaceRun)
            Pair(MaxSpaceRun);
        if (count > 0)
            Pair(uint8_t(count));
    }
    // One word record of the first 255 code units of word, which holds none of them a blank.
    // A word of no units has no record (its length byte would read as a space run):
    // std::invalid_argument, and nothing is written.
    void Word(std::u16string_view word);
    // A word record built in place: BeginWord gives room for MaxWordRecord code units as
    // UTF-16LE, and EndWord(count) keeps the first count of them; a count outside 1 to 255
    // is refused like an empty word.
    uint8_t* BeginWord()
    {
        if (used_ + WordRoom > Capacity)
            Flush();
        return buffer_.get() + used_ + 1;
    }
    void EndWord(int count)
    {
        if (count < 1 || count > MaxWordRecord) [[unlikely]]
            NoSuchWord(count);
        const int bytes = 1 + 2 * count;
        if (used_ + bytes > limit_)  // BeginWord made room: the file would grow too large
            PastTheLargestFile();
        buffer_[size_t(used_)] = uint8_t(count);
        used_ += bytes;
        Commit();
    }
    void LineEnd() { Pair(0); }
    // Writes the records gathered so far to the file.
    void Flush();

    // Where the next record goes; the records not yet flushed count.
    int32_t Position() const { return position_ + used_; }

private:
    static constexpr int Capacity = 64 * 1024;
    static constexpr int WordRoom = 1 + 2 * MaxWordRecord;

    // A space run of count, or a line end for 0.
    void Pair(uint8_t count)
    {
        if (used_ + 2 > limit_)
            MakeRoom(2);
        buffer_[size_t(used_)] = 0;
        buffer_[size_t(used_) + 1] = count;
        used_ += 2;
        Commit();
    }
    void SetLimit();
    // Flushes; ZEBIOFailure when bytes more would still not fit.
    void MakeRoom(int bytes);
    [[noreturn]] void PastTheLargestFile() const;
    [[noreturn]] static void NoSuchWord(int count);
    // Ends a record: hands it to the file unless the writer gathers.
    void Commit()
    {
        if (mode_ == Mode::WriteThrough)
            Flush();
    }

    ZEBFile& file_;
    int32_t position_;  // where the gathered records go
    Mode mode_;
    int used_ = 0;
    int limit_;  // used_ may grow to this: the capacity, or less near the largest file
    std::unique_ptr<uint8_t[]> buffer_;
};

enum class TextRecordKind { SpaceRun, LineEnd, Word };

struct TextRecord {
    TextRecordKind kind;
    int count;     // spaces of a run, code units of a word, 0 for a line end
    int32_t next;  // position of the following record
};

// Reads the record at position; for a word, its code units go to word. Every record advances
// the position by at least two bytes, so a walk over a stream always ends.
TextRecord ReadTextRecord(ZEBFile& file, int32_t position, std::u16string& word);

}  // namespace zeb
