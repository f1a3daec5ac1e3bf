// The decoder of character references behind the link scanner and the tree
// reader; what each of them decodes is tested with it.

#include "model/HtmlCharacterReferences.h"

#include <gtest/gtest.h>

namespace {

using NonCharacter = HtmlCharacterReferences::NonCharacter;

TEST(HtmlCharacterReferences, NumbersThatWouldWrapIntoACharacterNameNone)
{
    // 2^32 + 65 in both bases: counted in 32 bits, they would be "A".
    const std::string text = "x&#4294967361;&#x100000041;y";
    EXPECT_EQ(text, HtmlCharacterReferences(NonCharacter::KeptAsWritten).decoded(text));
    EXPECT_EQ("xy", HtmlCharacterReferences(NonCharacter::Dropped).decoded(text));
}

}  // namespace
