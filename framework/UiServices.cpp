#include "framework/UiServices.h"

#include "platform/CodePage.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

namespace {

// The common dialog takes "name\0pattern\0...\0\0"; the program writes "|"
// as the separator. Replaced after the conversion: in code page 932 a "|"
// byte can be the second half of a double-byte character.
std::wstring dialogFilter(const std::string& filter)
{
    std::wstring wide = CodePage::toWide(filter);
    for (wchar_t& c : wide)
        if (c == L'|') c = L'\0';
    wide.push_back(L'\0');
    wide.push_back(L'\0');
    return wide;
}

const wchar_t* orNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// A multi-select result is "folder\0name\0name\0\0"; a single choice is one path.
std::vector<std::string> chosenPaths(const std::vector<wchar_t>& buffer)
{
    std::vector<std::wstring> parts;
    for (const wchar_t* p = buffer.data(); *p != L'\0'; p += parts.back().size() + 1)
        parts.emplace_back(p);
    std::vector<std::string> paths;
    if (parts.empty()) return paths;
    if (parts.size() == 1) {
        paths.push_back(CodePage::fromWide(parts.front()));
        return paths;
    }
    std::wstring folder = parts.front();
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    for (size_t i = 1; i < parts.size(); ++i)
        paths.push_back(CodePage::fromWide(folder + parts[i]));
    return paths;
}

int CALLBACK selectInitialFolder(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data != 0)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

class SystemUiServices : public UiServices {
public:
    int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT type) override
    {
        return MessageBoxW(owner, CodePage::toWide(text).c_str(), CodePage::toWide(caption).c_str(), type);
    }

    std::vector<std::string> ChooseFiles(HWND owner, const FileDialogRequest& request) override
    {
        const std::wstring filter = dialogFilter(request.filter);
        const std::wstring title = CodePage::toWide(request.title);
        const std::wstring extension = CodePage::toWide(request.defaultExtension);
        const std::wstring folder = CodePage::toWide(request.initialFolder);
        std::vector<wchar_t> buffer(32768, L'\0');
        const std::wstring initial = CodePage::toWide(request.fileName).substr(0, buffer.size() - 1);
        std::copy(initial.begin(), initial.end(), buffer.begin());

        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = buffer.data();
        ofn.nMaxFile = static_cast<DWORD>(buffer.size());
        ofn.lpstrInitialDir = orNull(folder);
        ofn.lpstrTitle = orNull(title);
        ofn.lpstrDefExt = orNull(extension);
        ofn.Flags = request.flags | OFN_EXPLORER;
        const BOOL chosen = request.open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn);
        if (!chosen) return {};
        return chosenPaths(buffer);
    }

    bool BrowseForFolder(HWND owner, const std::string& title, const std::string& initialFolder,
                         std::string& chosen) override
    {
        const std::wstring wideTitle = CodePage::toWide(title);
        const std::wstring initial = CodePage::toWide(initialFolder);
        BROWSEINFOW info{};
        info.hwndOwner = owner;
        info.lpszTitle = wideTitle.c_str();
        info.ulFlags = BIF_RETURNONLYFSDIRS;
        info.lpfn = selectInitialFolder;
        info.lParam = initial.empty() ? 0 : reinterpret_cast<LPARAM>(initial.c_str());
        PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
        if (item == nullptr) return false;
        wchar_t path[MAX_PATH] = {};
        const bool isFolder = SHGetPathFromIDListW(item, path) != FALSE;
        CoTaskMemFree(item);
        if (isFolder) chosen = CodePage::fromWide(path);
        return isFolder;
    }

    bool OpenWithShell(HWND owner, const std::string& verb, const std::string& file,
                       const std::string& directory) override
    {
        const std::wstring wideVerb = CodePage::toWide(verb);
        const std::wstring wideFile = CodePage::toWide(file);
        const std::wstring wideDirectory = CodePage::toWide(directory);
        const HINSTANCE result = ShellExecuteW(owner, orNull(wideVerb), wideFile.c_str(), nullptr,
                                               orNull(wideDirectory), SW_SHOWNORMAL);
        return reinterpret_cast<INT_PTR>(result) > 32;
    }
};

SystemUiServices systemServices;
UiServices* installed = nullptr;

}  // namespace

UiServices& UiServices::Current()
{
    return installed != nullptr ? *installed : systemServices;
}

UiServices* UiServices::Install(UiServices* services)
{
    UiServices* previous = installed;
    installed = services;
    return previous;
}

std::string UiServices::ChooseFileToOpen(HWND owner, const std::string& defaultExtension, const std::string& filter,
                                         DWORD flags)
{
    FileDialogRequest request;
    request.open = true;
    request.defaultExtension = defaultExtension;
    request.filter = filter;
    request.flags = OFN_HIDEREADONLY | flags;
    const std::vector<std::string> chosen = Current().ChooseFiles(owner, request);
    return chosen.empty() ? std::string() : chosen.front();
}
