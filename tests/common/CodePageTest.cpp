// Runs in the native and in the Windows test program: the two code page
// implementations must give the same results.

#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Narrow literals are compiled to code page 932 bytes; u8 literals stay UTF-8.
const std::string japanese932 = "日本語のブックマーク表示、①㈱ｱｲｳ～∥－￠￡￢";
const std::wstring japaneseWide = L"日本語のブックマーク表示、①㈱ｱｲｳ～∥－￠￡￢";
const std::string japaneseUtf8 = u8"日本語のブックマーク表示、①㈱ｱｲｳ～∥－￠￡￢";

std::string bytes(std::initializer_list<unsigned char> list)
{
    return std::string(list.begin(), list.end());
}

TEST(CodePageTest, JapaneseTextRoundTripsThroughWideAndUtf8)
{
    EXPECT_EQ(japaneseWide, CodePage::toWide(japanese932));
    EXPECT_EQ(japanese932, CodePage::fromWide(japaneseWide));
    EXPECT_EQ(japaneseUtf8, CodePage::toUtf8(japanese932));
    EXPECT_EQ(japanese932, CodePage::fromUtf8(japaneseUtf8));
}

TEST(CodePageTest, LongTextAndEmbeddedNulsConvertWhole)
{
    std::string long932;
    for (int i = 0; i < 5000; ++i)
        long932 += japanese932 + std::string(1, '\0') + "abc";
    EXPECT_EQ(long932, CodePage::fromWide(CodePage::toWide(long932)));
    EXPECT_EQ(long932, CodePage::fromUtf8(CodePage::toUtf8(long932)));
}

TEST(CodePageTest, EmptyTextStaysEmpty)
{
    EXPECT_EQ(L"", CodePage::toWide(""));
    EXPECT_EQ("", CodePage::fromWide(L""));
    EXPECT_EQ("", CodePage::fromUtf8(""));
    EXPECT_EQ("", CodePage::toUtf8(""));
}

TEST(CodePageTest, Utf8TwinsOf932CharactersSurvive)
{
    // 〜 − — ‖ ¢ £ ¬ as web pages write them.
    EXPECT_EQ(bytes({0x81, 0x60}), CodePage::fromUtf8(u8"〜"));
    EXPECT_EQ(bytes({0x81, 0x7C, 0x81, 0x5C, 0x81, 0x61, 0x81, 0x91, 0x81, 0x92, 0x81, 0xCA}),
              CodePage::fromUtf8(u8"−—‖¢£¬"));
    EXPECT_EQ("ドラえもん〜のび太", CodePage::fromUtf8(u8"ドラえもん〜のび太"));
}

TEST(CodePageTest, WideConversionMapsOnly932sOwnCharacters)
{
    EXPECT_EQ(L"\xFF5E", CodePage::toWide(bytes({0x81, 0x60})));
    EXPECT_EQ("?", CodePage::fromWide(L"\x301C"));
    // No best-fit guesses: ¥ must not turn into a backslash, é not into e.
    EXPECT_EQ("?", CodePage::fromWide(L"\u00A5"));
    EXPECT_EQ("caf?", CodePage::fromWide(L"caf\u00E9"));
    EXPECT_EQ("caf?", CodePage::fromUtf8(u8"caf\u00E9"));
}

TEST(CodePageTest, CharactersOutsideTheBasicPlaneBecomeOneQuestionMark)
{
    EXPECT_EQ("a?b", CodePage::fromWide(L"a\U0001F600b"));
    EXPECT_EQ("a?b", CodePage::fromUtf8(u8"a\U0001F600b"));
    std::wstring loneSurrogate = L"a";
    loneSurrogate += static_cast<wchar_t>(0xD800);
    loneSurrogate += L"b";
    EXPECT_EQ("a?b", CodePage::fromWide(loneSurrogate));
}

TEST(CodePageTest, InvalidUtf8BecomesQuestionMarksWithoutLosingText)
{
    EXPECT_EQ("a?b", CodePage::fromUtf8("a\x80" "b"));                 // stray continuation
    EXPECT_EQ("?A", CodePage::fromUtf8("\xE3\x81" "A"));               // cut short
    EXPECT_EQ("?", CodePage::fromUtf8("\xE3\x81"));                    // cut short at the end
    EXPECT_EQ("??", CodePage::fromUtf8("\xC0\xAF"));                   // overlong slash
    EXPECT_EQ("???", CodePage::fromUtf8("\xED\xA0\x80"));              // encoded surrogate
    EXPECT_EQ("????", CodePage::fromUtf8("\xF4\x90\x80\x80"));         // above U+10FFFF
    EXPECT_EQ("??", CodePage::fromUtf8("\xFE\xFF"));
    EXPECT_EQ("?" "日本", CodePage::fromUtf8("\xF0\x9F\x98" u8"日本"));  // emoji cut short
}

TEST(CodePageTest, Invalid932BecomesMiddleDotAsOnWindows)
{
    const std::wstring dot = L"\x30FB";
    EXPECT_EQ(dot, CodePage::toWide(bytes({0x81})));                     // lone lead byte at the end
    EXPECT_EQ(L"a" + dot, CodePage::toWide(bytes({'a', 0x81})));
    EXPECT_EQ(dot + L"b", CodePage::toWide(bytes({0x85, 0x40, 'b'})));    // unassigned pair
    EXPECT_EQ(dot + L"b", CodePage::toWide(bytes({0x81, ' ', 'b'})));    // lead byte takes the next byte
    EXPECT_EQ(dot + std::wstring(1, L'\0') + L"b", CodePage::toWide(bytes({0x81, 0x00, 'b'})));
    EXPECT_EQ(u8"a・", CodePage::toUtf8(bytes({'a', 0x81})));
}

TEST(CodePageTest, SingleBytesOutsideJisMapToPrivateUseAndBack)
{
    const std::string odd = bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF});
    EXPECT_EQ(std::wstring(L"\x0080\xF8F0\xF8F1\xF8F2\xF8F3"), CodePage::toWide(odd));
    EXPECT_EQ(odd, CodePage::fromWide(CodePage::toWide(odd)));
}

TEST(CodePageTest, LeadAndTrailByteRanges)
{
    for (unsigned char lead : {0x81, 0x9F, 0xE0, 0xFC})
        EXPECT_TRUE(CodePage::isLeadByte(lead)) << int(lead);
    for (unsigned char other : {0x00, 0x5C, 0x7F, 0x80, 0xA0, 0xDF, 0xFD, 0xFF})
        EXPECT_FALSE(CodePage::isLeadByte(other)) << int(other);
    for (unsigned char trail : {0x40, 0x5C, 0x7E, 0x80, 0xFC})
        EXPECT_TRUE(CodePage::isTrailByte(trail)) << int(trail);
    for (unsigned char other : {0x00, 0x3F, 0x7F, 0xFD, 0xFF})
        EXPECT_FALSE(CodePage::isTrailByte(other)) << int(other);
}

TEST(CodePageTest, CharLengthStepsOverKanjiWhoseTrailByteIsABackslash)
{
    const std::string path = "C:\\表\\a";
    ASSERT_EQ(bytes({'C', ':', 0x5C, 0x95, 0x5C, 0x5C, 'a'}), path);
    std::string separators;
    for (std::size_t i = 0; i < path.size(); i += CodePage::charLength(path, i))
        separators += path[i] == '\\' ? 'S' : '.';
    EXPECT_EQ("..S.S.", separators);
}

TEST(CodePageTest, CharLengthAtTheEdges)
{
    EXPECT_EQ(1u, CodePage::charLength(bytes({'a', 0x81}), 1));   // lone lead byte at the end
    EXPECT_EQ(1u, CodePage::charLength(bytes({0x81, ' '}), 0));   // lead byte without trail byte
    EXPECT_EQ(1u, CodePage::charLength(bytes({0xA0, 0x40}), 0));  // not a lead byte
    EXPECT_EQ(2u, CodePage::charLength(bytes({0xFC, 0xFC}), 0));
    EXPECT_EQ(0u, CodePage::charLength("ab", 2));
    EXPECT_EQ(0u, CodePage::charLength("", 0));
}

}  // namespace
