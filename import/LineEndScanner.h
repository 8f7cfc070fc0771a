#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace zeb {

class SourceCharReader;
class ZEBFile;

// Finds the line ends of a source in one code page: the position just after every LF that
// ReadSourceChar would give. Where an LF can only be one byte (or one UTF-16LE unit) that never
// stands inside another character, the bytes are searched straight in the file's clusters;
// every other code page is decoded.
class LineEndScanner {
public:
    // reader reads source in codePage (UnicodeCodePage, AnsiCodePage or a catalogue entry).
    LineEndScanner(ZEBFile& source, SourceCharReader& reader, int32_t codePage);

    // Calls found with the position after each LF from position on, in order, until it returns
    // false: gives that position then. Gives nothing when the source ended first.
    std::optional<int32_t> Scan(int32_t position, const std::function<bool(int32_t)>& found);

    // Whether the scan searches bytes rather than decoding.
    bool SearchesBytes() const { return form_ != Form::Decoded; }

private:
    enum class Form { LineFeedByte, NoLineFeed, Utf16, Decoded };

    std::optional<int32_t> ScanBytes(int32_t position, const std::function<bool(int32_t)>& found);
    std::optional<int32_t> ScanDecoded(int32_t position,
                                       const std::function<bool(int32_t)>& found);

    ZEBFile& source_;
    SourceCharReader& reader_;
    Form form_ = Form::Decoded;
    uint8_t lineFeed_ = '\n';  // the byte of an LF
};

}  // namespace zeb
