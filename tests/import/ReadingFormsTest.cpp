// The reader takes UTF-16LE and code pages of single bytes straight from the source bytes and
// decodes every other code page; these tests hold the books of both ways to each other.
#include <gtest/gtest.h>

#include <string>

#include "ImportTestSupport.h"
#include "platform/CodePageDecoder.h"
#include "platform/Utf16.h"

using namespace zeb;
using namespace zeb::test;

namespace {

// Lines with every feature the passes treat apart: CR LF and a lone CR, TABs, control
// characters, byte order marks inside lines, space runs and words around the record limits,
// verse, blank lines and indents. Only ASCII and Cyrillic, so that code page 1251 holds it.
std::u16string AwkwardText()
{
    const std::u16string word250(250, u'\u0436');
    std::u16string text;
    for (int k = 0; k < 80; ++k) {
        text += u"    Первая строка абзаца, a long line of prose that fills it.\r\n";
        text += u"a\tb\t\tc \x01 d\re \x7F f\n";
        text += std::u16string(300, u' ') + u"x" + std::u16string(255 + k, u' ') + u"y\n";
        text += u"\uFEFFначало \uFEFF сло\uFEFFво\n\n";
        text += word250 + u"\n" + u"z" + word250 + u"\n";
        text += std::u16string(600 + 37 * k, u'w') + u" tail\n";
        text += u"short\nverse\nlines\n\n\n";
        text += u"  " + std::u16string(size_t(k), u'q') + u"\t\n";
    }
    return text + u"the last line has no LF";
}

std::string Cp1251(const std::u16string& text)
{
    std::string bytes;
    for (char16_t c : text) {
        if (c >= u'\u0410' && c <= u'\u044F')
            bytes += char(0xC0 + (c - u'\u0410'));
        else if (c == u'\uFEFF')
            ADD_FAILURE() << "code page 1251 has no byte order mark";
        else
            bytes += char(c);
    }
    return bytes;
}

std::string WithoutMarks(std::u16string text)
{
    std::erase(text, u'\uFEFF');
    return Cp1251(text);
}

void ExpectSameBook(const BookContents& book, const BookContents& reference, const char* name)
{
    EXPECT_EQ(book.stream, reference.stream) << name;
    EXPECT_EQ(book.paragraphs, reference.paragraphs) << name;
    EXPECT_EQ(book.lines, reference.lines) << name;
}

TEST(ReadingForms, UnitsTakenFromTheBytesGiveTheBookOfDecodedUnits)
{
    TempDir dir;
    const std::u16string text = AwkwardText();
    // UTF-8 is always decoded.
    const BookContents reference = ConvertBytes(dir, "\xEF\xBB\xBF" + ToUtf8(text), 65001);
    ASSERT_GT(WithoutMarks(text).size(), 2u << 16) << "the text must span several pieces read";
    struct Case {
        const char* name;
        std::string bytes;
        int32_t codePage;
    } cases[] = {
        {"UTF-16LE with byte order marks", Utf16Le(u"\uFEFF" + text + u"\uFEFF"), UnicodeCodePage},
        {"code page 1251", WithoutMarks(text), 1251},
    };
    for (const Case& c : cases)
        ExpectSameBook(ConvertBytes(dir, c.bytes, c.codePage), reference, c.name);
}

TEST(ReadingForms, SurrogatesAndAnOddLastByteOfUtf16LeComeOutAsDecoded)
{
    TempDir dir;
    const std::u16string text = u"\U0001F600 smile \U0001F600\U0001F601x\n" + AwkwardText();
    ExpectSameBook(ConvertBytes(dir, Utf16Le(text) + "A", UnicodeCodePage),
                   ConvertBytes(dir, ToUtf8(text) + "\xC3", 65001), "an odd byte ends the text");
}

}  // namespace
