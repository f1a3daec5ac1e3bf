#include "model/LinkImport.h"

#include <algorithm>

BookmarkItem* LinkImport::topGroup(const BookmarkItem& root)
{
    for (const ItemRef& item : root.children)
        if (item->isGroup()) return item.get();
    return nullptr;
}

std::vector<ItemRef> LinkImport::urlItems(const std::vector<std::string>& titles, const std::vector<std::string>& urls,
                                          const std::string& date)
{
    std::vector<ItemRef> items;
    for (size_t i = 0; i < std::min(titles.size(), urls.size()); ++i) {
        items.push_back(BookmarkItem::create());
        items.back()->makeUrl(titles[i], urls[i], "", date);
    }
    return items;
}
