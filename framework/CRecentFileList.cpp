#include "framework/CRecentFileList.h"

#include "framework/PathName.h"
#include "framework/resource_fw.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <vector>

const char* const CRecentFileList::Section = "Recent File List";

namespace {

bool isRecentFileItem(UINT id)
{
    return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4;
}

std::wstring menuItemText(HMENU menu, int position)
{
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return text;
}

// "&1 C:\books\a.rvl": the number is the item's access key; an "&" in the
// path must show as itself.
std::wstring entryText(size_t index, const std::string& path)
{
    std::wstring text = L"&" + std::to_wstring(index + 1) + L" ";
    for (wchar_t c : CodePage::toWide(path)) {
        if (c == L'&') text += L'&';
        text += c;
    }
    return text;
}

}  // namespace

CRecentFileList::CRecentFileList(size_t capacity)
    : capacity_(std::min<size_t>(capacity, ID_FILE_MRU_FILE4 - ID_FILE_MRU_FILE1 + 1))
{
}

std::string CRecentFileList::EntryName(size_t index)
{
    return "File" + std::to_string(index + 1);
}

void CRecentFileList::Add(const std::string& path)
{
    if (path.empty() || capacity_ == 0) return;
    Remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > capacity_) entries_.resize(capacity_);
}

void CRecentFileList::Remove(const std::string& path)
{
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&path](const std::string& entry) { return PathName::Same(entry, path); }),
                   entries_.end());
}

void CRecentFileList::ReadList(const RegistryProfile& profile)
{
    entries_.clear();
    for (size_t i = 0; i < capacity_; ++i) {
        const std::string path = profile.GetString(Section, EntryName(i));
        const bool known = std::any_of(entries_.begin(), entries_.end(),
                                       [&path](const std::string& entry) { return PathName::Same(entry, path); });
        if (!path.empty() && !known) entries_.push_back(path);
    }
}

void CRecentFileList::WriteList(RegistryProfile& profile) const
{
    for (size_t i = 0; i < capacity_; ++i) {
        if (i < entries_.size())
            profile.WriteString(Section, EntryName(i), entries_[i]);
        else
            profile.DeleteEntry(Section, EntryName(i));
    }
}

void CRecentFileList::UpdateMenu(HMENU popup)
{
    int first = -1;
    for (int position = GetMenuItemCount(popup) - 1; position >= 0; --position) {
        if (!isRecentFileItem(GetMenuItemID(popup, position))) continue;
        if (placeholderText_.empty()) placeholderText_ = menuItemText(popup, position);
        DeleteMenu(popup, static_cast<UINT>(position), MF_BYPOSITION);
        first = position;
    }
    if (first < 0) return;
    if (entries_.empty()) {
        InsertMenuW(popup, static_cast<UINT>(first), MF_BYPOSITION | MF_STRING, ID_FILE_MRU_FILE1,
                    placeholderText_.c_str());
        return;
    }
    for (size_t i = 0; i < entries_.size(); ++i)
        InsertMenuW(popup, static_cast<UINT>(first) + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                    ID_FILE_MRU_FILE1 + static_cast<UINT>(i), entryText(i, entries_[i]).c_str());
}
