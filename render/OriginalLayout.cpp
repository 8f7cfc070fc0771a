// Layout of a source line with its spacing as typed ("Original").
#include <algorithm>

#include "render/ParagLayout.h"

namespace zeb {

namespace {

class OriginalLayout {
public:
    OriginalLayout(ZEBRenderParagObject& block, const LayoutContext& context)
        : block_(block), c_(context), m_(context.Metrics), position_(block.Start) {}

    void Run();

private:
    // Reads tokens onto the last line until a word does not fit or the block ends.
    void FillLine();
    // Handles a word record; false when it belongs on the next line.
    bool PlaceWord(std::u16string_view word, int32_t at, int32_t next);
    void Split(std::u16string text);
    int32_t Used(const ZEBRenderLineObject& line) const;
    void Append(std::u16string text, int32_t width);
    void OpenLine(int32_t start, int32_t end);
    void DropTrailingSpaces();
    void Justify();

    ZEBRenderParagObject& block_;
    const LayoutContext& c_;
    const RenderMetrics& m_;
    int32_t position_;
    // Where the next piece Append takes comes from.
    int32_t wordPosition_ = 0;
    int32_t wordUnit_ = 0;
};

void OriginalLayout::Run()
{
    for (;;) {
        OpenLine(position_, position_);
        FillLine();
        const ZEBRenderLineObject& line = block_.LastLine();
        if (line.WordWidth < 1 && line.SpaceCount == 0) {
            block_.Lines.pop_back();
            break;
        }
        if (position_ >= block_.End)
            break;
    }
    DropTrailingSpaces();
    Justify();
    if (block_.Lines.empty()) {
        OpenLine(block_.Start, block_.End);
        block_.LastLine().Height = m_.LineHeight;
    }
}

void OriginalLayout::FillLine()
{
    std::u16string text;
    TextRecord record;
    while (position_ < block_.End && c_.Text.Read(position_, record, text)) {
        ZEBRenderLineObject& line = block_.LastLine();
        if (record.kind == TextRecordKind::Word) {
            if (!PlaceWord(text, position_, record.next))
                return;
            continue;
        }
        if (record.kind == TextRecordKind::SpaceRun) {
            line.Words.push_back({0, 0, record.count, {}});
            line.SpaceCount += record.count;
        }
        position_ = line.End = record.next;
    }
}

bool OriginalLayout::PlaceWord(std::u16string_view word, int32_t at, int32_t next)
{
    wordPosition_ = at;
    wordUnit_ = 0;
    if (word.front() == u'\t') {
        word.remove_prefix(1);
        wordUnit_ = 1;
    }
    std::u16string text(word);
    for (size_t tab = text.find(u'\t'); tab != text.npos; tab = text.find(u'\t', tab + TabSpaces.size()))
        text.replace(tab, 1, TabSpaces);
    if (text.empty()) {
        position_ = block_.LastLine().End = next;
        return true;
    }
    int32_t width = c_.Width(text);
    int64_t used = Used(block_.LastLine());
    // A full line, or a word that fits only on a line of its own, goes to the next line.
    if (used > 0 && (used >= m_.AvailableWidth ||
                     (used + width > m_.AvailableWidth && width <= m_.AvailableWidth)))
        return false;
    position_ = next;
    block_.LastLine().End = next;
    if (used + width <= m_.AvailableWidth)
        Append(std::move(text), width);
    else
        Split(std::move(text));
    return true;
}

// Breaks a word that fits no line into pieces; the new lines share the old one's range.
void OriginalLayout::Split(std::u16string text)
{
    for (;;) {
        const ZEBRenderLineObject& line = block_.LastLine();
        int64_t used = Used(line);
        auto fits = [&](int32_t w) { return used + w <= m_.AvailableWidth; };
        if (fits(c_.Width(text)))
            break;
        size_t k = LongestFittingPrefix(c_, text, fits);
        if (k == 0 && used > 0) {
            OpenLine(line.Start, line.End);
            continue;
        }
        k = std::max<size_t>(k, 1);  // not even one character fits: take one anyway
        if (k >= text.size())
            break;
        std::u16string piece = text.substr(0, k);
        int32_t width = c_.Width(piece);
        Append(std::move(piece), width);
        wordUnit_ += int32_t(k);
        OpenLine(line.Start, line.End);
        text.erase(0, k);
    }
    int32_t width = c_.Width(text);
    Append(std::move(text), width);
}

int32_t OriginalLayout::Used(const ZEBRenderLineObject& line) const
{
    return line.SpaceCount * m_.SpaceWidth + line.WordWidth;
}

void OriginalLayout::Append(std::u16string text, int32_t width)
{
    ZEBRenderLineObject& line = block_.LastLine();
    line.Words.push_back({0, width, 0, std::move(text), wordPosition_, wordUnit_});
    line.WordWidth += width;
}

void OriginalLayout::OpenLine(int32_t start, int32_t end)
{
    auto line = std::make_unique<ZEBRenderLineObject>();
    line->Start = start;
    line->End = end;
    block_.Lines.push_back(std::move(line));
}

void OriginalLayout::DropTrailingSpaces()
{
    for (auto& line : block_.Lines) {
        if (line->WordWidth > 0 && !line->Words.empty() && line->Words.back().SpaceCount > 0) {
            line->SpaceCount -= line->Words.back().SpaceCount;
            line->Words.pop_back();
        }
    }
}

void OriginalLayout::Justify()
{
    for (auto& line : block_.Lines) {
        bool first = line.get() == &block_.FirstLine();
        bool last = line.get() == &block_.LastLine();
        int32_t topGap = block_.FirstBlock && first ? m_.ParagGap : 0;
        int32_t bottomGap = block_.LastBlock && last ? m_.ParagGap : 0;
        line->Height = m_.LineHeight + topGap + bottomGap;
        line->TextTop = topGap;
        int64_t spaces = line->SpaceCount;
        int64_t extra = int64_t(m_.AvailableWidth) - line->WordWidth;
        int64_t a = 0;
        int32_t x = m_.LeftEdge;
        for (ZEBRenderWordObject& word : line->Words) {
            if (int64_t count = word.SpaceCount) {
                if (!last && spaces > 0)
                    x += int32_t((a + count) * extra / spaces - a * extra / spaces);
                else
                    x += int32_t(count * m_.SpaceWidth);
                a += count;
            } else {
                word.X = x;
                x += word.Width;
            }
        }
        std::erase_if(line->Words, [](const ZEBRenderWordObject& w) { return w.SpaceCount > 0; });
    }
}

}  // namespace

void LayOutOriginal(ZEBRenderParagObject& block, const LayoutContext& context)
{
    OriginalLayout(block, context).Run();
}

}  // namespace zeb
