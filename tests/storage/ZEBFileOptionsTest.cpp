#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/ZEBFile.h"
#include "storage/ZEBFileOptions.h"
#include "storage/ZEBIOFailure.h"
#include "support/TempDir.h"

using namespace zeb;

using Bytes = std::vector<uint8_t>;

TEST(ZEBFileOptionsItem, ValueEncodings)
{
    ZEBFileOptionsItem item(1);
    struct IntCase {
        uint32_t value;
        Bytes bytes;
    } ints[] = {{0, {}},
                {0x12, {0x12}},
                {0xFF, {0xFF}},
                {0x100, {0x00, 0x01}},
                {0x1234, {0x34, 0x12}},
                {0x123456, {0x56, 0x34, 0x12}},
                {0x01000000, {0, 0, 0, 1}},
                {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF}}};
    for (const IntCase& c : ints) {
        item.SetInteger(c.value);
        EXPECT_EQ(item.Value(), c.bytes) << c.value;
        EXPECT_EQ(item.GetInteger(), c.value);
    }
    item.SetByte(0);
    EXPECT_EQ(item.Length(), 0);
    EXPECT_EQ(item.GetByte(), 0);
    item.SetByte(7);
    EXPECT_EQ(item.Value(), Bytes{7});
    item.SetString("Tmp");
    EXPECT_EQ(item.Value(), (Bytes{'T', 'm', 'p'}));
    EXPECT_EQ(item.GetString(), "Tmp");
    item.SetWideString(u"A\u0416");
    EXPECT_EQ(item.Value(), (Bytes{'A', 0, 0x16, 0x04}));
    EXPECT_EQ(item.GetWideString(), u"A\u0416");
    // More than four stored bytes: only the first four count.
    const uint8_t five[] = {1, 2, 3, 4, 5};
    item.SetValue(five, 5);
    EXPECT_EQ(item.GetInteger(), 0x04030201u);
    // A value that cannot be stored whole is cut to 65535 bytes.
    item.SetString(std::string(70000, 'x'));
    EXPECT_EQ(item.Length(), 0xFFFF);
    item.SetWideString(std::u16string(40000, u'y'));
    EXPECT_EQ(item.Length(), 0xFFFE);
}

TEST(ZEBFileOptionsItem, FindSearchesFromTheCursorAndWraps)
{
    ZEBFileOptionsItem parent(0);
    ZEBFileOptionsItem& a = parent.AppendChild(5);
    ZEBFileOptionsItem& b = parent.AppendChild(6);
    ZEBFileOptionsItem& c = parent.AppendChild(5);
    EXPECT_EQ(parent.SearchCursor(), nullptr);
    EXPECT_EQ(ZEBFileOptionsItem::Find(parent, 9), nullptr);
    EXPECT_EQ(parent.SearchCursor(), nullptr) << "a miss leaves the cursor";
    EXPECT_EQ(ZEBFileOptionsItem::Find(parent, 5), &a);
    EXPECT_EQ(ZEBFileOptionsItem::Find(parent, 6), &b);
    EXPECT_EQ(parent.SearchCursor(), &b);
    // From b on, the next id 5 met is the second one, and it stays found from then on.
    EXPECT_EQ(ZEBFileOptionsItem::Find(parent, 5), &c);
    EXPECT_EQ(ZEBFileOptionsItem::Find(parent, 5), &c);
    EXPECT_EQ(ZEBFileOptionsItem::Find(parent, 9), nullptr);
    EXPECT_EQ(parent.SearchCursor(), &c);
    // Wrapping from the last child to the first.
    EXPECT_EQ(ZEBFileOptionsItem::Find(parent, 6), &b);
}

TEST(ZEBFileOptionsItem, RemovingTheCursorMovesItToNextElsePreviousElseNone)
{
    ZEBFileOptionsItem parent(0);
    ZEBFileOptionsItem& a = parent.AppendChild(1);
    ZEBFileOptionsItem& b = parent.AppendChild(2);
    ZEBFileOptionsItem& c = parent.AppendChild(3);
    ZEBFileOptionsItem::Find(parent, 2);
    parent.RemoveChild(b);
    EXPECT_EQ(parent.SearchCursor(), &c);
    parent.RemoveChild(c);
    EXPECT_EQ(parent.SearchCursor(), &a);
    parent.RemoveChild(a);
    EXPECT_EQ(parent.SearchCursor(), nullptr);
    EXPECT_TRUE(parent.Children().empty());

    ZEBFileOptionsItem other(0);
    ZEBFileOptionsItem& x = other.AppendChild(1);
    other.AppendChild(2).AppendChild(3);
    other.SetInteger(77);
    ZEBFileOptionsItem::Find(other, 2);
    other.RemoveChild(x);  // the cursor keeps pointing at the same child
    EXPECT_EQ(other.SearchCursor()->Id(), 2);
    other.Clear();
    EXPECT_TRUE(other.Children().empty());
    EXPECT_EQ(other.Length(), 0);
    EXPECT_EQ(other.SearchCursor(), nullptr);
}

namespace {

class OptionsBlock : public ::testing::Test {
protected:
    void SetUp() override { file.Open(dir.File("o"), FileAccess::CreateNew, 12, 2); }

    Bytes Stored(int32_t from, int32_t to)
    {
        Bytes bytes(size_t(to - from));
        file.Read(from, bytes.data(), to - from);
        return bytes;
    }
    void Put(int32_t at, const Bytes& bytes) { file.Write(at, bytes.data(), int32_t(bytes.size())); }

    test::TempDir dir;
    ZEBFile file;
};

}  // namespace

TEST_F(OptionsBlock, ImportBlockHasTheExactBytes)
{
    ZEBFileOptions options;
    options.SetInteger(1, 40);
    options.SetInteger(2, 16384);
    options.SetWideString(8, u"a.txt");
    options.SetInteger(7, 0);
    int32_t end = options.Save(file, 0);
    Bytes expected = {0, 0, 0, 0,                                   // root: id 0, length 0
                      1, 0, 1, 0, 40, 0xFF, 0xFF,                   // 1 = 40
                      2, 0, 2, 0, 0x00, 0x40, 0xFF, 0xFF,           // 2 = 16384
                      8, 0, 10, 0, 'a', 0, '.', 0, 't', 0, 'x', 0, 't', 0, 0xFF, 0xFF,
                      7, 0, 0, 0, 0xFF, 0xFF,                       // 7 = 0: no value bytes
                      0xFF, 0xFF};                                  // end of the root
    EXPECT_EQ(Stored(0, end), expected);
}

TEST_F(OptionsBlock, TreeRoundTripsWithNestedItems)
{
    ZEBFileOptions options;
    options.SetString(6, "/books/last.book");
    options.SetByte(0x108, 1);
    ZEBFileOptionsItem& marks = options.FindOrCreate(0x800);
    const uint8_t record[] = {0x10, 0x27, 0, 0, 'M', 0};
    marks.AppendChild(0).SetValue(record, sizeof record);
    marks.AppendChild(1).SetValue(record, 4);
    int32_t end = options.Save(file, 100);

    ZEBFileOptions back;
    back.Load(file, 100);
    EXPECT_EQ(back.GetString(6, ""), "/books/last.book");
    EXPECT_EQ(back.GetByte(0x108, 9), 1);
    EXPECT_EQ(back.GetInteger(0x107, 5), 5u) << "missing: the default";
    ZEBFileOptionsItem* loaded = back.Find(0x800);
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->Children().size(), 2u);
    EXPECT_EQ(loaded->Children()[0]->Value(), Bytes(record, record + sizeof record));
    EXPECT_EQ(loaded->Children()[1]->Length(), 4);
    EXPECT_EQ(back.Save(file, 1000) - 1000, end - 100);
    EXPECT_EQ(Stored(1000, 1000 + end - 100), Stored(100, end));
}

TEST_F(OptionsBlock, BlockWithoutTreeLeavesTheCurrentTree)
{
    Put(0, {0xFF, 0xFF});
    ZEBFileOptions options;
    options.SetInteger(1, 123);
    options.Load(file, 0);
    EXPECT_EQ(options.GetInteger(1, 0), 123u);

    ZEBFileOptions empty;
    EXPECT_EQ(empty.Save(file, 10), 12);
    EXPECT_EQ(Stored(10, 12), (Bytes{0xFF, 0xFF}));
}

TEST_F(OptionsBlock, MalformedBlocksRaiseTheFailure)
{
    struct Case {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"empty", {}},
        {"id only", {0, 0}},
        {"value past the end", {0, 0, 10, 0, 1, 2}},
        {"no terminator", {0, 0, 0, 0}},
        {"child cut short", {0, 0, 0, 0, 1, 0, 4, 0, 1}},
        {"odd byte at the end", {0, 0, 0, 0, 0xFF}},
    };
    for (const Case& c : cases) {
        file.Truncate(0);
        Put(0, c.bytes);
        ZEBFileOptions options;
        EXPECT_THROW(options.Load(file, 0), ZEBIOFailure) << c.what;
    }
}

TEST_F(OptionsBlock, NestingDeeperThanAnyRealBlockIsRefused)
{
    Bytes deep;
    for (int level = 0; level < 100000; ++level)
        deep.insert(deep.end(), {1, 0, 0, 0});  // id 1, no value, then its first child
    Put(0, deep);
    ZEBFileOptions options;
    EXPECT_THROW(options.Load(file, 0), ZEBIOFailure);
}
