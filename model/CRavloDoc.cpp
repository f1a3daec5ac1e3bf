#include "model/CRavloDoc.h"

#include "app/AppOptions.h"
#include "framework/Archive.h"
#include "framework/CApplication.h"
#include "framework/CFrameWindow.h"
#include "framework/CView.h"
#include "framework/CWaitCursor.h"
#include "framework/ComRef.h"
#include "framework/DiskFile.h"
#include "framework/FileErrorMessage.h"
#include "framework/MemoryFile.h"
#include "model/BookXml.h"
#include "model/ItemRecord.h"
#include "model/SException.h"
#include "model/ShownGroupView.h"
#include "model/TodayText.h"
#include "model/UpdateHint.h"
#include "views/CItemEditDlg.h"
#include "views/ItemDataSource.h"
#include "views/ItemDropSource.h"
#include "views/ItemTransfer.h"

#include <cstring>
#include <memory>
#include <new>

const char* const CRavloDoc::DefaultTitle = "Default";
const char* const CRavloDoc::DefaultGroupTitle = "マイブックマーク";
CRavloDoc::DragRunner CRavloDoc::runDrag = ::DoDragDrop;

namespace {

HWND mainWindowHandle()
{
    const CApplication* app = CApplication::Instance();
    return app != nullptr && app->GetMainWindow() != nullptr ? app->GetMainWindow()->GetHwnd() : nullptr;
}

// A new movable global block holding a copy of `size` bytes.
HGLOBAL globalCopy(const void* bytes, size_t size)
{
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    void* copy = block != nullptr ? GlobalLock(block) : nullptr;
    if (copy == nullptr) {
        if (block != nullptr) GlobalFree(block);
        throw std::bad_alloc();
    }
    std::memcpy(copy, bytes, size);
    GlobalUnlock(block);
    return block;
}

void markDragging(const std::vector<BookmarkItem*>& items, uint32_t value)
{
    for (BookmarkItem* item : items) item->setDragging(value);
}

}  // namespace

void CRavloDoc::resetRoot()
{
    root_ = BookmarkItem::create();
}

BookmarkItem* CRavloDoc::currentGroup() const
{
    for (CView* view : GetViews()) {
        if (const auto* list = dynamic_cast<const ShownGroupView*>(view)) return list->shownGroup();
    }
    return nullptr;
}

ItemRef CRavloDoc::newGroupItem()
{
    const ItemRef item = BookmarkItem::create();
    item->makeGroup("新しいグループ", todayText());
    return acceptedNewItem(item);
}

ItemRef CRavloDoc::newUrlItem()
{
    const ItemRef item = BookmarkItem::create();
    item->makeUrl("新しいURL", "http://", "", todayText());
    return acceptedNewItem(item);
}

ItemRef CRavloDoc::newUrlGroupItem()
{
    const ItemRef item = BookmarkItem::create();
    item->makeGroupUrl("新しいURL付きグループ", "http://", "", todayText());
    return acceptedNewItem(item);
}

ItemRef CRavloDoc::newSeparatorItem()
{
    const ItemRef item = BookmarkItem::create();
    item->makeSeparator(todayText());
    return item;
}

size_t CRavloDoc::ItemsFromDataObject(IDataObject* data, std::vector<ItemRef>& items)
{
    return itemTransfer_ != nullptr ? itemTransfer_->readItems(data, items, todayText()) : 0;
}

DWORD CRavloDoc::beginItemDrag(const std::vector<BookmarkItem*>& items)
{
    if (itemTransfer_ == nullptr || items.empty()) return DROPEFFECT_NONE;
    DWORD effect = DROPEFFECT_NONE;
    try {
        effect = dragMarkedItems(items);
    } catch (...) {
        markDragging(items, 0);
        throw;
    }
    markDragging(items, 0);
    return effect;
}

DWORD CRavloDoc::dragMarkedItems(const std::vector<BookmarkItem*>& items)
{
    MemoryFile file(4096);
    Archive archive(file, Archive::Mode::Store, 4096);
    for (BookmarkItem* item : items) {
        writeItemRecord(archive, *item, WriteNone);
        item->setDragging(1);
    }
    archive.close();
    const int32_t count = static_cast<int32_t>(items.size());

    const ComRef<ItemDataSource> source(new ItemDataSource);
    source->offer(itemTransfer_->itemDataFormat(), globalCopy(file.bytes().data(), file.bytes().size()));
    source->offer(itemTransfer_->itemCountFormat(), globalCopy(&count, sizeof count));
    const ComRef<ItemDropSource> dropSource(new ItemDropSource);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = runDrag(source.get(), dropSource.get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    return result == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

ItemRef CRavloDoc::acceptedNewItem(const ItemRef& item)
{
    CItemEditDlg dialog;
    dialog.items = {item.get()};
    return dialog.DoModal(mainWindowHandle()) == IDOK ? item : ItemRef();
}

bool CRavloDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument()) return false;
    startUpDropWindow();
    SetTitle(DefaultTitle);
    root_->addGroupChild(DefaultGroupTitle, todayText());
    return true;
}

bool CRavloDoc::OnOpenDocument(const std::string& path)
{
    startUpDropWindow();
    std::unique_ptr<DiskFile> file;
    try {
        file = std::make_unique<DiskFile>(path, DiskFile::Mode::Read);
    } catch (const std::exception& e) {
        // The old book stays, untouched and still shown.
        ReportSaveLoadException(path, e, false);
        return false;
    }
    DeleteContents();
    SetModifiedFlag(true);  // stays set when the open fails from here on
    if (!readOpenedFile(std::move(file), path)) return false;
    SetModifiedFlag(false);
    return true;
}

bool CRavloDoc::readOpenedFile(std::unique_ptr<DiskFile> file, const std::string& path)
{
    try {
        if (startsWithStreamMark(*file)) {
            CWaitCursor wait;
            file->seekToBegin();
            Archive archive(*file, Archive::Mode::Load);
            Serialize(archive);
            archive.close();
            return true;
        }
    } catch (const std::exception& e) {
        file.reset();
        DeleteContents();
        ReportSaveLoadException(path, e, false);
        return false;
    }
    file.reset();
    // The DOM service says nothing about why it could not load a file.
    return loadBook(path, *root_);
}

bool CRavloDoc::OnSaveDocument(const std::string& path)
{
    bool saved = false;
    {
        CWaitCursor wait;
        saved = saveBook(path, *root_);
    }
    if (!saved) {
        CApplication::ShowMessage(FileErrorMessage::SaveFailed, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    SetModifiedFlag(false);
    recordLastFile(path);
    return true;
}

void CRavloDoc::recordLastFile(const std::string& path)
{
    if (options_ == nullptr) return;
    options_->LastFile = path;
    options_->SaveOptions();
}

void CRavloDoc::OnCloseDocument()
{
    if (options_ != nullptr) options_->PrevOpen = dropWindow_ != nullptr ? 1 : 0;
    CDocument::OnCloseDocument();
}

void CRavloDoc::DeleteContents()
{
    UpdateAllViews(nullptr, HintReset);
    resetRoot();
}

void CRavloDoc::Serialize(Archive& archive)
{
    serializeItems(archive, WriteNone);
}

void CRavloDoc::serializeItems(Archive& archive, uint32_t options)
{
    if (archive.isStoring())
        writeItemStream(archive, *root_, options);
    else
        readItemStream(archive, *root_);
}

void CRavloDoc::ReportSaveLoadException(const std::string& path, const std::exception& error, bool saving)
{
    if (const auto* badRecord = dynamic_cast<const SException*>(&error)) {
        CApplication::ShowMessage(badRecord->message(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CDocument::ReportSaveLoadException(path, error, saving);
}

void CRavloDoc::startUpDropWindow()
{
    // Only the first new or open of a run decides whether the drop window
    // opens; the window itself joins the document later.
    firstOpen_ = false;
}
