#pragma once
// "重複URLの検索": every item whose URL another item of the book holds too,
// one row each with its title, URL, group path and date, the items of one URL
// together. The copies after the first of each URL start checked. "削除"
// asks first, then hands the checked items back; the book changes only
// after the dialog has gone. The list holds no rows of its own (owner data),
// so a book with thousands of copies shows at once; the check boxes are kept
// here for the same reason.

#include "framework/CDialogBase.h"
#include "model/DuplicateFinder.h"

#include <commctrl.h>

#include <vector>

class BookEditor;
class BookmarkItem;

class CDuplicatesDlg : public CDialogBase {
public:
    // The command: tells the user when `root` holds no URL twice; else shows
    // the dialog and removes what the user chose through `editor`.
    static void run(const BookmarkItem& root, BookEditor& editor, HWND owner);

    explicit CDuplicatesDlg(const std::vector<DuplicateUrl>& duplicates);

    // The checked items, after "削除" was confirmed.
    std::vector<BookmarkItem*> chosen;

protected:
    bool OnInitDialog() override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnOK() override;

private:
    struct Row {
        BookmarkItem* item;
        bool checked;
    };

    HWND list() const;
    void addColumns() const;
    void onGetDispInfo(NMLVDISPINFOW& request) const;
    void onClick(const NMITEMACTIVATE& click);
    void onKeyDown(const NMLVKEYDOWN& key);
    // Sets the check box of `row` and shows it.
    void check(int row, bool checked);
    // 削除 takes only checked items.
    void enableRemoval() const;
    std::vector<BookmarkItem*> checkedItems() const;
    bool confirmRemoval(size_t count) const;

    std::vector<Row> rows_;
    size_t checkedCount_ = 0;
};
