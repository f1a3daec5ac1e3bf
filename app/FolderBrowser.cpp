#include "app/FolderBrowser.h"

#include "app/ShellFolders.h"
#include "framework/UiServices.h"

FolderBrowser::Result FolderBrowser::Browse(HWND owner, const std::string& title, const std::string& initialFolder,
                                            std::string& chosen)
{
    std::string folder;
    if (!UiServices::Current().BrowseForFolder(owner, title, initialFolder, folder) || folder.empty())
        return Cancelled;
    chosen = folder;
    return Chosen;
}

FolderBrowser::Result FolderBrowser::BrowseFromSpecialFolder(HWND owner, const std::string& title, int csidl,
                                                             std::string& chosen)
{
    std::string initialFolder;
    GetSpecialFolderPath(owner, csidl, initialFolder);
    return Browse(owner, title, initialFolder, chosen);
}
