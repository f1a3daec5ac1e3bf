#pragma once
// "検索": the items of the open book whose texts hold every word the user
// typed (FindMatcher's rules), in book order, found again at each keystroke
// from an index of the book's folded texts. The index is made once the
// dialog is on the screen, and again after each change to the book, when
// the updates of the moment are over. The dialog is modeless: it stays open
// while the user edits the book and follows the document's updates, so it
// never shows an item that has left: results of removed items go at once.
// Enter, a double click or F3 shows a result in the main window. Closing
// destroys the window; the words, the places to look and where the window
// stood stay for the next opening.

#include "framework/CDialogBase.h"
#include "framework/CDocument.h"
#include "model/FindIndex.h"

#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

class BookmarkItem;
class CMainFrame;
class CRavloDoc;

class CFindDlg final : public CDialogBase, private CDocument::UpdateListener {
public:
    CFindDlg(CRavloDoc& document, CMainFrame& frame);
    ~CFindDlg() override;

    // Opens the dialog, or brings it forward, with its words selected.
    void open();
    void close();
    // Selects the result after the selected one (the first after the last)
    // and shows it; false when the dialog is closed or has no results.
    bool showNextResult();

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnDestroy() override;
    // Enter shows the selected result, or the first.
    void OnOK() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    // F3 means the same here as in the main window.
    bool PreTranslateMessage(MSG& msg) override;

private:
    void OnDocumentUpdate(LPARAM hint, CObject* hintObject) override;

    HWND list() const;
    // Where the user last left it, else beside the owner's top right corner.
    void place() const;
    void insertColumns() const;
    bool isQueryControl(UINT id, UINT code) const;
    void search();
    void searchLater();
    void forgetRemoved(const std::vector<BookmarkItem*>& leaving);
    // Puts the results into the list, `selected` selected if it is one.
    void showResults(const BookmarkItem* selected);
    int selectedRow() const;
    BookmarkItem* selectedItem() const;
    void selectRow(int row) const;
    void showResult(int row);
    void onGetDispInfo(NMLVDISPINFOW& request) const;

    CRavloDoc& document_;
    CMainFrame& frame_;
    std::optional<FindIndex> index_;  // none from a change until it is made again
    std::vector<BookmarkItem*> results_;
    bool searchPosted_ = false;
    std::optional<POINT> lastPlace_;
    std::string words_;
    int inTitle_ = 1;
    int inUrl_ = 1;
    int inMessage_ = 1;
};
