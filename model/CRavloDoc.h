#pragma once
// The open book: owns the item tree, makes new books, opens books in the XML
// and the older binary form, always saves XML, and makes new items for the
// views. Every replacement of the tree is announced with HintReset first, so
// no view keeps a pointer into released items.

#include "framework/CDocument.h"
#include "model/BookmarkItem.h"

#include <cstdint>
#include <memory>
#include <string>

struct AppOptions;
class CDropWindow;
class DiskFile;

class CRavloDoc : public CDocument {
public:
    static const char* const DefaultTitle;       // "Default"
    static const char* const DefaultGroupTitle;  // "マイブックマーク"

    // The options record that save and close write to (LastFile, PrevOpen).
    // Owned by the application; may stay null, then nothing is recorded.
    void setOptions(AppOptions* options) { options_ = options; }
    // The views read and write their saved sizes here; null in some tests.
    AppOptions* options() const { return options_; }

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

    bool OnNewDocument() override;
    bool OnOpenDocument(const std::string& path) override;
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
    void startUpDropWindow();
    // Reads an opened book in whichever form it is stored.
    bool readOpenedFile(std::unique_ptr<DiskFile> file, const std::string& path);
    void recordLastFile(const std::string& path);

    ItemRef root_ = BookmarkItem::create();
    bool firstOpen_ = true;
    CDropWindow* dropWindow_ = nullptr;  // owned; null while the drop window is closed
    AppOptions* options_ = nullptr;
};
