#include "TestBook.h"

#include "storage/BookHeader.h"
#include "storage/BookOptions.h"

namespace zeb::test {

TestBookWriter::TestBookWriter(const std::string& path) : text_(file_, TextStart)
{
    file_.Open(path, FileAccess::CreateNew, 16, 3);
    parags_.Append(TextStart);
    lines_.Append(TextStart);
}

TestBookWriter& TestBookWriter::Paragraph()
{
    if (Position() > TextStart)
        parags_.Append(Position());
    return *this;
}

TestBookWriter& TestBookWriter::Line(std::u16string_view line)
{
    size_t i = 0;
    while (i < line.size()) {
        size_t j = i;
        bool blank = line[i] == u' ';
        while (j < line.size() && (line[j] == u' ') == blank)
            ++j;
        if (blank)
            Spaces(int(j - i));
        else
            Word(line.substr(i, j - i));
        i = j;
    }
    return LineEnd();
}

TestBookWriter& TestBookWriter::Word(std::u16string_view word)
{
    for (size_t i = 0; i < word.size(); i += MaxWordRecord)
        text_.Word(word.substr(i, MaxWordRecord));
    return *this;
}

TestBookWriter& TestBookWriter::Spaces(int count)
{
    text_.SpaceRuns(count);
    return *this;
}

TestBookWriter& TestBookWriter::LineEnd()
{
    text_.LineEnd();
    lines_.Append(Position());
    return *this;
}

void TestBookWriter::Finish()
{
    ZEBFileOptions options;
    options.SetInteger(OptPosition, uint32_t(TextStart));
    options.SetInteger(OptPositionFraction, InitialPositionFraction);
    options.SetWideString(OptSourceName, u"source.txt");
    options.SetInteger(OptSourceSize, uint32_t(Position()));
    Finish(options);
}

void TestBookWriter::Finish(const ZEBFileOptions& options)
{
    int32_t end = Position();
    if (parags_[parags_.Count() - 1] != end)
        parags_.Append(end);
    if (lines_[lines_.Count() - 1] != end)
        lines_.Append(end);
    BookHeader h;
    h.paragTableOffset = uint32_t(end);
    h.paragCount = uint32_t(parags_.Count());
    h.lineTableOffset = uint32_t(parags_.Save(file_, end));
    h.lineCount = uint32_t(lines_.Count());
    h.optionsOffset = uint32_t(lines_.Save(file_, int32_t(h.lineTableOffset)) + 16);
    h.Write(file_);
    file_.Sign(0, int32_t(h.optionsOffset) - 16);
    file_.Sign(int32_t(h.optionsOffset), options.Save(file_, int32_t(h.optionsOffset)));
    file_.Close();
}

}  // namespace zeb::test
