#include "app/CRavloApp.h"

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CSettingFolderDlg.h"
#include "app/LegacyIniOptions.h"
#include "app/ShellFolders.h"
#include "framework/CDocTemplate.h"
#include "framework/CFrameWindow.h"
#include "framework/UiServices.h"
#include "framework/resource_fw.h"
#include "model/CRavloDoc.h"
#include "platform/CodePage.h"
#include "platform/PathJoin.h"
#include "res/resource.h"
#include "views/CRavloView.h"
#include "views/ItemTransfer.h"

#include <ole2.h>
#include <shlobj.h>

#include <vector>

const char* const CRavloApp::CompanyName = "Tanvex";

namespace {

const char* const FolderSection = "Folder";
const char* const SettingEntry = "Setting";

std::string programPath()
{
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    return CodePage::fromWide(program);
}

std::string programFolder()
{
    return PathJoin::folderOf(programPath());
}

bool hasDllExtension(const std::string& name)
{
    if (name.size() < 4) return false;
    std::string extension = name.substr(name.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".dll";
}

// The files (not folders) that match `pattern`, in the order the file system gives them.
std::vector<std::string> filesMatching(const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(CodePage::toWide(pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(CodePage::fromWide(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

}  // namespace

CRavloApp::CRavloApp() : itemTransfer_(std::make_unique<ItemTransfer>()), options_(std::make_unique<AppOptions>())
{
    AddCommand(ID_HELP_CONTENTS, [this] { onHelpContents(); });
    AddCommand(ID_SETTING_FOLDER, [this] { onChangeSettingsFolder(); });
    AddCommand(ID_APP_ABOUT, [this] { onAppAbout(); });
}

CRavloApp::~CRavloApp()
{
    // The document and the frame keep pointers to the options and the
    // add-ins: they go first. Then the add-ins, in the order they were found.
    RemoveDocTemplate();
    for (auto& addin : addins_) addin.reset();
    if (oleInitialized_) OleUninitialize();
}

CRavloApp* CRavloApp::Current()
{
    return dynamic_cast<CRavloApp*>(CApplication::Instance());
}

CCommandLineInfo CRavloApp::commandLine() const
{
    return ParseCommandLine();
}

std::string CRavloApp::storedSettingsFolder() const
{
    return GetProfileString(FolderSection, SettingEntry);
}

bool CRavloApp::InitInstance()
{
    SetRegistryKey(CompanyName);
    if (!determineSettingsFolder()) return false;
    LoadStdProfileSettings(4);
    oleInitialized_ = SUCCEEDED(OleInitialize(nullptr));
    itemTransfer_->registerFormats();
    const LegacyIniOptions legacy(LegacyIniOptions::besideProgram());
    options_->LoadOptions(&legacy);
    if (options_->windowInfo.MinimizedStart != 0) SetInitialShowCommand(SW_HIDE);
    discoverAddins(programPath());
    registerDocTemplate();

    const CCommandLineInfo info = commandLine();
    openStartupBook(info);
    if (GetMainWindow() == nullptr) ProcessShellCommand(info);
    // A named book that could not be opened has told why: a new book follows.
    if (GetMainWindow() == nullptr && !ProcessShellCommand(CCommandLineInfo())) return false;
    showMainWindow();
    return true;
}

bool CRavloApp::determineSettingsFolder()
{
    std::string folder = storedSettingsFolder();
    if (folder.empty()) {
        if (!askForSettingsFolder(folder)) return false;
        WriteProfileString(FolderSection, SettingEntry, folder);
    }
    // A folder that cannot be made shows itself later, when its files fail.
    CreateDirectoryPath(folder);
    options_->settingsFolder = folder;
    return true;
}

bool CRavloApp::askForSettingsFolder(std::string& folder)
{
    CSettingFolderDlg dialog;
    GetSpecialFolderPath(nullptr, CSIDL_PERSONAL, dialog.baseFolder);
    dialog.subPath = std::string(CompanyName) + "\\" + GetAppName();
    if (dialog.DoModal(nullptr) != IDOK) return false;
    folder = dialog.folder;
    return true;
}

void CRavloApp::registerDocTemplate()
{
    AppOptions* options = options_.get();
    const ItemTransfer* transfer = itemTransfer_.get();
    const AddinList* addins = &addins_;
    AddDocTemplate(std::make_unique<CDocTemplate>(
        IDR_MAINFRAME,
        [options, transfer, addins] {
            auto document = std::make_unique<CRavloDoc>();
            document->setOptions(options);
            document->setItemTransfer(transfer);
            document->setAddins(addins);
            return document;
        },
        [options] { return std::make_unique<CMainFrame>(*options); },
        [] { return std::make_unique<CRavloView>(); }));
}

void CRavloApp::openStartupBook(const CCommandLineInfo& info)
{
    if (info.shellCommand != CCommandLineInfo::ShellCommand::FileNew) return;
    if (options_->FirstOpen == 1)
        OpenDocumentFile(options_->FirstFile);
    else if (options_->FirstOpen == 2 && !options_->LastFile.empty())
        OpenDocumentFile(options_->LastFile);
}

void CRavloApp::showMainWindow()
{
    const HWND frame = GetMainWindow()->GetHwnd();
    ShowWindow(frame, options_->windowInfo.MinimizedStart != 0 ? SW_SHOWMINIMIZED : SW_SHOW);
    UpdateWindow(frame);
}

int CRavloApp::ExitInstance()
{
    if (options_->loaded != 0) options_->SaveOptions();
    return CApplication::ExitInstance();
}

void CRavloApp::onHelpContents()
{
    const std::string folder = programFolder();
    UiServices::Current().OpenWithShell(nullptr, std::string(), PathJoin::join(folder, "Ravlo.chm"), folder);
}

void CRavloApp::onChangeSettingsFolder()
{
    const HWND frame = GetMainWindow() != nullptr ? GetMainWindow()->GetHwnd() : nullptr;
    const int answer = UiServices::Current().ShowMessage(
        frame, "設定保存フォルダを変更するため、終了します。\n再起動して設定保存フォルダを設定して下さい。",
        "設定保存フォルダの変更", MB_OKCANCEL);
    if (answer != IDOK) return;
    DeleteProfileEntry(FolderSection, SettingEntry);
    if (frame != nullptr) SendMessageW(frame, WM_CLOSE, 0, 0);
}

void CRavloApp::discoverAddins(const std::string& path)
{
    const std::string folder = PathJoin::folderOf(path);
    for (const std::string& name : filesMatching(PathJoin::join(folder, "*", "dll"))) {
        // The search also matches short names such as X.DLL~1: check the extension.
        if (!hasDllExtension(name)) continue;
        auto addin = std::make_unique<AddinModule>();
        if (addin->load(PathJoin::join(folder, name)) && addin->initialize(options_->settingsFolder))
            addins_.push_back(std::move(addin));
    }
}

void CRavloApp::onAppAbout()
{
    CAboutDlg about(addins_);
    about.DoModal(GetMainWindow() != nullptr ? GetMainWindow()->GetHwnd() : nullptr);
}
