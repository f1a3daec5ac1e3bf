// The tool-bar layout's text form in options.xml.

#include "app/HexText.h"

#include <gtest/gtest.h>

namespace {

TEST(HexText, EncodesEveryByteAsTwoUpperCaseDigitsAndDecodesThemBack)
{
    std::vector<uint8_t> all;
    for (int value = 0; value < 256; ++value) all.push_back(static_cast<uint8_t>(value));
    const std::string text = HexText::encode(all);
    ASSERT_EQ(512u, text.size());
    EXPECT_EQ("00010203", text.substr(0, 8));
    EXPECT_EQ("7F80", text.substr(254, 4));
    EXPECT_EQ("FEFF", text.substr(508));
    EXPECT_EQ(all, HexText::decode(text));
    EXPECT_EQ("", HexText::encode({}));
}

TEST(HexText, ReadsHandEditedTextPairByPair)
{
    EXPECT_EQ((std::vector<uint8_t>{0xAB, 0xCD}), HexText::decode("abCd"));
    // Only the valid leading digits of a pair count.
    EXPECT_EQ((std::vector<uint8_t>{0x04, 0x00, 0x00, 0x1F}), HexText::decode("4GG4  1F"));
    // An odd last character is dropped.
    EXPECT_EQ((std::vector<uint8_t>{0x12}), HexText::decode("123"));
    EXPECT_TRUE(HexText::decode("").empty());
    EXPECT_TRUE(HexText::decode("7").empty());
    // Bytes above 0x7F in the text (a 932 character) are not digits.
    EXPECT_EQ((std::vector<uint8_t>{0x00, 0x00}), HexText::decode("\x95\x5C\x95\x5C"));
}

}  // namespace
