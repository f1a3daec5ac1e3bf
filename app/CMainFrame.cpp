#include "app/CMainFrame.h"

#include "app/AppOptions.h"
#include "app/CFindDlg.h"
#include "app/HexText.h"
#include "app/MonitorWorkAreas.h"
#include "framework/ResourceText.h"
#include "framework/resource_fw.h"
#include "model/CRavloDoc.h"
#include "model/UpdateHint.h"
#include "res/resource.h"
#include "views/CRavloView.h"
#include "views/CSTreeBookView.h"

#include <memory>

namespace {

constexpr SIZE DefaultTreeSize = {200, 100};
constexpr SIZE ListSize = {100, 100};

}  // namespace

void CMainFrame::TrayIcon::OnTrayNotify(UINT, UINT mouseMessage)
{
    if (mouseMessage == WM_LBUTTONDBLCLK)
        SendMessageW(frame_.GetHwnd(), WM_COMMAND, ID_WINDOW_RESTORE, 0);
    else if (mouseMessage == WM_RBUTTONUP)
        frame_.showTrayMenu();
}

CMainFrame::CMainFrame(AppOptions& options) : options_(options), trayIcon_(*this)
{
    AddCommand(ID_OPTIONS_UPDATED, [this] { onOptionsUpdated(); });
    AddCommand(ID_WINDOW_RESTORE, [this] { onWindowRestore(); });
    AddCommand(ID_EDIT_FIND, [this] { onFind(); });
    AddCommand(ID_EDIT_FIND_NEXT, [this] { onFindNext(); });
}

CMainFrame::~CMainFrame() = default;

CSTreeBookView* CMainFrame::treeView() const
{
    return static_cast<CSTreeBookView*>(splitter_.GetPane(0, 0));
}

CRavloView* CMainFrame::listView() const
{
    return static_cast<CRavloView*>(splitter_.GetPane(0, 1));
}

bool CMainFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    const WindowInfo& info = options_.windowInfo;
    if (info.complete == 1) {
        // Saved on a monitor that is gone, the window comes back onto one.
        const ScreenRect placed =
            WindowPlacement::onScreen({info.Left, info.Top, info.Right, info.Bottom}, MonitorWorkAreas::list());
        cs.x = static_cast<int>(placed.left);
        cs.y = static_cast<int>(placed.top);
        cs.cx = static_cast<int>(placed.right - placed.left);
        cs.cy = static_cast<int>(placed.bottom - placed.top);
    }
    return CFrameWindow::PreCreateWindow(cs);
}

bool CMainFrame::OnCreateClient(CREATESTRUCTW&, CCreateContext&)
{
    const WindowInfo& info = options_.windowInfo;
    const SIZE treeSize = info.complete == 1 ? SIZE{info.treeWidth, info.treeHeight} : DefaultTreeSize;
    return splitter_.CreateStatic(*this) &&
           splitter_.CreateView(0, 0, std::make_unique<CSTreeBookView>(), treeSize) != nullptr &&
           splitter_.CreateView(0, 1, std::make_unique<CRavloView>(), ListSize) != nullptr;
}

bool CMainFrame::OnCreate(CREATESTRUCTW& cs)
{
    if (!CFrameWindow::OnCreate(cs) || !createBars()) return false;
    DockToolBar(DockSide::Top);
    UpdateTrayIcon();
    if (options_.windowInfo.complete == 1) restoreDockState();
    return true;
}

bool CMainFrame::createBars()
{
    return toolBar_.Create(*this, IDR_MAINFRAME) && statusBar_.Create(*this);
}

void CMainFrame::restoreDockState()
{
    // A state the bars cannot take (empty, hand-edited) keeps the default docking.
    LoadBarState(HexText::decode(options_.windowInfo.DockState));
}

void CMainFrame::OnSize(UINT type, int cx, int cy)
{
    CFrameWindow::OnSize(type, cx, cy);
    if (type == SIZE_MINIMIZED) ApplyTrayMinimize();
}

void CMainFrame::OnDestroy()
{
    // The dialog stops following the document before the frame goes.
    if (findDialog_ != nullptr) findDialog_->close();
    saveGeometry();
    CFrameWindow::OnDestroy();
}

void CMainFrame::saveGeometry()
{
    WindowInfo& info = options_.windowInfo;
    if (const CView* tree = splitter_.GetPane(0, 0); tree != nullptr && tree->GetHwnd() != nullptr) {
        RECT pane;
        GetWindowRect(tree->GetHwnd(), &pane);
        info.treeWidth = pane.right - pane.left;
        info.treeHeight = pane.bottom - pane.top;
    }
    RECT frame;
    GetWindowRect(GetHwnd(), &frame);
    info.Left = frame.left;
    info.Top = frame.top;
    info.Right = frame.right;
    info.Bottom = frame.bottom;
    info.DockState = HexText::encode(SaveBarState());
}

bool CMainFrame::hidesToTray() const
{
    return options_.windowInfo.TaskTray != 0 && options_.windowInfo.MinimumIcon != 0;
}

void CMainFrame::UpdateTrayIcon()
{
    if (options_.windowInfo.TaskTray == 1 && trayIconId_ == 0) {
        const auto icon = static_cast<HICON>(LoadImageW(ResourceText::Instance(), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                        IMAGE_ICON, 16, 16, LR_SHARED));
        trayIconId_ = trayIcon_.AddIcon(icon);
    } else if (options_.windowInfo.TaskTray == 0 && trayIconId_ != 0) {
        trayIcon_.RemoveIcon(trayIconId_);
        trayIconId_ = 0;
    }
}

void CMainFrame::ApplyTrayMinimize()
{
    const HWND hwnd = GetHwnd();
    if (IsIconic(hwnd) && hidesToTray())
        ShowWindow(hwnd, SW_HIDE);
    else if (!IsWindowVisible(hwnd) && !hidesToTray())
        ShowWindow(hwnd, SW_SHOWMINIMIZED);
}

void CMainFrame::onOptionsUpdated()
{
    UpdateTrayIcon();
    ApplyTrayMinimize();
}

void CMainFrame::showTrayMenu()
{
    const HMENU menu = LoadMenuW(ResourceText::Instance(), MAKEINTRESOURCEW(IDR_TRAY_MENU));
    if (menu == nullptr) return;
    const HMENU popup = GetSubMenu(menu, 0);
    SetMenuDefaultItem(popup, 0, TRUE);
    POINT pointer{};
    GetCursorPos(&pointer);
    // Only a menu of the foreground window closes when the user clicks
    // elsewhere; the posted message lets the shell see the menu end.
    SetForegroundWindow(GetHwnd());
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, pointer.x, pointer.y, 0, GetHwnd(), nullptr);
    PostMessageW(GetHwnd(), WM_NULL, 0, 0);
    DestroyMenu(menu);
}

void CMainFrame::onWindowRestore()
{
    const HWND hwnd = GetHwnd();
    if (IsIconic(hwnd) || !IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
}

void CMainFrame::onFind()
{
    auto* document = dynamic_cast<CRavloDoc*>(GetActiveDocument());
    if (document == nullptr) return;
    if (findDialog_ == nullptr) findDialog_ = std::make_unique<CFindDlg>(*document, *this);
    findDialog_->open();
}

void CMainFrame::onFindNext()
{
    if (findDialog_ != nullptr && findDialog_->showNextResult()) return;
    onFind();
}

void CMainFrame::showItem(BookmarkItem& item)
{
    CDocument* document = GetActiveDocument();
    if (document == nullptr) return;
    UpdateHint hint;
    const bool group = item.isGroup();
    hint.group = group ? &item : item.parent;
    if (!group) {
        hint.items = {&item};
        hint.select = true;
    }
    document->UpdateAllViews(nullptr, HintOpenGroup, &hint);
    onWindowRestore();
    CView* pane = group ? static_cast<CView*>(treeView()) : static_cast<CView*>(listView());
    SetActiveView(pane, true);
}
