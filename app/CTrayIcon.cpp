#include "app/CTrayIcon.h"

namespace {

const wchar_t windowClassName[] = L"TrayIconProcWindow";

// Process-wide: ids are unique across objects and the routing finds the owner by id.
int nextId = 1;
std::map<int, CTrayIcon*>& owners()
{
    static std::map<int, CTrayIcon*> table;
    return table;
}

UINT notifyMessage()
{
    static const UINT message = RegisterWindowMessageW(L"CTrayIcon");
    return message;
}

}  // namespace

CTrayIcon::ShellNotify CTrayIcon::shellNotify = Shell_NotifyIconW;

CTrayIcon::~CTrayIcon()
{
    RemoveAllIcons();
}

int CTrayIcon::AddIcon(HICON icon)
{
    if (!ensureWindow()) return 0;
    const int id = nextId++;
    NOTIFYICONDATAW& record = icons_[id];
    record = NOTIFYICONDATAW{};
    record.cbSize = sizeof record;
    record.hWnd = window_;
    record.uID = static_cast<UINT>(id);
    record.uFlags = NIF_MESSAGE | NIF_ICON;
    record.uCallbackMessage = notifyMessage();
    record.hIcon = icon;
    if (!shellNotify(NIM_ADD, &record)) {
        icons_.erase(id);
        destroyWindowIfIdle();
        return 0;
    }
    owners()[id] = this;
    return id;
}

int CTrayIcon::RemoveIcon(int id)
{
    const auto found = icons_.find(id);
    if (found == icons_.end()) return 1;
    shellNotify(NIM_DELETE, &found->second);
    owners().erase(id);
    icons_.erase(found);
    destroyWindowIfIdle();
    return 1;
}

void CTrayIcon::RemoveAllIcons()
{
    for (auto& [id, record] : icons_) {
        shellNotify(NIM_DELETE, &record);
        owners().erase(id);
    }
    icons_.clear();
    destroyWindowIfIdle();
}

void CTrayIcon::OnTrayNotify(UINT, UINT)
{
}

bool CTrayIcon::ensureWindow()
{
    if (window_ != nullptr) return true;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    static const bool registered = [instance] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = windowClassName;
        return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered) return false;
    window_ = CreateWindowExW(0, windowClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              instance, nullptr);
    return window_ != nullptr;
}

void CTrayIcon::destroyWindowIfIdle()
{
    if (!icons_.empty() || window_ == nullptr) return;
    DestroyWindow(window_);
    window_ = nullptr;
}

LRESULT CALLBACK CTrayIcon::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != notifyMessage()) return DefWindowProcW(window, message, wParam, lParam);
    dispatch(static_cast<UINT>(wParam), static_cast<UINT>(lParam));
    return 0;
}

// An owner's handler must not let an exception unwind into the system's message dispatch.
void CTrayIcon::dispatch(UINT id, UINT mouseMessage)
{
    const auto owner = owners().find(static_cast<int>(id));
    if (owner == owners().end()) return;
    try {
        owner->second->OnTrayNotify(id, mouseMessage);
    } catch (...) {
    }
}
