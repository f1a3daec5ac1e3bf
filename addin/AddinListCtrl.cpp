#include "addin/AddinListCtrl.h"

#include "app/AppOptions.h"
#include "platform/CodePage.h"

#include <commctrl.h>

AddinListCtrl::~AddinListCtrl()
{
    if (images_ != nullptr) ImageList_Destroy(images_);
}

void AddinListCtrl::fillAddinList(HWND list, bool withCopyright)
{
    list_ = list;
    addColumnAndImages();
    int row = 0;
    for (const auto& addin : addins_) {
        std::string text = addin->displayName();
        const std::string copyright = withCopyright ? addin->copyrightText() : std::string();
        if (!copyright.empty()) text += " " + copyright;
        const std::wstring wide = CodePage::toWide(text);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = row;
        item.iImage = row;
        item.pszText = const_cast<wchar_t*>(wide.c_str());
        SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        ++row;
    }
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
}

void AddinListCtrl::addColumnAndImages()
{
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"");
    column.cx = 100;
    SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    if (addins_.empty()) return;
    // The list gets LVS_SHAREIMAGELISTS from its template, so the images stay ours.
    images_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, static_cast<int>(addins_.size()), 4);
    for (const auto& addin : addins_) ImageList_AddIcon(images_, addin->icon());
    SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
}

void AddinListCtrl::selectCurrentAddin(const AppOptions& options) const
{
    int row = 0;
    if (!options.SelectedAddin.empty()) {
        for (size_t index = 0; index < addins_.size(); ++index) {
            if (addins_[index]->displayName() == options.SelectedAddin) {
                row = static_cast<int>(index);
                break;
            }
        }
    }
    if (row >= static_cast<int>(addins_.size())) return;
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

AddinModule* AddinListCtrl::selectedAddin() const
{
    const auto row = static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return row >= 0 && row < static_cast<int>(addins_.size()) ? addins_[static_cast<size_t>(row)].get() : nullptr;
}

void AddinListCtrl::storeSelectedAddin(AppOptions& options) const
{
    const AddinModule* addin = selectedAddin();
    if (addin == nullptr) return;
    options.SelectedAddin = addin->displayName();
    options.SaveOptions();
}
