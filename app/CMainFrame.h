#pragma once
// The main window: menu, tool bar, status bar, the group tree on the left and
// the item list on the right. It restores and records its own placement and
// the tool bar's docking through the options, and shows the program's icon
// in the notification area, hiding there when minimised if the user wants.

#include "app/CTrayIcon.h"
#include "framework/CFrameWindow.h"
#include "framework/CSplitter.h"
#include "framework/CStatusBar.h"
#include "framework/CToolBar.h"

#include <memory>

struct AppOptions;
class BookmarkItem;
class CFindDlg;
class CRavloView;
class CSTreeBookView;

class CMainFrame : public CFrameWindow {
public:
    // `options` is the application's record; it outlives the frame.
    explicit CMainFrame(AppOptions& options);
    ~CMainFrame() override;

    CSTreeBookView* treeView() const;
    CRavloView* listView() const;
    // The id of the notification-area icon; 0 while none is shown.
    int trayIconId() const { return trayIconId_; }
    // The find dialog once it was opened (it may be closed again), else null.
    CFindDlg* findDialog() const { return findDialog_.get(); }

    // Selects `item` where the user sees it: a group in the tree, anything
    // else in the list of its group; then brings the window forward with
    // that pane focused.
    void showItem(BookmarkItem& item);

    // Adds or removes the notification-area icon as the options say.
    void UpdateTrayIcon();
    // Hides a minimised window when it lives in the notification area, and
    // brings a hidden one back as minimised when it no longer may.
    void ApplyTrayMinimize();

protected:
    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    bool OnCreateClient(CREATESTRUCTW& cs, CCreateContext& context) override;
    bool OnCreate(CREATESTRUCTW& cs) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnDestroy() override;

private:
    // Restores the window on a double-click on its icon; a right click
    // opens the icon's menu.
    class TrayIcon : public CTrayIcon {
    public:
        explicit TrayIcon(CMainFrame& frame) : frame_(frame) {}

    protected:
        void OnTrayNotify(UINT id, UINT mouseMessage) override;

    private:
        CMainFrame& frame_;
    };

    bool hidesToTray() const;
    bool createBars();
    void restoreDockState();
    void saveGeometry();
    void onOptionsUpdated();
    void onWindowRestore();
    // "検索(&F)..." opens the find dialog or brings it forward; "次を
    // 検索(&N)" shows its next result, opening it while it has none.
    void onFind();
    void onFindNext();
    // "ウィンドウを表示(&S)" and "終了(&X)" at the pointer; the chosen command
    // comes to this window.
    void showTrayMenu();

    AppOptions& options_;
    TrayIcon trayIcon_;
    CStatusBar statusBar_;
    CToolBar toolBar_;
    CSplitter splitter_;
    int trayIconId_ = 0;
    std::unique_ptr<CFindDlg> findDialog_;
};
