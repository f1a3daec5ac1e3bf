#include "tools/e2edriver/RemoteListView.h"

#include "tools/e2edriver/RemoteMemory.h"

#include <commctrl.h>

namespace {

constexpr size_t TextOffset = 256;
constexpr int TextCapacity = 1024;

}  // namespace

int RemoteListView::count() const
{
    return static_cast<int>(list_.send(LVM_GETITEMCOUNT));
}

std::wstring RemoteListView::text(int row, int column) const
{
    const RemoteMemory memory(process_, TextOffset + TextCapacity * sizeof(wchar_t));
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<wchar_t*>(memory.at(TextOffset));
    item.cchTextMax = TextCapacity;
    memory.write(0, &item, sizeof(item));
    const auto length = static_cast<size_t>(list_.send(LVM_GETITEMTEXTW, row, memory.at()));
    std::wstring text(length, L'\0');
    if (length > 0) memory.read(TextOffset, &text[0], length * sizeof(wchar_t));
    return text;
}

int RemoteListView::rowOf(const std::wstring& title) const
{
    for (int row = 0; row < count(); ++row)
        if (text(row) == title) return row;
    return -1;
}

int RemoteListView::firstSelected() const
{
    return static_cast<int>(list_.send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void RemoteListView::select(const std::vector<int>& rows) const
{
    setState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row : rows)
        setState(row, LVIS_SELECTED | (row == rows.front() ? LVIS_FOCUSED : 0), LVIS_SELECTED | LVIS_FOCUSED);
}

bool RemoteListView::isChecked(int row) const
{
    const auto state = static_cast<UINT>(list_.send(LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
    return state == INDEXTOSTATEIMAGEMASK(2);
}

void RemoteListView::setChecked(int row, bool checked) const
{
    setState(row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

void RemoteListView::setState(int row, UINT state, UINT mask) const
{
    const RemoteMemory memory(process_, sizeof(LVITEMW));
    LVITEMW item{};
    item.state = state;
    item.stateMask = mask;
    memory.write(0, &item, sizeof(item));
    list_.send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), memory.at());
}
