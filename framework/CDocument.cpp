#include "framework/CDocument.h"

#include "framework/Archive.h"
#include "framework/CApplication.h"
#include "framework/CDocTemplate.h"
#include "framework/CFrameWindow.h"
#include "framework/CView.h"
#include "framework/CWaitCursor.h"
#include "framework/DiskFile.h"
#include "framework/FileErrorMessage.h"
#include "framework/FileException.h"
#include "framework/PathName.h"
#include "framework/resource_fw.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace {

bool isReadOnlyFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(CodePage::toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The title as a file name for the save dialog: cut where it stops being
// one, then given the document type's extension.
std::string suggestedFileName(const std::string& title, const std::string& extension)
{
    std::wstring name = CodePage::toWide(title);
    name = name.substr(0, name.find_first_of(L":/\\"));
    return CodePage::fromWide(name) + extension;
}

}  // namespace

const char* const CDocument::UntitledName = "無題";

CDocument::CDocument()
{
    AddCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    AddCommand(ID_FILE_SAVE_AS, [this] { DoSave(std::string()); });
}

CDocument::~CDocument()
{
    for (CView* view : std::vector<CView*>(views_)) view->DetachDocument();
}

void CDocument::SetTitle(const std::string& title)
{
    title_ = title;
    UpdateFrameTitles();
}

void CDocument::SetPathName(const std::string& path, bool addToRecentFiles)
{
    pathName_ = FileSystem::fullPath(path);
    SetTitle(PathName::FileName(pathName_));
    CApplication* app = CApplication::Instance();
    if (addToRecentFiles && app != nullptr) app->AddToRecentFileList(pathName_);
}

bool CDocument::IsModified()
{
    return modified_;
}

void CDocument::SetModifiedFlag(bool modified)
{
    modified_ = modified;
}

void CDocument::AddView(CView* view)
{
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CDocument::RemoveView(CView* view)
{
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject)
{
    // A copy: a view may go away while it updates.
    for (CView* view : std::vector<CView*>(views_))
        if (view != sender) view->OnUpdate(sender, hint, hintObject);
    for (UpdateListener* listener : std::vector<UpdateListener*>(listeners_))
        listener->OnDocumentUpdate(hint, hintObject);
}

void CDocument::AddUpdateListener(UpdateListener* listener)
{
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end()) listeners_.push_back(listener);
}

void CDocument::RemoveUpdateListener(UpdateListener* listener)
{
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    pathName_.clear();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const std::string& path)
{
    std::unique_ptr<DiskFile> file;
    try {
        file = std::make_unique<DiskFile>(path, DiskFile::Mode::Read);
    } catch (const std::exception& e) {
        ReportSaveLoadException(path, e, false);
        return false;
    }
    DeleteContents();
    SetModifiedFlag(true);  // the contents are half read until the end
    try {
        CWaitCursor wait;
        Archive archive(*file, Archive::Mode::Load);
        if (file->length() != 0) Serialize(archive);
        archive.close();
    } catch (const std::exception& e) {
        file.reset();
        DeleteContents();
        ReportSaveLoadException(path, e, false);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const std::string& path)
{
    const std::string temporary = FileSystem::temporaryPathFor(path);
    try {
        CWaitCursor wait;
        try {
            DiskFile file(temporary, DiskFile::Mode::Write);
            Archive archive(file, Archive::Mode::Store);
            Serialize(archive);
            archive.close();
            file.close();
        } catch (const FileException& e) {
            // The user knows the file by its own name, not the temporary one.
            throw FileException(e.cause(), path);
        }
        if (!FileSystem::replace(temporary, path)) throw std::runtime_error("replacing the file failed");
    } catch (const std::exception& e) {
        FileSystem::remove(temporary);
        ReportSaveLoadException(path, e, true);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CDocument::OnCloseDocument()
{
    for (CFrameWindow* frame : Frames()) frame->DestroyWindow();
    DeleteContents();
}

void CDocument::DeleteContents() {}

void CDocument::Serialize(Archive&) {}

bool CDocument::SaveModified()
{
    if (!IsModified()) return true;
    const std::string prompt = FileErrorMessage::Substitute("%1 への変更を保存しますか?", NameForPrompt());
    switch (CApplication::ShowMessage(prompt, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL:
        return false;
    case IDYES:
        return DoFileSave();
    default:
        return true;
    }
}

std::string CDocument::NameForPrompt() const
{
    if (!pathName_.empty()) return PathName::FileName(pathName_);
    return title_.empty() ? UntitledName : title_;
}

bool CDocument::DoSave(const std::string& path, bool replace)
{
    std::string target = path;
    if (target.empty()) {
        if (template_ == nullptr) return false;
        const std::string suggestion =
            pathName_.empty() ? suggestedFileName(title_, template_->GetDocString(CDocTemplate::FilterExt))
                              : pathName_;
        target = template_->PromptFileName(false, suggestion);
        if (target.empty()) return false;
    }
    if (!OnSaveDocument(target)) return false;
    if (replace) SetPathName(target);
    return true;
}

bool CDocument::DoFileSave()
{
    const bool needsName = pathName_.empty() || isReadOnlyFile(pathName_);
    return DoSave(needsName ? std::string() : pathName_);
}

void CDocument::ReportSaveLoadException(const std::string& path, const std::exception& error, bool saving)
{
    const char* fallback = saving ? FileErrorMessage::SaveFailed : FileErrorMessage::OpenFailed;
    CApplication::ShowMessage(FileErrorMessage::For(error, path, fallback), MB_OK | MB_ICONEXCLAMATION);
}

std::vector<CFrameWindow*> CDocument::Frames() const
{
    std::vector<CFrameWindow*> frames;
    for (CView* view : views_) {
        CFrameWindow* frame = view->GetParentFrame();
        if (frame != nullptr && frame->GetHwnd() != nullptr &&
            std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    }
    return frames;
}

void CDocument::UpdateFrameTitles() const
{
    for (CFrameWindow* frame : Frames()) frame->OnUpdateFrameTitle();
}
