#include <gtest/gtest.h>

#include "library/common/MemberName.h"

using namespace zeb;

TEST(MemberName, BareNameCutsEveryFolderAndRefusesUnsafeNames)
{
    struct Case {
        std::string_view stored, bare;
    } cases[] = {
        {"prose.txt", "prose.txt"},
        {"library/novels/prose.txt", "prose.txt"},
        {"dir\\sub\\a.txt", "a.txt"},
        {"../../etc/passwd", "passwd"},
        {"/abs/x", "x"},
        {"mixed\\sep/name", "name"},
        {"dir/", ""},
        {"", ""},
        {".", ""},
        {"a/..", ""},
        {"..\\", ""},
        {std::string_view("a\0b", 3), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BareName(c.stored), c.bare) << c.stored;
    EXPECT_EQ(ScratchPath("/tmp/Tmp", "x/y.txt"), "/tmp/Tmp/y.txt");
    EXPECT_EQ(ScratchPath("/tmp/Tmp", "x/.."), "");
}
