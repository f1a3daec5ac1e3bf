#pragma once
// Which items a search finds. The query is split into words at blanks
// (full-width ones too); an item matches when every word occurs in at least
// one of the fields looked at. ASCII letter case is ignored, and full-width
// letters and digits match their half-width twins. Texts are code page 932;
// a word never matches across the two bytes of a double-byte character.

#include "model/BookmarkItem.h"

#include <string>
#include <string_view>
#include <vector>

class FindMatcher {
public:
    enum Field : unsigned { Title = 1u << 0, Url = 1u << 1, Message = 1u << 2, AllFields = Title | Url | Message };

    explicit FindMatcher(const std::string& query932, unsigned fields = AllFields);

    // False for a query without words: it finds nothing.
    bool hasWords() const { return !words_.empty(); }
    bool matches(const BookmarkItem& item) const;
    // The same test on texts folded beforehand (fold()), for callers that
    // keep an index of a large book; fields not looked at are not read.
    bool matchesFolded(std::string_view title, std::string_view url, std::string_view message) const;
    // Every matching item below `root`, in book order.
    std::vector<BookmarkItem*> findIn(const BookmarkItem& root) const;

    // The form texts are compared in: ASCII and full-width letters in lower
    // case ASCII, full-width digits as ASCII digits, the rest unchanged.
    static std::string fold(const std::string& text932);
    // The same, appended to `folded`.
    static void foldInto(const std::string& text932, std::string& folded);

private:
    bool occursIn(const std::string& word, std::string_view title, std::string_view url,
                  std::string_view message) const;

    std::vector<std::string> words_;  // folded
    unsigned fields_;
};
