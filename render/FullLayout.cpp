// Layout of a paragraph re-flowed with uniform spacing ("Full" and "Full+Hyphen").
#include <algorithm>

#include "render/ParagLayout.h"

namespace zeb {

namespace {

class FullLayout {
public:
    FullLayout(ZEBRenderParagObject& block, const LayoutContext& context)
        : block_(block), c_(context), m_(context.Metrics), position_(block.Start) {}

    void Run();

private:
    // The next word from position on, skipping spaces and counting the line breaks passed;
    // empty at the block's end. wordPosition, when given, receives the word record's position.
    std::u16string NextWord(int32_t& position, int& lineBreaks,
                            int32_t* wordPosition = nullptr) const;
    std::u16string ExpandTab(std::u16string word);
    void JoinHyphenated(std::u16string& word);
    void Place(std::u16string word, int32_t wordStart);
    void Split(std::u16string& text, int32_t wordStart);
    bool Fits(const ZEBRenderLineObject& line, int32_t width) const;
    void Append(std::u16string text, int32_t width);
    void NewLine(int32_t start);
    void Justify();

    ZEBRenderParagObject& block_;
    const LayoutContext& c_;
    const RenderMetrics& m_;
    int32_t position_;
    // Where the next piece Append takes comes from.
    int32_t wordPosition_ = 0;
    int32_t wordUnit_ = 0;
};

void FullLayout::Run()
{
    NewLine(block_.Start);
    for (;;) {
        int32_t wordStart = position_;
        int lineBreaks = 0;
        std::u16string word = NextWord(position_, lineBreaks, &wordPosition_);
        if (word.empty())
            break;
        wordUnit_ = 0;
        word = ExpandTab(std::move(word));
        if (m_.HyphenJoining)
            JoinHyphenated(word);
        Place(std::move(word), wordStart);
    }
    Justify();
}

std::u16string FullLayout::NextWord(int32_t& position, int& lineBreaks,
                                    int32_t* wordPosition) const
{
    std::u16string word;
    TextRecord record;
    while (position < block_.End && c_.Text.Read(position, record, word)) {
        if (wordPosition)
            *wordPosition = position;
        position = record.next;
        if (record.kind == TextRecordKind::Word)
            return word;
        if (record.kind == TextRecordKind::LineEnd)
            ++lineBreaks;
    }
    return {};
}

// A paragraph opening with TAB and "-" (a dialogue line) starts indented, with the dash set
// apart; any other leading TAB becomes an indent of eight spaces.
std::u16string FullLayout::ExpandTab(std::u16string word)
{
    if (word == u"\t-") {
        int lineBreaks = 0;
        return std::u16string(TabSpaces) + u"- " + NextWord(position_, lineBreaks);
    }
    if (word.front() == u'\t') {
        word.replace(0, 1, TabSpaces);
        wordUnit_ = 1 - int32_t(TabSpaces.size());
    }
    return word;
}

// Rejoins a word the source split with a hyphen at a line end.
void FullLayout::JoinHyphenated(std::u16string& word)
{
    while (word.size() >= 2 && word.back() == u'-' && word[word.size() - 2] != u'-') {
        int32_t ahead = position_;
        int lineBreaks = 0;
        std::u16string next = NextWord(ahead, lineBreaks);
        if (lineBreaks != 1)
            return;
        word.pop_back();
        word += next;
        position_ = ahead;
    }
}

bool FullLayout::Fits(const ZEBRenderLineObject& line, int32_t width) const
{
    if (line.WordWidth < 1)
        return width <= m_.AvailableWidth;
    return int64_t(line.Words.size()) * m_.SpaceWidth + line.WordWidth + width <=
           m_.AvailableWidth;
}

void FullLayout::Place(std::u16string word, int32_t wordStart)
{
    int32_t width = c_.Width(word);
    if (!Fits(block_.LastLine(), width)) {
        if (width > m_.AvailableWidth) {
            Split(word, wordStart);
            width = c_.Width(word);
        } else {
            NewLine(wordStart);
        }
    }
    Append(std::move(word), width);
}

// Breaks a word wider than the line into pieces that fit, leaving the last piece in text.
void FullLayout::Split(std::u16string& text, int32_t wordStart)
{
    for (;;) {
        const ZEBRenderLineObject& line = block_.LastLine();
        if (Fits(line, c_.Width(text)))
            return;
        size_t k = LongestFittingPrefix(c_, text, [&](int32_t w) { return Fits(line, w); });
        if (k == 0) {
            if (line.WordWidth >= 1) {
                NewLine(wordStart);
                continue;
            }
            k = 1;  // not even one character fits: take one anyway, so that layout advances
        }
        if (k >= text.size())
            return;
        std::u16string piece = text.substr(0, k);
        int32_t width = c_.Width(piece);
        Append(std::move(piece), width);
        wordUnit_ += int32_t(k);
        NewLine(wordStart);
        text.erase(0, k);
    }
}

void FullLayout::Append(std::u16string text, int32_t width)
{
    ZEBRenderLineObject& line = block_.LastLine();
    line.Words.push_back({0, width, 0, std::move(text), wordPosition_, wordUnit_});
    line.WordWidth += width;
    line.End = position_;
}

void FullLayout::NewLine(int32_t start)
{
    auto line = std::make_unique<ZEBRenderLineObject>();
    line->Start = start;
    line->End = position_;
    block_.Lines.push_back(std::move(line));
}

void FullLayout::Justify()
{
    for (auto& line : block_.Lines) {
        bool first = line.get() == &block_.FirstLine();
        bool last = line.get() == &block_.LastLine();
        int32_t topGap = first ? m_.ParagGap : 0;
        int32_t bottomGap = last ? m_.ParagGap : 0;
        line->Height = m_.LineHeight + topGap + bottomGap;
        line->TextTop = topGap;
        int64_t gaps = int64_t(line->Words.size()) - 1;
        int64_t extra = int64_t(m_.AvailableWidth) - line->WordWidth;
        int32_t x = m_.LeftEdge;
        for (size_t k = 0; k < line->Words.size(); ++k) {
            ZEBRenderWordObject& word = line->Words[k];
            word.X = x;
            x += word.Width;
            if (!last && gaps >= 1)
                x += int32_t((int64_t(k) + 1) * extra / gaps - int64_t(k) * extra / gaps);
            else
                x += m_.SpaceWidth;
        }
    }
}

}  // namespace

void LayOutFull(ZEBRenderParagObject& block, const LayoutContext& context)
{
    FullLayout(block, context).Run();
}

}  // namespace zeb
