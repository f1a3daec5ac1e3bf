#pragma once
// What the two panes of the main window share: each one hosts a single
// common control that fills it and shows the program's item icons.

#include "model/BookmarkItem.h"
#include "res/resource.h"

#include <windows.h>

#include <commctrl.h>

#include <initializer_list>

namespace ViewControls {

// The control's child id inside its view.
constexpr UINT ControlId = 1;

// A visible child control of `view`; its size comes with the view's WM_SIZE.
// `controlClasses` is the ICC_ flag that registers `className`.
inline HWND createControl(HWND view, const wchar_t* className, DWORD style, DWORD controlClasses)
{
    INITCOMMONCONTROLSEX classes{sizeof(classes), controlClasses};
    InitCommonControlsEx(&classes);
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0, 0, view,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ControlId)), GetModuleHandleW(nullptr),
                           nullptr);
}

// A 16 by 16 masked image list holding the icons of the program's own
// resources, image i being `iconIds[i]`.
inline HIMAGELIST makeIconList(std::initializer_list<UINT> iconIds)
{
    const HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 6, 4);
    for (UINT id : iconIds) {
        const auto icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        ImageList_AddIcon(images, icon);
        DestroyIcon(icon);
    }
    return images;
}

// Gives a list view the item icons of the program: group, URL, URL-group.
// Without LVS_SHAREIMAGELISTS the list destroys its image list itself.
inline void giveItemIcons(HWND list)
{
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(makeIconList({IDI_GROUP, IDI_URL, IDI_GROUP_URL})));
}

// The image of an item of `type` in such a list; a separator's never shows.
inline int listImageOf(ItemType type)
{
    switch (type) {
    case ItemType::Url:
        return 1;
    case ItemType::GroupUrl:
        return 2;
    default:
        return 0;
    }
}

// Keeps a window from repainting while many entries go in; the control
// repaints once when redrawing comes back on.
class RedrawFreeze {
public:
    explicit RedrawFreeze(HWND window) : window_(window) { SendMessageW(window_, WM_SETREDRAW, FALSE, 0); }
    ~RedrawFreeze()
    {
        SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window_, nullptr, TRUE);
    }
    RedrawFreeze(const RedrawFreeze&) = delete;
    RedrawFreeze& operator=(const RedrawFreeze&) = delete;

private:
    HWND window_;
};

// Holds back all painting of a control, its scroll bars included, by
// holding back its parent's: a control that repaints a scroll bar whenever
// an entry on show changes (the tree under Wine) repaints once, when
// released. A hidden parent stays hidden and holds nothing.
class PaintHold {
public:
    explicit PaintHold(HWND control)
        : control_(control), parent_(GetParent(control)),
          held_((GetWindowLongW(parent_, GWL_STYLE) & WS_VISIBLE) != 0)
    {
        if (held_) SendMessageW(parent_, WM_SETREDRAW, FALSE, 0);
    }
    ~PaintHold()
    {
        if (!held_) return;
        SendMessageW(parent_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(control_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    PaintHold(const PaintHold&) = delete;
    PaintHold& operator=(const PaintHold&) = delete;

private:
    HWND control_;
    HWND parent_;
    bool held_;
};

}  // namespace ViewControls
