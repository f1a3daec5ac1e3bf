#pragma once
// What a new book holds: one top-level group "マイブックマーク".

#include "model/BookmarkItem.h"

#include <string>

class DefaultBook {
public:
    static constexpr const char* GroupTitle = "マイブックマーク";

    // Adds the default group, dated `date`, to an empty root.
    static void fill(BookmarkItem& root, const std::string& date);
};
