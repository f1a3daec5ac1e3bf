#pragma once
// The single-document template: one document class, one frame class and the
// view class the frame shows by default, with the resource id of the
// frame's menu, accelerators and icon and of the document strings. It owns
// the one document and its frame; New and Open reuse them once they exist.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CDocument;
class CFrameWindow;
class CView;

class CDocTemplate {
public:
    // The fields of the document string (resource `resourceId`), separated
    // by line feeds.
    enum DocStringIndex { WindowTitle, DocName, FileNewName, FilterName, FilterExt, RegFileTypeId, RegFileTypeName };

    using DocumentFactory = std::function<std::unique_ptr<CDocument>()>;
    using FrameFactory = std::function<std::unique_ptr<CFrameWindow>()>;
    using ViewFactory = std::function<std::unique_ptr<CView>()>;

    CDocTemplate(UINT resourceId, DocumentFactory newDocument, FrameFactory newFrame, ViewFactory newView);
    template <class Document, class Frame, class View>
    static std::unique_ptr<CDocTemplate> Make(UINT resourceId)
    {
        return std::make_unique<CDocTemplate>(
            resourceId, [] { return std::make_unique<Document>(); }, [] { return std::make_unique<Frame>(); },
            [] { return std::make_unique<View>(); });
    }
    // Destroys the frame window first, while the document still exists.
    ~CDocTemplate();
    CDocTemplate(const CDocTemplate&) = delete;
    CDocTemplate& operator=(const CDocTemplate&) = delete;

    // A field of the document string, code page 932.
    std::string GetDocString(DocStringIndex index) const;
    CDocument* GetDocument() const { return document_.get(); }
    CFrameWindow* GetFrame() const { return frame_.get(); }
    std::unique_ptr<CView> CreateView() const;

    // New document (empty `path`) or open `path`, in the existing document
    // and frame when there are any (after asking to save changes). Returns
    // null when cancelled or failed. A failed open that already changed the
    // document leaves a new document behind instead.
    CDocument* OpenDocumentFile(const std::string& path, bool makeVisible = true);
    // Opens `path` the same way as an untitled copy: the document keeps no
    // path and stays modified, so that saving it asks for a name.
    CDocument* OpenDocumentCopy(const std::string& path);
    // The title of an untitled document: the document name, or "無題".
    void SetDefaultTitle(CDocument& document) const;
    // The file dialog for this document type; empty when cancelled.
    std::string PromptFileName(bool open, const std::string& initialName) const;
    void CloseAllDocuments();

private:
    bool CreateDocumentAndFrame();
    void DestroyDocumentAndFrame();
    CDocument* Open(const std::string& path, bool makeVisible, bool asCopy);
    bool OpenInto(CDocument& document, const std::string& path, bool created, bool asCopy);

    UINT resourceId_;
    DocumentFactory newDocument_;
    FrameFactory newFrame_;
    ViewFactory newView_;
    std::vector<std::string> docStrings_;
    std::unique_ptr<CDocument> document_;
    std::unique_ptr<CFrameWindow> frame_;
};
