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
class TextStreamWriter {
public:
    enum class Mode { WriteThrough, Gather };

    TextStreamWriter(ZEBFile& file, int32_t position, Mode mode = Mode::WriteThrough);

    // count spaces as runs of at most 255, the remainder last.
    void SpaceRuns(int count);
    // One word record; word holds 1 to 255 code units, none of them a blank.
    void Word(std::u16string_view word);
    void LineEnd();
    // Writes the records gathered so far to the file.
    void Flush();

    // Where the next record goes; the records not yet flushed count.
    int32_t Position() const { return position_ + used_; }

private:
    static constexpr int Capacity = 64 * 1024;

    // Room for bytes more, flushing first when needed; ZEBIOFailure past the largest file.
    uint8_t* Reserve(int bytes);
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
