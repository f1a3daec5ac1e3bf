#include "import/CBookImportDlg.h"

#include "app/DebugLog.h"
#include "import/ImporterList.h"
#include "platform/CodePage.h"
#include "res/resource.h"
#include "views/CUrlListImportDlg.h"

namespace {

// File and folder dialogs move the process's current directory; an import
// leaves it where it was.
class CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper()
    {
        const DWORD length = GetCurrentDirectoryW(0, nullptr);
        folder_.resize(length);
        folder_.resize(GetCurrentDirectoryW(length, &folder_[0]));
    }
    ~CurrentDirectoryKeeper()
    {
        if (!folder_.empty()) SetCurrentDirectoryW(folder_.c_str());
    }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

private:
    std::wstring folder_;
};

}  // namespace

CBookImportDlg::CBookImportDlg() : CDialogBase(IDD_BOOK_IMPORT) {}

HWND CBookImportDlg::sourceList() const
{
    return GetItem(IDC_IMPORT_SOURCES);
}

bool CBookImportDlg::OnInitDialog()
{
    destination = hasCurrentGroup ? OpenGroup : TopGroup;
    EnableItem(IDC_IMPORT_TO_OPEN_GROUP, hasCurrentGroup);
    listAvailableImporters();
    return CDialogBase::OnInitDialog();
}

void CBookImportDlg::listAvailableImporters()
{
    allImporters_ = createImporters();
    for (const auto& importer : allImporters_) {
        if (!importer->IsAvailable()) continue;
        shownImporters_.push_back(importer.get());
        SendMessageW(sourceList(), LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(CodePage::toWide(importer->GetName()).c_str()));
    }
    if (!shownImporters_.empty()) SendMessageW(sourceList(), LB_SETCURSEL, 0, 0);
}

void CBookImportDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Radio(IDC_IMPORT_TO_OPEN_GROUP, destination);
}

bool CBookImportDlg::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_IMPORT_SOURCES && code == LBN_DBLCLK) {
        OnOK();
        return true;
    }
    return CDialogBase::OnCommand(id, code, control);
}

BookmarkImporter* CBookImportDlg::selectedImporter(int& index) const
{
    index = static_cast<int>(SendMessageW(sourceList(), LB_GETCURSEL, 0, 0));
    const bool shown = index >= 0 && static_cast<size_t>(index) < shownImporters_.size();
    return shown ? shownImporters_[static_cast<size_t>(index)] : nullptr;
}

void CBookImportDlg::OnOK()
{
    DEBUG_LOG("インポートボタンクリック");
    const CurrentDirectoryKeeper keeper;
    int index = -1;
    BookmarkImporter* importer = selectedImporter(index);
    if (importer == nullptr) return;
    DEBUG_LOG("%d番目の項目を選択", index);
    DEBUG_LOG("%sを選択", importer->GetName().c_str());
    if (!importFrom(*importer)) return;
    UpdateData(true);
    EndDialog(IDOK);
}

bool CBookImportDlg::importFrom(BookmarkImporter& importer)
{
    titles.clear();
    urls.clear();
    DEBUG_LOG("インポート関数呼出");
    if (!importer.Import(GetHwnd(), titles, urls)) return false;
    CUrlListImportDlg list;
    list.titles = &titles;
    list.urls = &urls;
    return list.DoModal(GetHwnd()) == IDOK;
}
