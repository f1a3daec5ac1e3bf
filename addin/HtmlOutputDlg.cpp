#include "addin/HtmlOutputDlg.h"

#include "addin/AddinSelectionChange.h"
#include "app/AppOptions.h"
#include "framework/UiServices.h"
#include "res/resource.h"

namespace {

constexpr int MarkBoxes[] = {IDC_ITEM_MARK1, IDC_ITEM_MARK2, IDC_ITEM_MARK3, IDC_ITEM_MARK4, IDC_ITEM_MARK5};

}  // namespace

const char* const HtmlOutputDlg::WebFileFilter = "Webファイル (*.html;*.htm)|*.html;*.htm|全てのファイル (*.*)|*.*||";

HtmlOutputDlg::HtmlOutputDlg(const AddinList& addins, AppOptions& options)
    : CDialogBase(IDD_HTML_OUTPUT), list_(addins), options_(options)
{
}

bool HtmlOutputDlg::OnInitDialog()
{
    updateButtons();
    allItems = 1;
    CDialogBase::OnInitDialog();
    for (int box : MarkBoxes) EnableWindow(GetItem(box), FALSE);
    list_.fillAddinList(GetItem(IDC_ADDIN_LIST), false);
    list_.selectCurrentAddin(options_);
    return true;
}

void HtmlOutputDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Check(IDC_HTML_ALL_ITEMS, allItems);
    dx.Text(IDC_HTML_OUTPUT_PATH, outputPath);
}

bool HtmlOutputDlg::OnCommand(UINT id, UINT code, HWND control)
{
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_HTML_ALL_ITEMS:
            onAllItemsClicked();
            return true;
        case IDC_HTML_BROWSE:
            onBrowse();
            return true;
        case IDC_ADDIN_SETTINGS:
            onSettings();
            return true;
        default:
            break;
        }
    }
    return CDialogBase::OnCommand(id, code, control);
}

bool HtmlOutputDlg::OnNotify(NMHDR& header, LRESULT& result)
{
    if (!isAddinSelectionChange(header, IDC_ADDIN_LIST)) return false;
    updateButtons();
    result = 0;
    return true;
}

void HtmlOutputDlg::updateButtons()
{
    const AddinModule* addin = list_.selectedAddin();
    EnableWindow(GetItem(IDOK), addin != nullptr && addin->canMakeHtml());
    EnableWindow(GetItem(IDC_ADDIN_SETTINGS), addin != nullptr && addin->hasSettings());
}

void HtmlOutputDlg::onAllItemsClicked()
{
    UpdateData(true);
    enableMarkBoxes();
}

void HtmlOutputDlg::enableMarkBoxes()
{
    for (int box : MarkBoxes) EnableWindow(GetItem(box), allItems == 0);
}

void HtmlOutputDlg::onBrowse()
{
    const std::string chosen = UiServices::ChooseFileToOpen(GetHwnd(), "html", WebFileFilter, OFN_OVERWRITEPROMPT);
    if (chosen.empty()) return;
    UpdateData(true);
    outputPath = chosen;
    UpdateData(false);
}

void HtmlOutputDlg::onSettings()
{
    list_.storeSelectedAddin(options_);
    if (const AddinModule* addin = list_.selectedAddin()) addin->openSettings();
}

void HtmlOutputDlg::OnOK()
{
    UpdateData(true);
    chosen = list_.selectedAddin();
    list_.storeSelectedAddin(options_);
    filter.all = allItems != 0;
    for (int index = 0; index < MarkFilter::MarkCount; ++index)
        filter.mark[index] = IsDlgButtonChecked(GetHwnd(), MarkBoxes[index]) == BST_CHECKED;
    EndDialog(IDOK);
}
