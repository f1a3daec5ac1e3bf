#include "model/GroupPath.h"

#include <vector>

std::string GroupPath::of(const BookmarkItem& item, const std::string& separator)
{
    std::vector<const BookmarkItem*> groups;
    for (const BookmarkItem* group = item.parent; group != nullptr && group->parent != nullptr; group = group->parent)
        groups.push_back(group);
    std::string path;
    for (auto group = groups.rbegin(); group != groups.rend(); ++group) {
        if (group != groups.rbegin()) path += separator;
        path += (*group)->title;
    }
    return path;
}
