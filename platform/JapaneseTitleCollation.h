#pragma once
// Titles in the order a Japanese reader expects: the system's collation for
// the Japanese locale, the order of CompareStringW, which puts kana in the
// order of the syllabary, kanji after kana in the order of their readings
// (JIS order), and ignores letter case, the width of letters and whether
// kana are hiragana or katakana. The keys are the system's sort keys of that
// collation, which compare as bytes exactly as CompareStringW compares.

#include "model/TitleCollation.h"

class JapaneseTitleCollation final : public TitleCollation {
public:
    std::string sortKey(const std::string& title) const override;
};
