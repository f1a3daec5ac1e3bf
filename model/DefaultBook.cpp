#include "model/DefaultBook.h"

void DefaultBook::fill(BookmarkItem& root, const std::string& date)
{
    root.addGroupChild(GroupTitle, date);
}
