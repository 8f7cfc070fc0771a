#include <gtest/gtest.h>

#include "storage/TextStream.h"
#include "storage/ZEBFile.h"
#include "support/TempDir.h"

using namespace zeb;

namespace {

TEST(TextStreamWriter, WritesThroughOrGathersUntilFlushed)
{
    test::TempDir dir;
    const std::vector<uint8_t> records = {0, 2, 2, 'a', 0, 'b', 0, 0, 0};
    for (auto mode : {TextStreamWriter::Mode::WriteThrough, TextStreamWriter::Mode::Gather}) {
        ZEBFile file;
        file.Open(dir.File("s.bin"), FileAccess::Create, 12, 2);
        TextStreamWriter writer(file, 40, mode);
        writer.SpaceRuns(2);
        writer.Word(u"ab");
        writer.LineEnd();
        EXPECT_EQ(writer.Position(), 40 + 9);
        EXPECT_EQ(file.Size(), mode == TextStreamWriter::Mode::Gather ? 0 : 49);
        writer.Flush();
        std::vector<uint8_t> bytes(records.size());
        file.Read(40, bytes.data(), int32_t(bytes.size()));
        EXPECT_EQ(bytes, records);
        EXPECT_EQ(writer.Position(), 49);
    }
}

}  // namespace
