#include "app/CRavloApp.h"

#include "addin/AddinFinder.h"
#include "app/CAboutDlg.h"
#include "app/CBackupRestoreDlg.h"
#include "app/CMainFrame.h"
#include "app/CSettingFolderDlg.h"
#include "app/LegacyIniOptions.h"
#include "app/SettingsFolderKey.h"
#include "app/ShellFolders.h"
#include "framework/CDocTemplate.h"
#include "framework/CFrameWindow.h"
#include "framework/UiServices.h"
#include "framework/resource_fw.h"
#include "model/CRavloDoc.h"
#include "platform/CodePage.h"
#include "platform/FolderListing.h"
#include "platform/PathJoin.h"
#include "res/resource.h"
#include "views/CRavloView.h"
#include "views/ItemTransfer.h"

#include <ole2.h>
#include <shlobj.h>

#include <vector>

const char* const CRavloApp::CompanyName = SettingsFolderKey::Company;

namespace {

const char* const FolderSection = SettingsFolderKey::Section;
const char* const SettingEntry = SettingsFolderKey::Entry;

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

}  // namespace

CRavloApp::CRavloApp() : itemTransfer_(std::make_unique<ItemTransfer>()), options_(std::make_unique<AppOptions>())
{
    AddCommand(ID_HELP_CONTENTS, [this] { onHelpContents(); });
    AddCommand(ID_SETTING_FOLDER, [this] { onChangeSettingsFolder(); });
    AddCommand(ID_APP_ABOUT, [this] { onAppAbout(); });
    AddCommand(ID_FILE_RESTORE_BACKUP, [this] { onRestoreBackup(); });
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
    for (auto& addin : AddinFinder::discover(PathJoin::folderOf(path), options_->settingsFolder))
        addins_.push_back(std::move(addin));
}

void CRavloApp::onRestoreBackup()
{
    CBackupRestoreDlg dialog(BookBackups(options_->settingsFolder).list());
    if (dialog.DoModal(GetMainWindow() != nullptr ? GetMainWindow()->GetHwnd() : nullptr) != IDOK) return;
    GetDocTemplate()->OpenDocumentCopy(dialog.chosenPath);
}

void CRavloApp::onAppAbout()
{
    CAboutDlg about(addins_);
    about.DoModal(GetMainWindow() != nullptr ? GetMainWindow()->GetHwnd() : nullptr);
}
