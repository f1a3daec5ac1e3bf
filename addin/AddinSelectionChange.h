#pragma once
// Whether a list notification says that a row's selected state changed.

#include <windows.h>
#include <commctrl.h>

inline bool isAddinSelectionChange(const NMHDR& header, int listId)
{
    if (static_cast<int>(header.idFrom) != listId || header.code != LVN_ITEMCHANGED) return false;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    return (change.uChanged & LVIF_STATE) != 0 && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0;
}
