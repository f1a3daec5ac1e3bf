#include "model/BookBytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

bool refused(const std::string& bytes) { return mayDeclareDocumentType(bytes.data(), bytes.size()); }

// `text` in code units of `width` bytes, the character byte first or last.
std::string widened(const std::string& text, size_t width, bool bigEndian)
{
    std::string out;
    for (const char c : text) out += bigEndian ? std::string(width - 1, '\0') + c : c + std::string(width - 1, '\0');
    return out;
}

TEST(BookBytes, HostileDocumentTypesAreRefusedInEveryEncoding)
{
    for (const char* name : {"entity-expansion.rvl", "external-entity.rvl", "dtd-only.rvl"}) {
        std::ifstream file(std::string(RAVLO_TEST_DATA) + "/" + name, std::ios::binary);
        const std::string hostile((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(refused(hostile)) << name;
        for (const size_t width : {2, 4})
            for (const bool bigEndian : {false, true}) EXPECT_TRUE(refused(widened(hostile, width, bigEndian))) << name;
    }
    EXPECT_TRUE(refused("\x4C\x6F\xA7\x94\x93\x40"));  // EBCDIC "<?xml "
    const std::string book = "<?xml version=\"1.0\"?><Ravlo><Title>&lt;!DOCTYPE is text</Title><!DOCTYP/></Ravlo>";
    EXPECT_FALSE(refused(book));
    EXPECT_FALSE(refused(widened(book, 2, true)));
}

TEST(BookBytes, CarriageReturnStandInsBecomeReferencesAndNothingElseChanges)
{
    EXPECT_EQ("a&#13;\nb&#13;&#13;\r\xEE\xA0", withCarriageReturnReferences("a\xEE\xA0\x80\nb\xEE\xA0\x80\xEE\xA0\x80\r\xEE\xA0"));
}

}  // namespace
