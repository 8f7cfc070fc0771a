#include <gtest/gtest.h>

#include "library/rar/WideText.h"
#include "library/zip/ZipNames.h"
#include "platform/Utf16.h"

using namespace zeb;

TEST(WideText, ConvertsBetweenUtf8AndWideAndKeepsUndecodedBytes)
{
    EXPECT_EQ(WideToUtf8(L"Маяк 😀.txt"), "Маяк 😀.txt");
    EXPECT_EQ(Utf8ToWide("Маяк 😀.txt"), L"Маяк 😀.txt");
    // Bytes the library could not decode come back unchanged behind its U+FFFE mark.
    EXPECT_EQ(WideToUtf8(std::wstring{0xFFFE, L'a', 0xE0D0, 0xE09A}), "a\xD0\x9A");
    EXPECT_EQ(WideToUtf8(std::wstring{L'a', 0xE0D0}), "a\xEE\x83\x90");
    EXPECT_EQ(WideToUtf8(std::wstring{wchar_t(0xD800), wchar_t(0x110000)}), "\uFFFD\uFFFD");
    EXPECT_EQ(Utf8ToWide("a\x80\xC0\xAF\xED\xA0\x80z"), L"a\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDz");
    EXPECT_TRUE(IsValidUtf8("plain Маяк"));
    EXPECT_FALSE(IsValidUtf8("\x8C\xA0\xEF\xAA.txt"));
}

TEST(ZipNames, FlagOrHostDecideHowNameBytesAreRead)
{
    const std::string utf8 = "\xC3\xA9t\xC3\xA9.txt";  // "été.txt"
    struct Case {
        std::string stored;
        uint16_t flags, madeBy;
        std::string name;
    } cases[] = {
        {utf8, 0x0800, 0x0014, "été.txt"},   // UTF-8 flag, whatever the host
        {utf8, 0, 0x0314, "été.txt"},        // Unix host, bytes that are UTF-8
        {utf8, 0, 0x0014, "├⌐t├⌐.txt"},      // MS-DOS host: code page 437
        {utf8, 0, 0x0B14, "├⌐t├⌐.txt"},      // NTFS host: code page 437
        {"\x82t\x85.txt", 0, 0x0314, "étà.txt"}, // Unix host, not UTF-8: code page 437
        {"bad\xFF", 0x0800, 0, "bad\uFFFD"},  // flagged but malformed
    };
    for (const Case& c : cases)
        EXPECT_EQ(ZipNameToUtf8(c.stored, c.flags, c.madeBy), c.name) << c.name;
    std::string all;
    for (int b = 0x80; b < 0x100; ++b)
        all += char(b);
    EXPECT_EQ(Cp437ToUtf8(all).substr(0, 6), "Çüé");
    EXPECT_EQ(Cp437ToUtf8("\xFF"), "\u00A0");
}
