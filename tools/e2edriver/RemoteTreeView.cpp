#include "tools/e2edriver/RemoteTreeView.h"

#include "tools/e2edriver/RemoteMemory.h"

namespace {

constexpr size_t TextOffset = 256;
constexpr int TextCapacity = 1024;

}  // namespace

HTREEITEM RemoteTreeView::root() const
{
    return next(nullptr, TVGN_ROOT);
}

std::wstring RemoteTreeView::text(HTREEITEM entry) const
{
    const RemoteMemory memory(process_, TextOffset + TextCapacity * sizeof(wchar_t));
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = entry;
    item.pszText = reinterpret_cast<wchar_t*>(memory.at(TextOffset));
    item.cchTextMax = TextCapacity;
    memory.write(0, &item, sizeof(item));
    if (tree_.send(TVM_GETITEMW, 0, memory.at()) == 0) return std::wstring();
    std::wstring text(TextCapacity, L'\0');
    memory.read(TextOffset, &text[0], text.size() * sizeof(wchar_t));
    return text.c_str();
}

HTREEITEM RemoteTreeView::childOf(HTREEITEM parent, const std::wstring& title) const
{
    for (HTREEITEM child = next(parent, TVGN_CHILD); child != nullptr; child = next(child, TVGN_NEXT))
        if (text(child) == title) return child;
    return nullptr;
}

void RemoteTreeView::select(HTREEITEM entry) const
{
    tree_.send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(entry));
}

HTREEITEM RemoteTreeView::selected() const
{
    return next(nullptr, TVGN_CARET);
}

HTREEITEM RemoteTreeView::next(HTREEITEM entry, UINT relation) const
{
    return reinterpret_cast<HTREEITEM>(tree_.send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(entry)));
}
