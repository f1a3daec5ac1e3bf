#pragma once
// "URLリストインポート": the pairs an import source delivered, each with a
// check box, all checked at first. "URL追加" removes the unchecked pairs
// from the caller's lists in place; cancelling leaves them alone.

#include "framework/CDialogBase.h"

#include <string>
#include <vector>

class CUrlListImportDlg : public CDialogBase {
public:
    CUrlListImportDlg();

    // The caller's parallel lists (entry i of each belongs together); not
    // owned. Only the first min(sizes) entries are shown and pruned.
    std::vector<std::string>* titles = nullptr;
    std::vector<std::string>* urls = nullptr;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    HWND list() const;
    size_t pairCount() const;
    void addColumns() const;
    void addRow(int row) const;
    bool isRowChecked(int row) const;
};
