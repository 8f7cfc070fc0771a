// A whole book put together from the storage pieces the way the importer writes it and the
// reader rewrites its tail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/BookHeader.h"
#include "storage/TextStream.h"
#include "storage/ZEBFile.h"
#include "storage/ZEBFileOptions.h"
#include "storage/ZEBParagInfo.h"
#include "support/TempDir.h"

using namespace zeb;

namespace {

BookHeader WriteBook(ZEBFile& file)
{
    TextStreamWriter text(file, TextStart);
    ZEBParagInfo parags, lines;
    parags.Append(TextStart);
    lines.Append(TextStart);
    text.Word(u"\tFirst");
    text.SpaceRuns(1);
    text.Word(u"line");
    text.LineEnd();
    lines.Append(text.Position());
    parags.Append(text.Position());
    text.Word(u"\tSecond");
    text.LineEnd();
    lines.Append(text.Position());
    parags.Append(text.Position());

    BookHeader h;
    h.paragTableOffset = uint32_t(text.Position());
    h.paragCount = uint32_t(parags.Count());
    h.lineTableOffset = uint32_t(parags.Save(file, text.Position()));
    h.lineCount = uint32_t(lines.Count());
    h.optionsOffset = uint32_t(lines.Save(file, int32_t(h.lineTableOffset)) + 16);
    h.Write(file);
    file.Sign(0, int32_t(h.optionsOffset) - 16);

    ZEBFileOptions options;
    options.SetInteger(1, 40);
    options.SetInteger(2, 16384);
    file.Sign(int32_t(h.optionsOffset), options.Save(file, int32_t(h.optionsOffset)));
    return h;
}

}  // namespace

TEST(BookFile, WrittenBookChecksOutAndItsTailCanBeRewritten)
{
    test::TempDir dir;
    std::string path = dir.File("00000000.book");
    ZEBFile file;
    file.Open(path, FileAccess::CreateNew, 15, 3);
    BookHeader written = WriteBook(file);
    file.Close();

    file.Open(path, FileAccess::ReadWrite, 20, 3);
    BookHeader h = BookHeader::Read(file);
    ASSERT_TRUE(h.IsBook(file.Size()));
    EXPECT_EQ(h.paragTableOffset, written.paragTableOffset);
    EXPECT_TRUE(file.Verify(0, int32_t(h.optionsOffset) - 16));
    EXPECT_TRUE(file.Verify(int32_t(h.optionsOffset), file.Size() - 16));

    ZEBParagInfo parags;
    parags.Load(file, int32_t(h.paragTableOffset), int32_t(h.paragCount));
    EXPECT_EQ(parags.Count(), 3);
    EXPECT_EQ(parags[parags.Count() - 1], int32_t(h.paragTableOffset));
    std::u16string word;
    EXPECT_EQ(ReadTextRecord(file, parags[1], word).kind, TextRecordKind::Word);
    EXPECT_EQ(word, u"\tSecond");

    // Closing a book: a longer options block replaces the old one, signed again.
    ZEBFileOptions options;
    options.Load(file, int32_t(h.optionsOffset));
    options.SetInteger(1, uint32_t(parags[1]));
    options.SetWideString(8, std::u16string(300, u'n'));
    file.Truncate(int32_t(h.optionsOffset));
    file.Sign(int32_t(h.optionsOffset), options.Save(file, int32_t(h.optionsOffset)));
    file.Close();

    file.Open(path, FileAccess::Read, 12, 2);
    EXPECT_TRUE(file.Verify(0, int32_t(h.optionsOffset) - 16));
    EXPECT_TRUE(file.Verify(int32_t(h.optionsOffset), file.Size() - 16));
    ZEBFileOptions back;
    back.Load(file, int32_t(h.optionsOffset));
    EXPECT_EQ(back.GetInteger(1, 0), uint32_t(parags[1]));
    EXPECT_EQ(back.Root()->Children()[0]->Id(), 1) << "items keep their order";
    EXPECT_EQ(back.GetWideString(8, u"").size(), 300u);
}
