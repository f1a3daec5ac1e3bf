#pragma once
// The open book: owns the item tree, makes new books, opens books in the XML
// and the older binary form, always saves XML, and makes new items for the
// views. Every replacement of the tree is announced with HintReset first, so
// no view keeps a pointer into released items.

#include "addin/AddinModule.h"
#include "framework/CDocument.h"
#include "model/BookChanges.h"
#include "model/BookEditor.h"
#include "model/BookmarkItem.h"

#include <ole2.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct AppOptions;
class CDropWindow;
class DiskFile;
class ItemTransfer;

class CRavloDoc : public CDocument, public BookChanges {
public:
    static const char* const DefaultTitle;       // "Default"
    static const char* const DefaultGroupTitle;  // "マイブックマーク"

    CRavloDoc();
    // Closes a drop window that is still open.
    ~CRavloDoc() override;

    // The options record that save and close write to (LastFile, PrevOpen).
    // Owned by the application; may stay null, then nothing is recorded.
    void setOptions(AppOptions* options) { options_ = options; }
    // The views read and write their saved sizes here; null in some tests.
    AppOptions* options() const { return options_; }
    // The drag formats, owned by the application; while null no data
    // object yields items and no item drag starts.
    void setItemTransfer(const ItemTransfer* transfer) { itemTransfer_ = transfer; }
    // The add-ins that make web pages, owned by the application; while null
    // the HTML output and add-in settings commands do nothing.
    void setAddins(const AddinList* addins) { addins_ = addins; }
    // The drop targets ask it which effect a data object allows.
    const ItemTransfer* itemTransfer() const { return itemTransfer_; }

    // Runs the modal OLE drag loop; tests put a scripted one here.
    using DragRunner = HRESULT(WINAPI*)(IDataObject* data, IDropSource* source, DWORD allowed, DWORD* effect);
    static DragRunner runDrag;

    const ItemRef& rootItem() const { return root_; }
    // Replaces the tree by an empty untitled group, releasing the old one.
    void resetRoot();
    // The group the item list shows, null when no such view shows one.
    BookmarkItem* currentGroup() const;

    // A new item with its presets and today's date, returned only when the
    // user accepts it; the caller inserts it.
    ItemRef newGroupItem();
    ItemRef newUrlItem();
    ItemRef newUrlGroupItem();
    // A separator dated today, without asking.
    ItemRef newSeparatorItem();

    // Appends the items a dropped data object holds, foreign ones dated
    // today; returns how many. A bad record of our own format throws.
    size_t ItemsFromDataObject(IDataObject* data, std::vector<ItemRef>& items);
    // The items a drop brings; a bad record of our own format is reported
    // to the user and brings nothing.
    std::vector<ItemRef> droppedItems(IDataObject* data);
    // The effect a drop target allows for `data` under the key state.
    DWORD dropEffectFor(IDataObject* data, DWORD keyState) const;
    // Every change to the book goes through here.
    BookEditor& editor() { return editor_; }
    // Update all views with `hint`; the editor's way of telling them.
    void announceChange(UpdateHintKind kind, UpdateHint& hint) override;
    void markModified() override { SetModifiedFlag(); }
    void refuseTooDeep() override;
    // Drags copies of `items` (with their subtrees) in the program's own
    // format; the items are marked as dragged meanwhile. Returns the effect
    // the target chose: on a move the caller removes the originals.
    DWORD beginItemDrag(const std::vector<BookmarkItem*>& items);

    // "他のブックマークを挿入(&I)...": the pairs an import source delivered
    // become links at the end of the open group or of the top group.
    void insertOtherBookmarks();
    // "HTML出力(&H)...": the chosen add-in makes a page of the chosen items.
    void makeHtmlCommand();
    // "アドイン(&A)...": the add-ins' own settings.
    void addinSettingsCommand();
    // "並べ替え": after the user agreed, the children of the open group in
    // order of `key`.
    void sortCurrentGroup(SortKey key);

    // The drop window while it is open, else null.
    CDropWindow* dropWindow() const { return dropWindow_.get(); }
    void toggleDropWindow();
    // Destroys the drop window, which records its position, and forgets it.
    void closeDropWindow();

    bool OnNewDocument() override;
    bool OnOpenDocument(const std::string& path) override;
    // False after opening well-formed XML that is not a book.
    bool OpenedFileIsOwn() const override { return !openedForeignFile_; }
    bool OnSaveDocument(const std::string& path) override;
    void OnCloseDocument() override;
    // Announces HintReset, then releases the tree.
    void DeleteContents() override;
    void Serialize(Archive& archive) override;
    // The item-record stream of the whole book, header first.
    virtual void serializeItems(Archive& archive, uint32_t options);

protected:
    // A bad item record is told with its own message.
    void ReportSaveLoadException(const std::string& path, const std::exception& error, bool saving) override;

private:
    // `item` after the user edited it in the item dialog; empty when cancelled.
    ItemRef acceptedNewItem(const ItemRef& item);
    // At the first new or open of a run the options decide whether the
    // drop window opens.
    void startUpDropWindow();
    void openDropWindow();
    // Reads an opened book in whichever form it is stored.
    bool readOpenedFile(std::unique_ptr<DiskFile> file, const std::string& path);
    void recordLastFile(const std::string& path);
    // Keeps a copy of the book `path` is about to replace; a failure does not
    // stop the save.
    void backUpBeforeSave(const std::string& path);
    // Writes the drag formats, marks the items and runs the drag.
    DWORD dragMarkedItems(const std::vector<BookmarkItem*>& items);

    BookEditor editor_{*this};
    ItemRef root_ = BookmarkItem::create();
    bool firstOpen_ = true;
    bool openedForeignFile_ = false;
    std::unique_ptr<CDropWindow> dropWindow_;  // null while the drop window is closed
    AppOptions* options_ = nullptr;
    const ItemTransfer* itemTransfer_ = nullptr;
    const AddinList* addins_ = nullptr;
    bool backupFailureTold_ = false;  // the last backup failed and the user was told
};
