#pragma once
// Where an item stands: the titles of the groups above it, from the top-level
// group down to the group that holds it (the invisible root is not named).

#include "model/BookmarkItem.h"

#include <string>

class GroupPath {
public:
    static constexpr const char* Separator = " > ";

    // Empty for a top-level item. Follows the parent links.
    static std::string of(const BookmarkItem& item, const std::string& separator = Separator);
};
