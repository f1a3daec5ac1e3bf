#include "framework/CWindow.h"

#include "framework/FileErrorMessage.h"
#include "framework/UiServices.h"

#include <new>
#include <stdexcept>

namespace {

const wchar_t windowClassName[] = L"RavloWindow";

void registerWindowClass(WNDPROC procedure)
{
    static const ATOM atom = [procedure] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = windowClassName;
        return RegisterClassExW(&wc);
    }();
    if (atom == 0) throw std::runtime_error("window class registration failed");
}

}  // namespace

CWindow::~CWindow()
{
    if (hwnd_ != nullptr) {
        // The derived parts are gone: let the remaining messages go to the default procedure.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

bool CWindow::Create(const CREATESTRUCTW& cs)
{
    registerWindowClass(WindowProc);
    const HWND hwnd = CreateWindowExW(cs.dwExStyle, windowClassName, cs.lpszName, cs.style, cs.x, cs.y, cs.cx,
                                      cs.cy, cs.hwndParent, cs.hMenu, GetModuleHandleW(nullptr), this);
    return hwnd != nullptr;
}

bool CWindow::CreateChild(HWND parent, UINT id, DWORD style, DWORD exStyle)
{
    CREATESTRUCTW cs{};
    cs.dwExStyle = exStyle;
    cs.lpszName = L"";
    cs.style = style | WS_CHILD;
    cs.hwndParent = parent;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    return Create(cs);
}

void CWindow::DestroyWindow()
{
    if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

CWindow* CWindow::FromHandle(HWND hwnd)
{
    if (hwnd == nullptr) return nullptr;
    wchar_t name[32] = {};
    if (GetClassNameW(hwnd, name, 32) == 0 || lstrcmpW(name, windowClassName) != 0) return nullptr;
    return reinterpret_cast<CWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK CWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return self->Dispatch(message, wParam, lParam);
    } catch (...) {
        ReportCurrentException(hwnd);
    }
    return FailedResult(hwnd, message);
}

LRESULT CWindow::FailedResult(HWND hwnd, UINT message)
{
    switch (message) {
    case WM_NCCREATE:
        return FALSE;
    case WM_CREATE:
        return -1;
    case WM_PAINT:
        // Else the failing paint comes back at once, and with it the message.
        ValidateRect(hwnd, nullptr);
        return 0;
    default:
        return 0;
    }
}

void CWindow::ReportCurrentException(HWND owner)
{
    std::string text = "処理中にエラーが発生しました。";
    try {
        throw;
    } catch (const std::bad_alloc&) {
        text = FileErrorMessage::OutOfMemory;
    } catch (const std::exception& e) {
        if (*e.what() != '\0') text += std::string("\n") + e.what();
    } catch (...) {
    }
    UiServices::Current().ShowMessage(owner, text, "", MB_OK | MB_ICONEXCLAMATION);
}

LRESULT CWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (message) {
    case WM_CREATE:
        return OnCreate(*reinterpret_cast<CREATESTRUCTW*>(lParam)) ? 0 : -1;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_NCDESTROY: {
        const HWND hwnd = hwnd_;
        OnNcDestroy();
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
        break;
    case WM_NOTIFY:
        if (OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
        break;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    default:
        if (OnMessage(message, wParam, lParam, result)) return result;
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

LRESULT CWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool CWindow::OnCreate(CREATESTRUCTW&) { return true; }
void CWindow::OnDestroy() {}
void CWindow::OnNcDestroy() {}
void CWindow::OnSize(UINT, int, int) {}
bool CWindow::OnCommand(UINT, UINT, HWND) { return false; }
bool CWindow::OnNotify(NMHDR&, LRESULT&) { return false; }
void CWindow::OnClose() { DestroyWindow(); }
void CWindow::OnSetFocus(HWND) {}
bool CWindow::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
