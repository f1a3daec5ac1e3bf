#include "model/DuplicateFinder.h"

#include "model/ItemWalk.h"
#include "model/UrlKey.h"

#include <unordered_map>

std::vector<DuplicateUrl> DuplicateFinder::find(const BookmarkItem& root)
{
    std::vector<DuplicateUrl> urls;
    std::unordered_map<std::string, size_t> indexOfKey;
    ItemWalk::forEachDescendant(root, [&](BookmarkItem& item) {
        if (!item.hasUrl() || item.url.empty()) return;
        std::string key = UrlKey::of(item.url);
        const auto known = indexOfKey.emplace(key, urls.size());
        if (known.second) urls.push_back({std::move(key), {}});
        urls[known.first->second].items.push_back(&item);
    });
    std::vector<DuplicateUrl> duplicates;
    for (DuplicateUrl& url : urls)
        if (url.items.size() > 1) duplicates.push_back(std::move(url));
    return duplicates;
}
