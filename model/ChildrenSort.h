#pragma once
// Puts the children of a group in order by one of their texts. Separators
// stay where they are and bound the runs between them: each run is sorted by
// itself, so the sections a user made survive. Within a run groups come
// first; items with equal keys keep their order.

#include "model/BookmarkItem.h"

class TitleCollation;

enum class SortKey { Title, Url, Date };

// Titles compare through `collation`; URLs and dates byte by byte (dates are
// "YYYY/MM/DD", so that is their calendar order).
void sortChildren(BookmarkItem& group, SortKey key, const TitleCollation& collation);
