#include "model/FindIndex.h"

#include "model/ItemWalk.h"

FindIndex::FindIndex(const BookmarkItem& root)
{
    ItemWalk::forEachDescendant(root, [this](BookmarkItem& item) {
        Entry entry{&item, texts_.size(), 0, 0};
        FindMatcher::foldInto(item.title, texts_);
        entry.url = texts_.size();
        FindMatcher::foldInto(item.url, texts_);
        entry.message = texts_.size();
        FindMatcher::foldInto(item.message, texts_);
        entries_.push_back(entry);
    });
}

std::vector<BookmarkItem*> FindIndex::find(const FindMatcher& matcher) const
{
    std::vector<BookmarkItem*> found;
    if (!matcher.hasWords()) return found;
    for (size_t index = 0; index < entries_.size(); ++index) {
        const Entry& entry = entries_[index];
        const size_t end = index + 1 < entries_.size() ? entries_[index + 1].title : texts_.size();
        if (matcher.matchesFolded(text(entry.title, entry.url), text(entry.url, entry.message), text(entry.message, end)))
            found.push_back(entry.item);
    }
    return found;
}
