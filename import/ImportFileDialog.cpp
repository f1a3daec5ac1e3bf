#include "import/ImportFileDialog.h"

#include "framework/UiServices.h"

namespace {

FileDialogRequest openRequest(const std::string& defaultExtension, const std::string& filter,
                              const std::string& initialFolder, DWORD flags)
{
    FileDialogRequest request;
    request.open = true;
    request.defaultExtension = defaultExtension;
    request.filter = filter;
    request.initialFolder = initialFolder;
    request.flags = OFN_HIDEREADONLY | flags;
    return request;
}

}  // namespace

std::string ImportFileDialog::ChooseOne(HWND owner, const std::string& defaultExtension, const std::string& fileName,
                                        const std::string& filter, const std::string& initialFolder)
{
    FileDialogRequest request = openRequest(defaultExtension, filter, initialFolder, 0);
    request.fileName = fileName;
    const std::vector<std::string> chosen = UiServices::Current().ChooseFiles(owner, request);
    return chosen.empty() ? std::string() : chosen.front();
}

std::vector<std::string> ImportFileDialog::ChooseMany(HWND owner, const std::string& defaultExtension,
                                                      const std::string& filter, const std::string& initialFolder)
{
    return UiServices::Current().ChooseFiles(owner,
                                             openRequest(defaultExtension, filter, initialFolder, OFN_ALLOWMULTISELECT));
}
