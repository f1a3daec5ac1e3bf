#pragma once
// The texts of every item below a root, folded once for FindMatcher, in book
// order. A search as the user types scans these plain bytes instead of
// folding the whole book again at each keystroke. The texts stand back to
// back in one buffer: made in one pass, without an allocation per item. The
// index holds plain pointers into the tree: its owner makes a new one after
// any change to it.

#include "model/BookmarkItem.h"
#include "model/FindMatcher.h"

#include <string>
#include <string_view>
#include <vector>

class FindIndex {
public:
    explicit FindIndex(const BookmarkItem& root);

    // What matcher.findIn(root) answers on the tree the index was made of.
    std::vector<BookmarkItem*> find(const FindMatcher& matcher) const;

private:
    // Where the item's folded title, URL and message start in texts_; each
    // ends where the next begins, the message at the next entry's title.
    struct Entry {
        BookmarkItem* item;
        size_t title;
        size_t url;
        size_t message;
    };

    std::string_view text(size_t begin, size_t end) const { return std::string_view(texts_).substr(begin, end - begin); }

    std::vector<Entry> entries_;
    std::string texts_;
};
