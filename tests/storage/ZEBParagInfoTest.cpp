#include <gtest/gtest.h>

#include "storage/ZEBFile.h"
#include "storage/ZEBIOFailure.h"
#include "storage/ZEBParagInfo.h"
#include "support/TempDir.h"

using namespace zeb;

TEST(ZEBParagInfo, FindIndexGivesTheEntryHoldingThePosition)
{
    ZEBParagInfo index;
    for (int32_t offset : {40, 100, 100, 250, 400})
        index.Append(offset);
    struct Case {
        int32_t position, entry;
    } cases[] = {{0, 0},     {39, 0},   {40, 0},   {99, 0},   {100, 2}, {249, 2},
                 {250, 3},   {399, 3},  {400, 3},  {100000, 3}};
    for (const Case& c : cases)
        EXPECT_EQ(index.FindIndex(c.position), c.entry) << c.position;
}

TEST(ZEBParagInfo, TwoEntryIndexAlwaysGivesZero)
{
    ZEBParagInfo index;
    index.Append(40);
    index.Append(90);
    for (int32_t position : {-5, 40, 60, 90, 1000})
        EXPECT_EQ(index.FindIndex(position), 0) << position;
    index.Clear();
    EXPECT_EQ(index.Count(), 0);
    EXPECT_EQ(index.FindIndex(50), 0);
}

TEST(ZEBParagInfo, SavesAndLoadsAsU32Table)
{
    test::TempDir dir;
    ZEBFile file;
    file.Open(dir.File("t"), FileAccess::CreateNew, 12, 2);
    ZEBParagInfo index;
    for (int32_t k = 0; k < 5000; ++k)
        index.Append(40 + 3 * k);
    EXPECT_EQ(index.Save(file, 8), 8 + 4 * 5000);
    ZEBParagInfo back;
    back.Load(file, 8, 5000);
    ASSERT_EQ(back.Count(), 5000);
    EXPECT_EQ(back[4999], 40 + 3 * 4999);
    // A count the file cannot hold fails before anything is allocated for it.
    ZEBParagInfo hostile;
    EXPECT_THROW(hostile.Load(file, 8, 0x20000000), ZEBIOFailure);
    EXPECT_EQ(hostile.Count(), 0);
}
