#pragma once
// "ブックマークインポート": lists the import sources present on this machine;
// the chosen one delivers (title, URL) pairs, the URL list dialog lets the
// user drop some of them, and the dialog closes with the rest and the
// chosen destination. It stays open when a source or that list is cancelled.

#include "framework/CDialogBase.h"
#include "import/BookmarkImporter.h"

#include <memory>
#include <string>
#include <vector>

class CBookImportDlg : public CDialogBase {
public:
    enum Destination { OpenGroup = 0, TopGroup = 1 };

    CBookImportDlg();

    // Set before the dialog runs: a group is open in the item list.
    bool hasCurrentGroup = false;
    // The pairs to add after IDOK; titles[i] belongs to urls[i].
    std::vector<std::string> titles;
    std::vector<std::string> urls;
    // The radio group: 0 the open group, 1 the top group.
    int destination = OpenGroup;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    // "インポート": runs the selected source.
    void OnOK() override;

private:
    HWND sourceList() const;
    void listAvailableImporters();
    // The shown importer selected in the list, null when none is.
    BookmarkImporter* selectedImporter(int& index) const;
    // Runs `importer` and lets the user check its pairs; true when the
    // user confirmed them.
    bool importFrom(BookmarkImporter& importer);

    std::vector<std::unique_ptr<BookmarkImporter>> allImporters_;
    std::vector<BookmarkImporter*> shownImporters_;  // in list order; owned by allImporters_
};
