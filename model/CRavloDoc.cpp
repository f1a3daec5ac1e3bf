#include "model/CRavloDoc.h"

#include "addin/AddinSettingsDlg.h"
#include "addin/HtmlOutputDlg.h"
#include "app/AppOptions.h"
#include "app/BookBackups.h"
#include "app/CDuplicatesDlg.h"
#include "app/CDropWindow.h"
#include "app/COptionSheet.h"
#include "app/ExportCommand.h"
#include "framework/Archive.h"
#include "framework/ArchiveException.h"
#include "framework/CApplication.h"
#include "framework/CFrameWindow.h"
#include "framework/CView.h"
#include "framework/CWaitCursor.h"
#include "framework/ComRef.h"
#include "framework/DiskFile.h"
#include "framework/FileErrorMessage.h"
#include "framework/MemoryFile.h"
#include "framework/ResourceText.h"
#include "framework/UiServices.h"
#include "import/CBookImportDlg.h"
#include "import/TreeImportCommand.h"
#include "model/BookXml.h"
#include "model/DefaultBook.h"
#include "model/HtmlItemStream.h"
#include "model/ItemRecord.h"
#include "model/LinkImport.h"
#include "model/SException.h"
#include "model/ShownGroupView.h"
#include "model/TodayText.h"
#include "model/UpdateHint.h"
#include "platform/JapaneseTitleCollation.h"
#include "res/resource.h"
#include "views/CItemEditDlg.h"
#include "views/ItemDataSource.h"
#include "views/ItemDropSource.h"
#include "views/ItemTransfer.h"
#include "views/OpenInBrowser.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

const char* const CRavloDoc::DefaultTitle = "Default";
const char* const CRavloDoc::DefaultGroupTitle = DefaultBook::GroupTitle;
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

// A warning from the string table, its "%1" replaced by `name`.
void warn(UINT textId, const std::string& name = std::string())
{
    const std::string pattern = ResourceText::Load932(textId);
    CApplication::ShowMessage(FileErrorMessage::Substitute(pattern.c_str(), name), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CRavloDoc::CRavloDoc()
{
    AddCommand(ID_FILE_INSERT_BOOKMARKS, [this] { insertOtherBookmarks(); });
    AddCommand(ID_FILE_EXPORT, [this] { ExportCommand::run(*this, mainWindowHandle()); });
    AddCommand(ID_FILE_IMPORT_TREE, [this] { TreeImportCommand::run(*this, mainWindowHandle()); });
    AddCommand(ID_FILE_HTML_OUTPUT, [this] { makeHtmlCommand(); });
    AddCommand(ID_SETTING_ADDIN, [this] { addinSettingsCommand(); });
    AddCommand(ID_SETTING_OPTIONS, [this] {
        if (options_ != nullptr) COptionSheet().run(*options_, mainWindowHandle());
    });
    AddCommand(ID_VIEW_DROP_WINDOW, [this] { toggleDropWindow(); });
    AddCommand(ID_EDIT_FIND_DUPLICATES, [this] { CDuplicatesDlg::run(*root_, editor_, mainWindowHandle()); });
    AddUpdate(ID_VIEW_DROP_WINDOW, [this](CCmdUI& ui) { ui.SetCheck(dropWindow_ != nullptr); });
    const std::pair<UINT, SortKey> sortCommands[] = {
        {ID_ITEM_SORT_TITLE, SortKey::Title}, {ID_ITEM_SORT_URL, SortKey::Url}, {ID_ITEM_SORT_DATE, SortKey::Date}};
    for (const auto& [id, key] : sortCommands) {
        AddCommand(id, [this, key = key] { sortCurrentGroup(key); });
        AddUpdate(id, [this](CCmdUI& ui) { ui.Enable(currentGroup() != nullptr); });
    }
}

CRavloDoc::~CRavloDoc()
{
    // The window records its position in the options while this object is whole.
    closeDropWindow();
}

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

std::vector<ItemRef> CRavloDoc::droppedItems(IDataObject* data)
{
    std::vector<ItemRef> items;
    try {
        ItemsFromDataObject(data, items);
    } catch (const SException& error) {
        CApplication::ShowMessage(error.message(), MB_OK | MB_ICONEXCLAMATION);
        items.clear();
    } catch (const ArchiveException&) {
        CApplication::ShowMessage(FileErrorMessage::InvalidFormat, MB_OK | MB_ICONEXCLAMATION);
        items.clear();
    }
    return items;
}

DWORD CRavloDoc::dropEffectFor(IDataObject* data, DWORD keyState) const
{
    return itemTransfer_ != nullptr ? itemTransfer_->canAccept(data, keyState) : DROPEFFECT_NONE;
}

void CRavloDoc::refuseTooDeep()
{
    warn(IDS_ITEMS_TOO_DEEP);
}

void CRavloDoc::announceChange(UpdateHintKind kind, UpdateHint& hint)
{
    UpdateAllViews(nullptr, kind, &hint);
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
    DefaultBook::fill(*root_, todayText());
    return true;
}

bool CRavloDoc::OnOpenDocument(const std::string& path)
{
    startUpDropWindow();
    openedForeignFile_ = false;
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
    switch (loadBook(path, *root_)) {
    case BookLoad::Read:
        return true;
    case BookLoad::Foreign:
        openedForeignFile_ = true;
        return true;
    case BookLoad::Unreadable:
        break;
    }
    // The DOM service says nothing about why it could not load a file.
    warn(IDS_BOOK_UNREADABLE, path);
    return false;
}

bool CRavloDoc::OnSaveDocument(const std::string& path)
{
    backUpBeforeSave(path);
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

void CRavloDoc::backUpBeforeSave(const std::string& path)
{
    if (options_ == nullptr || options_->settingsFolder.empty()) return;
    const bool backedUp = BookBackups(options_->settingsFolder).backUp(path);
    // Told once, not at every save, until a backup works again.
    if (!backedUp && !backupFailureTold_)
        CApplication::ShowMessage(path + " のバックアップに失敗しました。", MB_OK | MB_ICONEXCLAMATION);
    backupFailureTold_ = !backedUp;
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
    if (!firstOpen_) return;
    firstOpen_ = false;
    if (options_ == nullptr) return;
    if (options_->FirstMode == 0 || (options_->FirstMode == 2 && options_->PrevOpen != 0)) openDropWindow();
}

void CRavloDoc::toggleDropWindow()
{
    if (dropWindow_ != nullptr)
        closeDropWindow();
    else
        openDropWindow();
}

void CRavloDoc::openDropWindow()
{
    auto window = std::make_unique<CDropWindow>(*this);
    if (window->Create()) dropWindow_ = std::move(window);
}

void CRavloDoc::closeDropWindow()
{
    // reset() forgets the window before deleting it: the window may be the
    // one asking, from inside its own message handler.
    dropWindow_.reset();
}

void CRavloDoc::insertOtherBookmarks()
{
    BookmarkItem* const current = currentGroup();
    CBookImportDlg dialog;
    dialog.hasCurrentGroup = current != nullptr;
    if (dialog.DoModal(mainWindowHandle()) != IDOK) return;
    const bool toOpenGroup = dialog.destination == CBookImportDlg::OpenGroup && current != nullptr;
    BookmarkItem* const target = toOpenGroup ? current : LinkImport::topGroup(*root_);
    if (target == nullptr || !editor_.admitsBelow(*target, 1)) return;
    // Also with nothing kept: the user did import.
    editor_.appendItems(*target, LinkImport::urlItems(dialog.titles, dialog.urls, todayText()));
}

void CRavloDoc::makeHtmlCommand()
{
    if (addins_ == nullptr || options_ == nullptr) return;
    HtmlOutputDlg dialog(*addins_, *options_);
    dialog.outputPath = options_->OutputFile;
    if (dialog.DoModal(mainWindowHandle()) != IDOK || dialog.chosen == nullptr) return;
    const std::vector<uint8_t> stream = HtmlItemStream::make(*root_, dialog.filter);
    const AddinModule& addin = *dialog.chosen;
    const bool made = addin.makeHtml(reinterpret_cast<const char*>(stream.data()),
                                     static_cast<uint32_t>(stream.size()), dialog.outputPath);
    if (!made) {
        CApplication::ShowMessage(addin.displayName() + " によるHTML作成に失敗しました。", MB_OK | MB_ICONERROR);
        return;
    }
    if (options_->OpenBrowser != 0) OpenInBrowser(dialog.outputPath);
    CApplication::ShowMessage(addin.displayName() + " を用いてHTMLを作成しました。", MB_OK);
}

void CRavloDoc::sortCurrentGroup(SortKey key)
{
    BookmarkItem* const group = currentGroup();
    if (group == nullptr) return;
    const int answer = UiServices::Current().ShowMessage(
        mainWindowHandle(), "現在のグループのアイテムを並べ替えますか？", "並べ替えの確認", MB_OKCANCEL | MB_ICONQUESTION);
    if (answer == IDOK) editor_.sortGroup(*group, key, JapaneseTitleCollation());
}

void CRavloDoc::addinSettingsCommand()
{
    if (addins_ == nullptr || options_ == nullptr) return;
    AddinSettingsDlg dialog(*addins_, *options_);
    dialog.DoModal(mainWindowHandle());
}
