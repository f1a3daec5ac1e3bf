#include "model/BookBytes.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

bool refused(const std::string& bytes)
{
    return mayDeclareDocumentType(bytes.data(), bytes.size());
}

// `text` in code units of `width` bytes, the character byte first or last.
std::string widened(const std::string& text, size_t width, bool bigEndian)
{
    std::string out;
    for (const char c : text) out += bigEndian ? std::string(width - 1, '\0') + c : c + std::string(width - 1, '\0');
    return out;
}

const char kBook[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Ravlo xmlns=\"x\"><Item type=\"Url\">"
                     "<Title>&lt;!DOCTYPE is only text</Title><Message>a&#13;\nb</Message></Item></Ravlo>\n";

TEST(BookBytes, HostileDocumentTypesAreRefusedInEveryEncoding)
{
    for (const char* name : {"entity-expansion.rvl", "external-entity.rvl", "dtd-only.rvl"}) {
        std::ifstream file(std::string(RAVLO_TEST_DATA) + "/" + name, std::ios::binary);
        const std::string hostile((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(hostile.empty()) << name;
        EXPECT_TRUE(refused(hostile)) << name;
        for (const size_t width : {2, 4})
            for (const bool bigEndian : {false, true}) EXPECT_TRUE(refused(widened(hostile, width, bigEndian))) << name;
    }
    EXPECT_TRUE(refused("\x4C\x6F\xA7\x94\x93\x40"));  // EBCDIC "<?xml "
    EXPECT_TRUE(refused("<!DOCTYPE"));
    EXPECT_FALSE(refused("<!DOCTYP"));
    EXPECT_FALSE(refused(kBook));
    EXPECT_FALSE(refused(widened(kBook, 2, true)));
    EXPECT_FALSE(refused(std::string()));
}

TEST(BookBytes, CarriageReturnStandInsBecomeReferencesAndNothingElseChanges)
{
    const std::string standIn = "\xEE\xA0\x80";
    EXPECT_EQ("<M>a&#13;\nb&#13;&#13;</M>\r\n\xEE\xA0", withCarriageReturnReferences("<M>a" + standIn + "\nb" + standIn +
                                                                                      standIn + "</M>\r\n\xEE\xA0"));
    EXPECT_EQ(kBook, withCarriageReturnReferences(kBook));
}

}  // namespace
