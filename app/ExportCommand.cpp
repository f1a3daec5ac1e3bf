#include "app/ExportCommand.h"

#include "framework/CApplication.h"
#include "framework/CWaitCursor.h"
#include "framework/FileErrorMessage.h"
#include "framework/ResourceText.h"
#include "framework/UiServices.h"
#include "model/BookExport.h"
#include "model/CRavloDoc.h"
#include "platform/PathJoin.h"
#include "res/resource.h"

#include <string>
#include <vector>

namespace {

const char* const Filter = "ブックマーク ファイル (*.html)|*.html|全てのファイル (*.*)|*.*||";

// The save form of the file dialog; the chosen path, empty when cancelled.
std::string chooseExportFile(HWND owner, const std::string& name)
{
    FileDialogRequest request;
    request.open = false;
    request.filter = Filter;
    request.defaultExtension = "html";
    request.fileName = name + ".html";
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    const std::vector<std::string> chosen = UiServices::Current().ChooseFiles(owner, request);
    return chosen.empty() ? std::string() : chosen.front();
}

void tell(UINT textId, const std::string& path, UINT icon)
{
    const std::string pattern = ResourceText::Load932(textId);
    CApplication::ShowMessage(FileErrorMessage::Substitute(pattern.c_str(), path, "%s"), MB_OK | icon);
}

}  // namespace

void ExportCommand::run(const CRavloDoc& document, HWND owner)
{
    // An untitled book has the default title, which names its export too.
    const std::string name = PathJoin::baseNameOf(document.GetTitle());
    const std::string path = chooseExportFile(owner, name);
    if (path.empty()) return;
    bool written = false;
    {
        CWaitCursor wait;
        written = BookExport::write(*document.rootItem(), name, path);
    }
    if (written)
        tell(IDS_EXPORT_DONE, path, MB_ICONINFORMATION);
    else
        tell(IDS_EXPORT_FAILED, path, MB_ICONEXCLAMATION);
}
