#include "import/TreeImportCommand.h"

#include "framework/CApplication.h"
#include "framework/CWaitCursor.h"
#include "framework/PathName.h"
#include "framework/UiServices.h"
#include "import/ImportFile.h"
#include "model/CRavloDoc.h"
#include "model/TodayText.h"

#include <cstdio>

namespace {

const char* const Filter = "ブックマークファイル (*.htm;*.html)|*.htm;*.html|全てのファイル (*.*)|*.*||";

}  // namespace

void TreeImportCommand::run(CRavloDoc& document, HWND owner)
{
    const std::string path = UiServices::ChooseFileToOpen(owner, "html", Filter, OFN_FILEMUSTEXIST);
    TreeImport imported;
    if (path.empty() || !readFile(owner, path, imported)) return;
    {
        CWaitCursor wait;
        document.editor().appendItems(*document.rootItem(), {imported.group});
    }
    CApplication::ShowMessage(summary(imported), MB_OK | MB_ICONINFORMATION);
}

bool TreeImportCommand::readFile(HWND owner, const std::string& path, TreeImport& imported)
{
    std::string bytes;
    if (!ImportFile::Read(owner, path, bytes)) return false;
    CWaitCursor wait;
    imported = NetscapeTreeReader::read(bytes, PathName::FileName(path), todayText());
    return true;
}

std::string TreeImportCommand::summary(const TreeImport& imported)
{
    char text[128];
    std::snprintf(text, sizeof text, "%d 個のフォルダと %d 個のリンクをインポートしました。",
                  static_cast<int>(imported.folders), static_cast<int>(imported.links));
    return text;
}
