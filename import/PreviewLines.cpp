#include "import/PreviewLines.h"

#include <algorithm>
#include <limits>

#include "import/LineEndScanner.h"
#include "import/SourceCharReader.h"
#include "storage/ZEBFile.h"

namespace zeb {

PreviewLines::PreviewLines() = default;
PreviewLines::~PreviewLines() = default;

void PreviewLines::Layout(ZEBFile& source, int32_t codePage)
{
    scanner_.reset();
    reader_ = std::make_unique<SourceCharReader>(source, codePage);
    scanner_ = std::make_unique<LineEndScanner>(source, *reader_, codePage);
    source_ = &source;
    entries_.Clear();
    entries_.Append(0);
    ScanOn(1);
}

void PreviewLines::EnsureRows(int32_t n)
{
    if (source_ && n >= entries_.Count())
        ScanOn(n);
}

void PreviewLines::EnsureAllRows()
{
    EnsureRows(std::numeric_limits<int32_t>::max());
}

void PreviewLines::ReleaseSource()
{
    scanner_.reset();
    reader_.reset();
    source_ = nullptr;
}

void PreviewLines::ScanOn(int32_t n)
{
    const int32_t size = source_->Size();
    const int32_t last = entries_[entries_.Count() - 1];
    if (last >= size)
        return;
    const bool stopped = scanner_
                             ->Scan(last,
                                    [&](int32_t after) {
                                        entries_.Append(after);
                                        return entries_.Count() <= n;
                                    })
                             .has_value();
    if (!stopped && size > entries_[entries_.Count() - 1])
        entries_.Append(size);
}

int64_t PreviewLines::ScrollRange(int32_t lineHeight) const
{
    const int32_t count = entries_.Count();
    if (count == 0 || !source_)
        return 0;
    const int32_t last = entries_[count - 1];
    // A single entry (an empty source) has no lines to average.
    const int32_t average = count > 1 ? std::max(1, last / (count - 1)) : 1;
    const int64_t rows = count + (source_->Size() - last) / average;
    return rows * lineHeight;
}

std::u16string PreviewLines::RowText(int32_t k)
{
    std::u16string text;
    if (k <= 0 || k >= entries_.Count() || !source_)
        return text;
    int32_t position = entries_[k - 1];
    reader_->ReadWhile(position, entries_[k], [&](char16_t unit) {
        if (unit == u'\t')
            text.push_back(u' ');
        else if (unit != u'\r' && unit != u'\n')
            text.push_back(unit);
        return text.size() <= size_t(RowTextLimit);
    });
    return text;
}

}  // namespace zeb
