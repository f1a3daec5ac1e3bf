#include "framework/CFrameWindow.h"

#include "framework/CApplication.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CStatusBar.h"
#include "framework/CToolBar.h"
#include "framework/CView.h"
#include "framework/ResourceText.h"
#include "framework/resource_fw.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace {

// The in-place rename of a tree or list entry is an edit control.
bool IsEditControl(HWND hwnd)
{
    wchar_t name[8] = {};
    GetClassNameW(hwnd, name, 8);
    return lstrcmpiW(name, L"Edit") == 0;
}

bool hasVisibleStyle(HWND hwnd)
{
    // The style, not IsWindowVisible: a bar of a hidden frame is still "shown".
    return hwnd != nullptr && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

HICON loadIcon(UINT resourceId, int size)
{
    return static_cast<HICON>(
        LoadImageW(ResourceText::Instance(), MAKEINTRESOURCEW(resourceId), IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

CFrameWindow::CFrameWindow()
{
    AddCommandRange(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, [this](UINT id) { ToggleBar(id); });
    AddUpdateRange(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, [this](CCmdUI& ui) { UpdateBarCommand(ui); });
}

CFrameWindow::~CFrameWindow() = default;

bool CFrameWindow::LoadFrame(UINT resourceId, CCreateContext& context)
{
    document_ = context.document;
    if (context.docTemplate != nullptr)
        appTitle_ = CodePage::toWide(context.docTemplate->GetDocString(CDocTemplate::WindowTitle));
    const HINSTANCE instance = ResourceText::Instance();
    accelerators_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(resourceId));

    CREATESTRUCTW cs{};
    cs.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.lpszName = appTitle_.c_str();
    cs.hMenu = LoadMenuW(instance, MAKEINTRESOURCEW(resourceId));
    if (!PreCreateWindow(cs)) {
        if (cs.hMenu != nullptr) DestroyMenu(cs.hMenu);
        return false;
    }
    creating_ = &context;
    const bool created = Create(cs);
    creating_ = nullptr;
    if (!created) return false;
    SendMessageW(GetHwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(loadIcon(resourceId, 32)));
    SendMessageW(GetHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(loadIcon(resourceId, 16)));
    RecalcLayout();
    return true;
}

bool CFrameWindow::PreCreateWindow(CREATESTRUCTW&)
{
    return true;
}

bool CFrameWindow::OnCreate(CREATESTRUCTW& cs)
{
    return creating_ != nullptr && OnCreateClient(cs, *creating_);
}

bool CFrameWindow::OnCreateClient(CREATESTRUCTW&, CCreateContext& context)
{
    return context.docTemplate != nullptr &&
           CreateView(context.docTemplate->CreateView(), GetHwnd(), IDW_PANE_FIRST) != nullptr;
}

CView* CFrameWindow::CreateView(std::unique_ptr<CView> view, HWND parent, UINT id)
{
    if (view == nullptr) return nullptr;
    CView* created = view.get();
    views_.push_back(std::move(view));
    if (!created->CreateInFrame(*this, document_, parent, id)) return nullptr;
    return created;
}

CView* CFrameWindow::GetActiveView() const
{
    return activeView_ != nullptr && activeView_->GetHwnd() != nullptr ? activeView_ : nullptr;
}

void CFrameWindow::SetActiveView(CView* view, bool takeFocus)
{
    activeView_ = view;
    if (takeFocus && view != nullptr && view->GetHwnd() != nullptr) SetFocus(view->GetHwnd());
}

CDocument* CFrameWindow::GetActiveDocument() const
{
    const CView* view = GetActiveView();
    return view != nullptr && view->GetDocument() != nullptr ? view->GetDocument() : document_;
}

void CFrameWindow::InitialUpdateFrame(CDocument* document, bool makeVisible)
{
    if (document != nullptr) {
        for (CView* view : std::vector<CView*>(document->GetViews()))
            if (view->GetParentFrame() == this) view->OnInitialUpdate();
    }
    if (GetActiveView() == nullptr && !views_.empty()) SetActiveView(views_.front().get(), false);
    OnUpdateFrameTitle();
    if (!makeVisible) return;
    CApplication* app = CApplication::Instance();
    int show = app != nullptr && app->GetMainWindow() == this ? app->TakeInitialShowCommand() : -1;
    if (show == -1) show = IsIconic(GetHwnd()) ? SW_RESTORE : SW_SHOW;
    ShowWindow(GetHwnd(), show);
}

void CFrameWindow::OnUpdateFrameTitle()
{
    std::wstring title = appTitle_;
    if (const CDocument* document = GetActiveDocument()) {
        const std::string& name = document->GetTitle().empty() ? CDocument::UntitledName : document->GetTitle();
        title = CodePage::toWide(name) + L" - " + appTitle_;
    }
    SetWindowTextW(GetHwnd(), title.c_str());
}

std::vector<CCmdTarget*> CFrameWindow::GetCommandChain(CView* view)
{
    CView* target = view != nullptr ? view : GetActiveView();
    std::vector<CCmdTarget*> chain;
    if (target != nullptr) chain.push_back(target);
    CDocument* document = target != nullptr && target->GetDocument() != nullptr ? target->GetDocument() : document_;
    if (document != nullptr) chain.push_back(document);
    chain.push_back(this);
    if (CApplication* app = CApplication::Instance()) chain.push_back(app);
    return chain;
}

bool CFrameWindow::RouteCommand(UINT id, CView* view)
{
    return IsCommandEnabled(id, view) && CCmdTarget::Route(GetCommandChain(view), id);
}

void CFrameWindow::UpdateMenuPopup(HMENU popup, CView* view)
{
    if (CApplication* app = CApplication::Instance()) app->UpdateRecentFileMenu(popup);
    const std::vector<CCmdTarget*> chain = GetCommandChain(view);
    const int count = GetMenuItemCount(popup);
    for (int position = 0; position < count; ++position) {
        const UINT id = GetMenuItemID(popup, position);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separator or submenu
        CCmdUI ui(id);
        CCmdTarget::RouteUpdate(chain, ui);
        const UINT item = static_cast<UINT>(position);
        EnableMenuItem(popup, item, MF_BYPOSITION | (ui.IsEnabled() ? MF_ENABLED : MF_GRAYED));
        if (const auto check = ui.GetCheck())
            CheckMenuItem(popup, item, MF_BYPOSITION | (*check ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CFrameWindow::OnIdleUpdateCmdUI()
{
    if (GetHwnd() == nullptr) return;
    if (toolBar_ != nullptr) toolBar_->UpdateButtons(GetCommandChain(nullptr));
    if (statusBar_ != nullptr) statusBar_->UpdateIndicators();
}

bool CFrameWindow::PreTranslateMessage(MSG& msg)
{
    const HWND frame = GetHwnd();
    if (accelerators_ == nullptr || frame == nullptr) return false;
    if (msg.hwnd != frame && !IsChild(frame, msg.hwnd)) return false;
    if (IsEditControl(msg.hwnd)) {
        const UINT command = AcceleratorCommand(msg);
        if (command != 0 && !IsCommandEnabled(command, nullptr)) return false;
    }
    return TranslateAcceleratorW(frame, accelerators_, &msg) != 0;
}

UINT CFrameWindow::AcceleratorCommand(const MSG& msg) const
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return 0;
    const int count = CopyAcceleratorTableW(accelerators_, nullptr, 0);
    std::vector<ACCEL> table(static_cast<size_t>(std::max(count, 0)));
    CopyAcceleratorTableW(accelerators_, table.data(), count);
    const auto held = [](int key, BYTE flag) { return GetKeyState(key) < 0 ? flag : BYTE{0}; };
    const BYTE modifiers = held(VK_CONTROL, FCONTROL) | held(VK_SHIFT, FSHIFT) | held(VK_MENU, FALT);
    for (const ACCEL& entry : table) {
        const bool sameKey = (entry.fVirt & FVIRTKEY) != 0 && entry.key == msg.wParam;
        if (sameKey && (entry.fVirt & (FCONTROL | FSHIFT | FALT)) == modifiers) return entry.cmd;
    }
    return 0;
}

bool CFrameWindow::IsCommandEnabled(UINT id, CView* view)
{
    CCmdUI ui(id);
    CCmdTarget::RouteUpdate(GetCommandChain(view), ui);
    return ui.IsEnabled();
}

HWND CFrameWindow::BarWindow(UINT barId) const
{
    if (barId == IDW_TOOLBAR && toolBar_ != nullptr) return toolBar_->GetHwnd();
    if (barId == IDW_STATUS_BAR && statusBar_ != nullptr) return statusBar_->GetHwnd();
    return nullptr;
}

bool CFrameWindow::IsToolBarWindow(HWND hwnd) const
{
    return toolBar_ != nullptr && (hwnd == toolBar_->GetHwnd() || hwnd == toolBar_->GetControl());
}

void CFrameWindow::ShowControlBar(UINT barId, bool show)
{
    const HWND bar = BarWindow(barId);
    if (bar == nullptr) return;
    ShowWindow(bar, show ? SW_SHOWNA : SW_HIDE);
    RecalcLayout();
}

bool CFrameWindow::IsControlBarVisible(UINT barId) const
{
    return hasVisibleStyle(BarWindow(barId));
}

void CFrameWindow::ToggleBar(UINT barId)
{
    ShowControlBar(barId, !IsControlBarVisible(barId));
}

void CFrameWindow::UpdateBarCommand(CCmdUI& ui) const
{
    const bool exists = BarWindow(ui.GetId()) != nullptr;
    ui.Enable(exists);
    ui.SetCheck(exists && IsControlBarVisible(ui.GetId()));
}

void CFrameWindow::DockToolBar(DockSide side)
{
    if (toolBar_ == nullptr) return;
    toolBar_->SetDockSide(side);
    RecalcLayout();
}

DockState CFrameWindow::GetDockState() const
{
    DockState state;
    if (toolBar_ != nullptr)
        state.bars.push_back({IDW_TOOLBAR, toolBar_->GetDockSide(), IsControlBarVisible(IDW_TOOLBAR)});
    if (statusBar_ != nullptr)
        state.bars.push_back({IDW_STATUS_BAR, DockSide::Bottom, IsControlBarVisible(IDW_STATUS_BAR)});
    return state;
}

bool CFrameWindow::SetDockState(const DockState& state)
{
    std::vector<int32_t> seen;
    for (const BarPlacement& bar : state.bars) {
        const bool known = BarWindow(static_cast<UINT>(bar.barId)) != nullptr;
        const bool placeable = bar.barId != IDW_STATUS_BAR || bar.side == DockSide::Bottom;
        const bool repeated = std::find(seen.begin(), seen.end(), bar.barId) != seen.end();
        if (!known || !placeable || repeated) return false;
        seen.push_back(bar.barId);
    }
    for (const BarPlacement& bar : state.bars) {
        if (bar.barId == IDW_TOOLBAR) toolBar_->SetDockSide(bar.side);
        ShowWindow(BarWindow(static_cast<UINT>(bar.barId)), bar.visible ? SW_SHOWNA : SW_HIDE);
    }
    RecalcLayout();
    return true;
}

std::vector<uint8_t> CFrameWindow::SaveBarState() const
{
    return GetDockState().ToBytes();
}

bool CFrameWindow::LoadBarState(const std::vector<uint8_t>& bytes)
{
    const std::optional<DockState> state = DockState::FromBytes(bytes);
    return state.has_value() && SetDockState(*state);
}

void CFrameWindow::RecalcLayout()
{
    if (GetHwnd() == nullptr) return;
    RECT area;
    GetClientRect(GetHwnd(), &area);
    if (statusBar_ != nullptr && IsControlBarVisible(IDW_STATUS_BAR)) {
        statusBar_->Reposition();
        area.bottom = std::max(area.top, area.bottom - statusBar_->GetHeight());
    }
    if (toolBar_ != nullptr && IsControlBarVisible(IDW_TOOLBAR)) toolBar_->Place(area);
    const HWND client = GetDlgItem(GetHwnd(), IDW_PANE_FIRST);
    if (client != nullptr)
        MoveWindow(client, area.left, area.top, std::max(0L, area.right - area.left),
                   std::max(0L, area.bottom - area.top), TRUE);
}

void CFrameWindow::SetMessageText(const std::wstring& text)
{
    if (statusBar_ != nullptr) statusBar_->SetMessageText(text);
}

void CFrameWindow::ShowIdleMessage()
{
    if (statusBar_ != nullptr) statusBar_->ShowIdleMessage();
}

void CFrameWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu)
{
    if (flags == 0xFFFF && menu == nullptr)
        ShowIdleMessage();  // the menu closed
    else if ((flags & (MF_POPUP | MF_SEPARATOR)) != 0)
        SetMessageText(std::wstring());
    else
        SetMessageText(ResourceText::Prompt(item));
}

void CFrameWindow::OnSize(UINT, int, int)
{
    RecalcLayout();
}

bool CFrameWindow::OnCommand(UINT id, UINT, HWND control)
{
    // Menus and accelerators come without a control; tool-bar buttons from the bar.
    if (control != nullptr && !IsToolBarWindow(control)) return false;
    RouteCommand(id);
    return true;
}

void CFrameWindow::OnClose()
{
    CDocument* document = GetActiveDocument();
    if (document != nullptr && !document->SaveModified()) return;
    CApplication* app = CApplication::Instance();
    if (app != nullptr && app->GetMainWindow() == this)
        app->CloseAllDocuments();
    else if (document != nullptr)
        document->OnCloseDocument();
    DestroyWindow();
}

void CFrameWindow::OnSetFocus(HWND)
{
    if (CView* view = GetActiveView()) SetFocus(view->GetHwnd());
}

void CFrameWindow::OnNcDestroy()
{
    CApplication* app = CApplication::Instance();
    if (app != nullptr && app->GetMainWindow() == this) app->OnMainWindowDestroyed();
}

bool CFrameWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_INITMENUPOPUP:
        if (HIWORD(lParam) != 0) return false;  // the system menu
        UpdateMenuPopup(reinterpret_cast<HMENU>(wParam));
        result = 0;
        return true;
    case WM_MENUSELECT:
        OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        result = 0;
        return true;
    default:
        return false;
    }
}
