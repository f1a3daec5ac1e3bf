#include "model/ChildrenSort.h"

#include "model/TitleCollation.h"

#include <algorithm>
#include <vector>

namespace {

struct Entry {
    ItemRef item;
    std::string titleKey;  // made only when sorting by title
};

using Run = std::vector<Entry>::iterator;

bool isSeparatorEntry(const Entry& entry) { return entry.item->isSeparator(); }

// Groups before everything else, then by `keyBefore`.
template <typename KeyBefore>
void sortRun(Run first, Run last, KeyBefore keyBefore)
{
    std::stable_sort(first, last, [&keyBefore](const Entry& a, const Entry& b) {
        if (a.item->isGroup() != b.item->isGroup()) return a.item->isGroup();
        return keyBefore(a, b);
    });
}

template <typename KeyBefore>
void sortRuns(std::vector<Entry>& entries, KeyBefore keyBefore)
{
    for (Run first = entries.begin(); first != entries.end();) {
        const Run last = std::find_if(first, entries.end(), isSeparatorEntry);
        sortRun(first, last, keyBefore);
        first = last == entries.end() ? last : last + 1;
    }
}

void sortEntries(std::vector<Entry>& entries, SortKey key, const TitleCollation& collation)
{
    switch (key) {
    case SortKey::Title:
        for (Entry& entry : entries) entry.titleKey = collation.sortKey(entry.item->title);
        sortRuns(entries, [](const Entry& a, const Entry& b) { return a.titleKey < b.titleKey; });
        break;
    case SortKey::Url:
        sortRuns(entries, [](const Entry& a, const Entry& b) { return a.item->url < b.item->url; });
        break;
    case SortKey::Date:
        sortRuns(entries, [](const Entry& a, const Entry& b) { return a.item->date < b.item->date; });
        break;
    }
}

}  // namespace

void sortChildren(BookmarkItem& group, SortKey key, const TitleCollation& collation)
{
    std::vector<Entry> entries;
    entries.reserve(group.children.size());
    for (const ItemRef& child : group.children) entries.push_back({child, {}});
    sortEntries(entries, key, collation);
    // The children stay in their places; only which item stands where changes.
    auto entry = entries.begin();
    for (ItemRef& child : group.children) child = std::move((entry++)->item);
}
