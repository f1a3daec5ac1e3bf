#pragma once
// A document: title, path name, modified flag and the views that show it.
// The standard save commands (ID_FILE_SAVE, ID_FILE_SAVE_AS) are handled
// here; the template runs new and open. Paths and titles are code page 932.

#include "framework/CCmdTarget.h"
#include "framework/CObject.h"

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

class Archive;
class CDocTemplate;
class CFrameWindow;
class CView;

class CDocument : public CCmdTarget {
public:
    static const char* const UntitledName;  // "無題"

    // A window that follows the document's updates without being one of its
    // views (a modeless dialog).
    class UpdateListener {
    public:
        virtual void OnDocumentUpdate(LPARAM hint, CObject* hintObject) = 0;

    protected:
        ~UpdateListener() = default;
    };

    CDocument();
    ~CDocument() override;

    const std::string& GetTitle() const { return title_; }
    virtual void SetTitle(const std::string& title);
    const std::string& GetPathName() const { return pathName_; }
    // Also makes the file name the title and, with `addToRecentFiles`, puts
    // the path first in the application's recent-file list.
    virtual void SetPathName(const std::string& path, bool addToRecentFiles = true);
    virtual bool IsModified();
    virtual void SetModifiedFlag(bool modified = true);
    CDocTemplate* GetDocTemplate() const { return template_; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return views_; }
    // Calls OnUpdate of every view except `sender`, then every listener.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
    void AddUpdateListener(UpdateListener* listener);
    void RemoveUpdateListener(UpdateListener* listener);

    // The default clears the contents, the path and the modified flag.
    virtual bool OnNewDocument();
    // The default reads the file through an archive with Serialize.
    virtual bool OnOpenDocument(const std::string& path);
    // After a successful open: whether the document now stands for the file.
    // False when it only took in a file of another kind, which a save must
    // not replace: the document then stays untitled.
    virtual bool OpenedFileIsOwn() const { return true; }
    // The default writes the file through an archive with Serialize, into a
    // temporary file that replaces the old one only when complete.
    virtual bool OnSaveDocument(const std::string& path);
    // Destroys the frames that show the document, then clears the contents.
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    virtual void Serialize(Archive& archive);

    // Asks "%1 への変更を保存しますか?" when modified: Yes saves (asking for
    // a file name when there is none) and goes on only if that worked, No
    // goes on, Cancel stops. True to go on.
    virtual bool SaveModified();
    // Saves to `path`, or to a file the user chooses when `path` is empty;
    // with `replace` the document then takes that path.
    bool DoSave(const std::string& path, bool replace = true);
    // Saves to the document's file; asks for a name when there is none or
    // the file is read-only.
    bool DoFileSave();

protected:
    // Tells the user why reading or writing `path` failed.
    virtual void ReportSaveLoadException(const std::string& path, const std::exception& error, bool saving);

private:
    friend class CDocTemplate;
    void SetDocTemplate(CDocTemplate* docTemplate) { template_ = docTemplate; }
    std::vector<CFrameWindow*> Frames() const;
    void UpdateFrameTitles() const;
    std::string NameForPrompt() const;

    std::string title_;
    std::string pathName_;
    bool modified_ = false;
    std::vector<CView*> views_;
    std::vector<UpdateListener*> listeners_;
    CDocTemplate* template_ = nullptr;
};
