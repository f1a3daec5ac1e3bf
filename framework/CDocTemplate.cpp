#include "framework/CDocTemplate.h"

#include "framework/CApplication.h"
#include "framework/CDocument.h"
#include "framework/CFrameWindow.h"
#include "framework/CView.h"
#include "framework/CWaitCursor.h"
#include "framework/ResourceText.h"
#include "framework/UiServices.h"

#include <utility>

namespace {

// A line feed byte never stands inside a double-byte character.
std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        fields.push_back(text.substr(start, end - start));
    fields.push_back(text.substr(start));
    return fields;
}

}  // namespace

CDocTemplate::CDocTemplate(UINT resourceId, DocumentFactory newDocument, FrameFactory newFrame, ViewFactory newView)
    : resourceId_(resourceId),
      newDocument_(std::move(newDocument)),
      newFrame_(std::move(newFrame)),
      newView_(std::move(newView)),
      docStrings_(splitLines(ResourceText::Load932(resourceId)))
{
}

CDocTemplate::~CDocTemplate()
{
    DestroyDocumentAndFrame();
}

std::string CDocTemplate::GetDocString(DocStringIndex index) const
{
    return static_cast<size_t>(index) < docStrings_.size() ? docStrings_[index] : std::string();
}

std::unique_ptr<CView> CDocTemplate::CreateView() const
{
    return newView_();
}

CDocument* CDocTemplate::OpenDocumentFile(const std::string& path, bool makeVisible)
{
    return Open(path, makeVisible, false);
}

CDocument* CDocTemplate::OpenDocumentCopy(const std::string& path)
{
    return Open(path, true, true);
}

CDocument* CDocTemplate::Open(const std::string& path, bool makeVisible, bool asCopy)
{
    const bool created = document_ == nullptr || frame_ == nullptr || frame_->GetHwnd() == nullptr;
    if (!created && !document_->SaveModified()) return nullptr;
    if (created) {
        DestroyDocumentAndFrame();
        if (!CreateDocumentAndFrame()) return nullptr;
    }
    if (!OpenInto(*document_, path, created, asCopy)) {
        if (created) DestroyDocumentAndFrame();
        return nullptr;
    }
    CApplication* app = CApplication::Instance();
    if (created && app != nullptr && app->GetMainWindow() == nullptr) app->SetMainWindow(frame_.get());
    frame_->InitialUpdateFrame(document_.get(), makeVisible);
    return document_.get();
}

bool CDocTemplate::OpenInto(CDocument& document, const std::string& path, bool created, bool asCopy)
{
    if (path.empty()) {
        SetDefaultTitle(document);
        return document.OnNewDocument();
    }
    CWaitCursor wait;
    const bool wasModified = document.IsModified();
    document.SetModifiedFlag(false);
    if (document.OnOpenDocument(path)) {
        if (asCopy || !document.OpenedFileIsOwn()) {
            // Without a path saving asks for one. A copy is modified, as no file
            // holds it as a book yet; a foreign file must never be overwritten.
            document.pathName_.clear();
            SetDefaultTitle(document);
            if (asCopy) document.SetModifiedFlag(true);
        } else {
            document.SetPathName(path);
        }
        return true;
    }
    if (created) return false;
    if (!document.IsModified()) {
        // The open failed before touching the document.
        document.SetModifiedFlag(wasModified);
        return false;
    }
    // The old contents are gone: carry on with a new document, shown afresh.
    SetDefaultTitle(document);
    document.OnNewDocument();
    frame_->InitialUpdateFrame(&document, false);
    return false;
}

void CDocTemplate::SetDefaultTitle(CDocument& document) const
{
    const std::string name = GetDocString(DocName);
    document.SetTitle(name.empty() ? CDocument::UntitledName : name);
}

std::string CDocTemplate::PromptFileName(bool open, const std::string& initialName) const
{
    const std::string extension = GetDocString(FilterExt);
    FileDialogRequest request;
    request.open = open;
    request.title = open ? "開く" : "名前を付けて保存";
    if (!GetDocString(FilterName).empty()) request.filter = GetDocString(FilterName) + "|*" + extension + "|";
    request.filter += "すべてのファイル (*.*)|*.*||";
    request.defaultExtension = extension.empty() ? extension : extension.substr(1);
    request.fileName = initialName;
    request.flags = OFN_HIDEREADONLY | (open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    CApplication* app = CApplication::Instance();
    const HWND owner = app != nullptr && app->GetMainWindow() != nullptr ? app->GetMainWindow()->GetHwnd() : nullptr;
    const std::vector<std::string> chosen = UiServices::Current().ChooseFiles(owner, request);
    return chosen.empty() ? std::string() : chosen.front();
}

void CDocTemplate::CloseAllDocuments()
{
    if (document_ != nullptr) document_->OnCloseDocument();
}

bool CDocTemplate::CreateDocumentAndFrame()
{
    document_ = newDocument_();
    document_->SetDocTemplate(this);
    frame_ = newFrame_();
    CCreateContext context{document_.get(), this};
    if (frame_->LoadFrame(resourceId_, context)) return true;
    DestroyDocumentAndFrame();
    return false;
}

void CDocTemplate::DestroyDocumentAndFrame()
{
    if (frame_ != nullptr) frame_->DestroyWindow();
    frame_.reset();
    document_.reset();
}
