#include "tools/e2edriver/Control.h"

#include "tools/e2edriver/ConditionWait.h"
#include "tools/e2edriver/DriverError.h"
#include "tools/e2edriver/WindowList.h"

#include <functional>
#include <vector>

namespace {

// How long the program may take to answer one sent message.
constexpr UINT AnswerLimit = 15000;

HWND firstDescendant(HWND parent, const std::function<bool(HWND)>& wanted)
{
    for (HWND child : WindowList::below(parent))
        if (wanted(child)) return child;
    return nullptr;
}

}  // namespace

bool Control::exists() const
{
    return hwnd_ != nullptr && IsWindow(hwnd_);
}

bool Control::visible() const
{
    return exists() && IsWindowVisible(hwnd_);
}

bool Control::enabled() const
{
    return exists() && IsWindowEnabled(hwnd_);
}

std::wstring Control::className() const
{
    wchar_t name[256] = {};
    GetClassNameW(hwnd_, name, 256);
    return name;
}

std::wstring Control::text() const
{
    const auto length = static_cast<size_t>(send(WM_GETTEXTLENGTH));
    std::vector<wchar_t> buffer(length + 1, L'\0');
    send(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return buffer.data();
}

std::wstring Control::title() const
{
    wchar_t title[512] = {};
    GetWindowTextW(hwnd_, title, 512);
    return title;
}

RECT Control::screenRect() const
{
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    return rect;
}

Control Control::item(int id) const
{
    const HWND child = GetDlgItem(hwnd_, id);
    if (child == nullptr) throw DriverError(L"no control " + std::to_wstring(id) + L" in \"" + title() + L"\"");
    return Control(child);
}

Control Control::descendant(int id) const
{
    return Control(firstDescendant(hwnd_, [id](HWND hwnd) { return GetDlgCtrlID(hwnd) == id; }));
}

Control Control::descendantOfClass(const std::wstring& name) const
{
    return Control(firstDescendant(hwnd_, [&name](HWND hwnd) { return Control(hwnd).className() == name; }));
}

bool Control::showsText(const std::wstring& wanted) const
{
    return firstDescendant(hwnd_, [&wanted](HWND hwnd) { return Control(hwnd).text() == wanted; }) != nullptr;
}

void Control::setText(const std::wstring& wanted) const
{
    send(EM_SETSEL, 0, -1);
    send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wanted.c_str()));
    if (text() != wanted) throw DriverError(L"control " + std::to_wstring(GetDlgCtrlID(hwnd_)) + L" refused a text");
}

void Control::click() const
{
    post(BM_CLICK);
}

void Control::selectEntry(const std::wstring& entry) const
{
    const LRESULT index = send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.c_str()));
    if (index == LB_ERR) throw DriverError(L"no entry \"" + entry + L"\"");
    send(LB_SETCURSEL, static_cast<WPARAM>(index));
}

bool Control::checked() const
{
    return send(BM_GETCHECK) == BST_CHECKED;
}

void Control::setChecked(bool on) const
{
    if (checked() == on) return;
    click();
    ConditionWait::until(L"check box " + std::to_wstring(GetDlgCtrlID(hwnd_)), [&] { return checked() == on; });
}

void Control::waitGone(const std::wstring& what) const
{
    ConditionWait::until(what + L" to close", [this] { return !visible(); });
}

LRESULT Control::send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(hwnd_, message, wParam, lParam, SMTO_NORMAL, AnswerLimit, &result) == 0 && exists())
        throw DriverError(L"the program did not answer message " + std::to_wstring(message));
    return static_cast<LRESULT>(result);
}

void Control::post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (!PostMessageW(hwnd_, message, wParam, lParam))
        throw DriverError(L"cannot post message " + std::to_wstring(message));
}
