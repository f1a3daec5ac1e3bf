#pragma once
// Columns and rows of a list view in report form, with code page 932 texts.

#include "platform/CodePage.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace ReportList {

inline void insertColumn(HWND list, int index, const wchar_t* text, int width, int format = LVCFMT_LEFT)
{
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = format;
    column.pszText = const_cast<wchar_t*>(text);
    column.cx = width;
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

// Column 0 inserts row `row`; the other columns fill it.
inline void setText(HWND list, int row, int column, const std::string& text932)
{
    const std::wstring text = CodePage::toWide(text932);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    const UINT message = column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW;
    SendMessageW(list, message, column == 0 ? 0 : static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace ReportList
