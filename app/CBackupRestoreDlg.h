#pragma once
// "バックアップから復元": the backups of books, newest first, with the book,
// the time, the size and the item count of each. OK (or a double click)
// takes the selected one; without backups there is nothing to take.

#include "app/BookBackups.h"
#include "framework/CDialogBase.h"

#include <string>
#include <vector>

class CBackupRestoreDlg : public CDialogBase {
public:
    explicit CBackupRestoreDlg(std::vector<BackupEntry> backups);

    // The backup chosen with OK.
    std::string chosenPath;

protected:
    bool OnInitDialog() override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnOK() override;

private:
    HWND list() const;
    void addRow(int row, const BackupEntry& backup) const;

    std::vector<BackupEntry> backups_;
};
