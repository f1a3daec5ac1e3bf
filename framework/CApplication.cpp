#include "framework/CApplication.h"

#include "framework/CDialogBase.h"
#include "framework/CDocTemplate.h"
#include "framework/CDocument.h"
#include "framework/CFrameWindow.h"
#include "framework/PathName.h"
#include "framework/ResourceText.h"
#include "framework/UiServices.h"
#include "framework/resource_fw.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <utility>

namespace {

CApplication* current = nullptr;

constexpr UINT WM_SYSTIMER = 0x0118;  // the caret's blink: no reason for an idle update

std::string programName()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return CodePage::fromWide(name.substr(0, name.rfind(L'.')));
}

}  // namespace

CApplication::CApplication() : appName_(ResourceText::Load932(IDS_APP_TITLE))
{
    if (appName_.empty()) appName_ = programName();
    current = this;
    AddCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    AddCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    AddCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, [this](UINT id) { OpenRecentFile(id); });
    AddUpdateRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE4, [this](CCmdUI& ui) { UpdateRecentFileCommand(ui); });
    AddCommand(ID_APP_EXIT, [this] { CloseMainWindow(); });
}

CApplication::~CApplication()
{
    // The frame and the document go first: they still talk to the application.
    RemoveDocTemplate();
    if (current == this) current = nullptr;
}

CApplication* CApplication::Instance()
{
    return current;
}

int CApplication::ShowMessage(const std::string& text, UINT type)
{
    const CApplication* app = current;
    const HWND owner = app != nullptr && app->mainWindow_ != nullptr ? app->mainWindow_->GetHwnd() : nullptr;
    const std::string caption = app != nullptr ? app->appName_ : std::string();
    return UiServices::Current().ShowMessage(owner, text, caption, type);
}

int CApplication::Main(int showCommand)
{
    initialShow_ = showCommand;
    if (InitInstance()) Run();
    return ExitInstance();
}

bool CApplication::InitInstance()
{
    return true;
}

int CApplication::ExitInstance()
{
    if (recentFiles_ != nullptr && profile_ != nullptr) recentFiles_->WriteList(*profile_);
    return exitCode_;
}

int CApplication::Run()
{
    loopRunning_ = true;
    MSG msg{};
    bool idle = true;
    for (;;) {
        if (idle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            OnIdle();
            idle = false;
        }
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            exitCode_ = got == 0 ? static_cast<int>(msg.wParam) : -1;
            break;
        }
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (msg.message != WM_PAINT && msg.message != WM_SYSTIMER) idle = true;
    }
    loopRunning_ = false;
    return exitCode_;
}

void CApplication::OnIdle()
{
    if (mainWindow_ != nullptr) mainWindow_->OnIdleUpdateCmdUI();
}

bool CApplication::PreTranslateMessage(MSG& msg)
{
    return (mainWindow_ != nullptr && mainWindow_->PreTranslateMessage(msg)) ||
           CDialogBase::TranslateModelessMessage(msg);
}

void CApplication::SetRegistryKey(const std::string& company)
{
    profile_ = std::make_unique<RegistryProfile>("Software\\" + company + "\\" + appName_);
}

std::string CApplication::GetProfileString(const std::string& section, const std::string& entry,
                                           const std::string& defaultValue) const
{
    return profile_ != nullptr ? profile_->GetString(section, entry, defaultValue) : defaultValue;
}

bool CApplication::WriteProfileString(const std::string& section, const std::string& entry, const std::string& value)
{
    return profile_ != nullptr && profile_->WriteString(section, entry, value);
}

int CApplication::GetProfileInt(const std::string& section, const std::string& entry, int defaultValue) const
{
    return profile_ != nullptr ? profile_->GetInt(section, entry, defaultValue) : defaultValue;
}

bool CApplication::DeleteProfileEntry(const std::string& section, const std::string& entry)
{
    return profile_ != nullptr && profile_->DeleteEntry(section, entry);
}

void CApplication::LoadStdProfileSettings(size_t count)
{
    recentFiles_ = std::make_unique<CRecentFileList>(count);
    if (profile_ != nullptr) recentFiles_->ReadList(*profile_);
}

void CApplication::AddToRecentFileList(const std::string& path)
{
    if (recentFiles_ != nullptr) recentFiles_->Add(path);
}

void CApplication::UpdateRecentFileMenu(HMENU popup)
{
    if (recentFiles_ != nullptr) recentFiles_->UpdateMenu(popup);
}

void CApplication::UpdateRecentFileCommand(CCmdUI& ui) const
{
    const size_t index = ui.GetId() - ID_FILE_MRU_FILE1;
    ui.Enable(recentFiles_ != nullptr && index < recentFiles_->GetEntries().size());
}

void CApplication::OpenRecentFile(UINT id)
{
    const size_t index = id - ID_FILE_MRU_FILE1;
    if (recentFiles_ == nullptr || index >= recentFiles_->GetEntries().size()) return;
    const std::string path = recentFiles_->GetEntries()[index];
    // An entry goes only when its file is gone: not when the user cancelled
    // the save prompt, nor for a file that merely failed to read this time.
    if (OpenDocumentFile(path) == nullptr && !FileSystem::exists(path)) recentFiles_->Remove(path);
}

void CApplication::AddDocTemplate(std::unique_ptr<CDocTemplate> docTemplate)
{
    template_ = std::move(docTemplate);
}

void CApplication::RemoveDocTemplate()
{
    template_.reset();
}

CDocument* CApplication::OpenDocumentFile(const std::string& path)
{
    if (template_ == nullptr) return nullptr;
    const std::string fullPath = FileSystem::fullPath(path);
    CDocument* document = template_->GetDocument();
    const CFrameWindow* frame = template_->GetFrame();
    const bool shown = frame != nullptr && frame->GetHwnd() != nullptr;
    if (shown && document != nullptr && !document->GetPathName().empty() &&
        PathName::Same(document->GetPathName(), fullPath))
        return document;
    return template_->OpenDocumentFile(fullPath);
}

CCommandLineInfo CApplication::ParseCommandLine() const
{
    return CCommandLineInfo::FromCommandLine(GetCommandLineW());
}

bool CApplication::ProcessShellCommand(const CCommandLineInfo& info)
{
    if (info.shellCommand == CCommandLineInfo::ShellCommand::FileOpen) {
        if (OpenDocumentFile(info.fileName) == nullptr) return false;
    } else {
        OnFileNew();
    }
    return mainWindow_ != nullptr;
}

void CApplication::OnFileNew()
{
    if (template_ != nullptr) template_->OpenDocumentFile(std::string());
}

void CApplication::OnFileOpen()
{
    if (template_ == nullptr) return;
    const std::string path = template_->PromptFileName(true, std::string());
    if (!path.empty()) OpenDocumentFile(path);
}

void CApplication::CloseAllDocuments()
{
    if (template_ != nullptr) template_->CloseAllDocuments();
}

void CApplication::OnMainWindowDestroyed()
{
    mainWindow_ = nullptr;
    if (loopRunning_) PostQuitMessage(0);
}

int CApplication::TakeInitialShowCommand()
{
    const int showCommand = initialShow_;
    initialShow_ = -1;
    return showCommand;
}

void CApplication::CloseMainWindow()
{
    if (mainWindow_ != nullptr) SendMessageW(mainWindow_->GetHwnd(), WM_CLOSE, 0, 0);
}
