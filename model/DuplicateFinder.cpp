#include "model/DuplicateFinder.h"

#include "model/ItemWalk.h"
#include "model/UrlKey.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>

namespace {

struct KeyedItem {
    std::string key;
    BookmarkItem* item;
};

constexpr uint32_t NoSlot = UINT32_MAX;

// The items with a URL below `root`, in book order, each with its key.
std::vector<KeyedItem> keyedItems(const BookmarkItem& root)
{
    std::vector<KeyedItem> items;
    ItemWalk::forEachDescendant(root, [&](BookmarkItem& item) {
        if (item.hasUrl() && !item.url.empty()) items.push_back({UrlKey::of(item.url), &item});
    });
    return items;
}

// For each of `items` the number of its key, keys numbered as first met;
// `counts` gets how many items hold each key.
std::vector<uint32_t> keyNumbers(const std::vector<KeyedItem>& items, std::vector<uint32_t>& counts)
{
    // The keys stay in `items` while the table lives, so it holds views of
    // them, sized once for the book.
    std::unordered_map<std::string_view, uint32_t> numberOf;
    numberOf.reserve(items.size());
    std::vector<uint32_t> numbers;
    numbers.reserve(items.size());
    for (const KeyedItem& keyed : items) {
        const auto known = numberOf.emplace(keyed.key, static_cast<uint32_t>(counts.size()));
        if (known.second) counts.push_back(0);
        numbers.push_back(known.first->second);
        ++counts[known.first->second];
    }
    return numbers;
}

}  // namespace

std::vector<DuplicateUrl> DuplicateFinder::find(const BookmarkItem& root)
{
    std::vector<KeyedItem> items = keyedItems(root);
    std::vector<uint32_t> counts;
    const std::vector<uint32_t> numbers = keyNumbers(items, counts);
    std::vector<uint32_t> slotOf(counts.size(), NoSlot);
    std::vector<DuplicateUrl> duplicates;
    for (size_t i = 0; i < items.size(); ++i) {
        const uint32_t number = numbers[i];
        if (counts[number] < 2) continue;
        if (slotOf[number] == NoSlot) {
            slotOf[number] = static_cast<uint32_t>(duplicates.size());
            duplicates.push_back({std::move(items[i].key), {}});
        }
        duplicates[slotOf[number]].items.push_back(items[i].item);
    }
    return duplicates;
}
