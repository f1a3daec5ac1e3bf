#include "views/ItemTransfer.h"

#include "framework/StorageMedium.h"
#include "model/ItemRecord.h"
#include "platform/CodePage.h"
#include "views/FileGroupDescriptor.h"
#include "views/HtmlLinkScanner.h"
#include "views/InternetShortcut.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

namespace {

constexpr DWORD AnyMedium =
    TYMED_HGLOBAL | TYMED_FILE | TYMED_ISTREAM | TYMED_ISTORAGE | TYMED_GDI | TYMED_MFPICT | TYMED_ENHMF;
// Contents read from a stream stop here: an Internet Shortcut is a few
// lines, and a foreign stream must not make us allocate without bound.
constexpr ULONG MaxStreamBytes = 1u << 20;
// The longest URL the INI reader hands over, plus its NUL.
constexpr DWORD UrlBufferSize = 260;

FORMATETC formatEtc(CLIPFORMAT format, LONG index, DWORD media)
{
    return {format, nullptr, DVASPECT_CONTENT, index, media};
}

std::string globalBytes(HGLOBAL block)
{
    const void* bytes = GlobalLock(block);
    if (bytes == nullptr) return std::string();
    std::string copy(static_cast<const char*>(bytes), GlobalSize(block));
    GlobalUnlock(block);
    return copy;
}

std::string streamBytes(IStream* stream)
{
    std::string bytes;
    char chunk[4096];
    ULONG read = 0;
    while (bytes.size() < MaxStreamBytes && SUCCEEDED(stream->Read(chunk, sizeof chunk, &read)) && read > 0)
        bytes.append(chunk, std::min<size_t>(read, sizeof chunk));
    return bytes;
}

// The bytes of one format as a memory block or a stream; none when the data
// object does not hand them over.
std::optional<std::string> fetchBytes(IDataObject* data, CLIPFORMAT format, LONG index = -1)
{
    FORMATETC request = formatEtc(format, index, TYMED_HGLOBAL | TYMED_ISTREAM);
    StorageMedium medium;
    if (FAILED(data->GetData(&request, medium.receive()))) return std::nullopt;
    const STGMEDIUM& received = medium.get();
    if (received.tymed == TYMED_HGLOBAL && received.hGlobal != nullptr) return globalBytes(received.hGlobal);
    if (received.tymed == TYMED_ISTREAM && received.pstm != nullptr) return streamBytes(received.pstm);
    return std::nullopt;
}

int32_t littleEndianInt32(const std::string& bytes)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[i]);
    return static_cast<int32_t>(value);
}

// DragQueryFile walks the list until an empty name, trusting the block; a
// list from another program must first be seen to end inside its block.
bool fileListEndsInside(HGLOBAL block)
{
    const SIZE_T size = GlobalSize(block);
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(block));
    if (bytes == nullptr) return false;
    bool ends = false;
    if (size >= sizeof(DROPFILES)) {
        DROPFILES header;
        std::memcpy(&header, bytes, sizeof header);
        const size_t unit = header.fWide ? sizeof(wchar_t) : 1;
        bool nameStarts = true;
        for (size_t pos = header.pFiles; !ends && pos + unit <= size; pos += unit) {
            const bool nul = std::all_of(bytes + pos, bytes + pos + unit, [](uint8_t byte) { return byte == 0; });
            ends = nul && nameStarts;
            nameStarts = nul;
        }
    }
    GlobalUnlock(block);
    return ends;
}

std::vector<std::wstring> droppedPaths(IDataObject* data)
{
    FORMATETC request = formatEtc(CF_HDROP, -1, TYMED_HGLOBAL);
    StorageMedium medium;
    if (FAILED(data->GetData(&request, medium.receive()))) return {};
    const HGLOBAL block = medium.get().hGlobal;
    if (medium.get().tymed != TYMED_HGLOBAL || block == nullptr || !fileListEndsInside(block)) return {};
    const auto drop = static_cast<HDROP>(block);
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        std::wstring path(DragQueryFileW(drop, index, nullptr, 0), L'\0');
        DragQueryFileW(drop, index, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(path);
    }
    return paths;
}

std::wstring internetShortcutUrl(const std::wstring& path)
{
    wchar_t url[UrlBufferSize] = {};
    GetPrivateProfileStringW(L"InternetShortcut", L"URL", L"", url, UrlBufferSize, path.c_str());
    return url;
}

void appendUrl(std::vector<ItemRef>& out, const std::string& title, const std::string& url, const std::string& date)
{
    const ItemRef item = BookmarkItem::create();
    item->makeUrl(title, url, "", date);
    out.push_back(item);
}

}  // namespace

void ItemTransfer::registerFormats()
{
    fileGroupDescriptor_ = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"FileGroupDescriptor"));
    netscapeBookmark_ = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"Netscape Bookmark"));
    itemData_ = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"Ravlo001"));
    itemCount_ = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"RavloCounter001"));
    fileContents_ = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"FileContents"));
    html_ = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"HTML Format"));
}

bool ItemTransfer::offers(IDataObject* data, CLIPFORMAT format, LONG index) const
{
    if (data == nullptr || format == 0) return false;
    FORMATETC request = formatEtc(format, index, AnyMedium);
    return data->QueryGetData(&request) == S_OK;
}

bool ItemTransfer::offersOwnItems(IDataObject* data) const
{
    return offers(data, itemData_) && offers(data, itemCount_);
}

DWORD ItemTransfer::canAccept(IDataObject* data, DWORD keyState) const
{
    if (offersOwnItems(data)) return (keyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    if (offers(data, html_)) return DROPEFFECT_COPY;
    if (offers(data, fileGroupDescriptor_) || offers(data, CF_HDROP)) return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
}

size_t ItemTransfer::readItems(IDataObject* data, std::vector<ItemRef>& out, const std::string& date) const
{
    if (offersOwnItems(data)) return readOwnItems(data, out);
    if (offers(data, html_)) return readHtmlLink(data, out, date);
    if (offers(data, fileGroupDescriptor_)) return readVirtualFiles(data, out, date);
    if (offers(data, CF_HDROP)) return readDroppedFiles(data, out, date);
    return 0;
}

size_t ItemTransfer::readOwnItems(IDataObject* data, std::vector<ItemRef>& out) const
{
    const std::optional<std::string> counter = fetchBytes(data, itemCount_);
    if (!counter || counter->size() < sizeof(int32_t)) return 0;
    const std::optional<std::string> records = fetchBytes(data, itemData_);
    if (!records) return 0;
    const std::vector<ItemRef> items = readItemRecords(reinterpret_cast<const uint8_t*>(records->data()),
                                                       records->size(), littleEndianInt32(*counter));
    out.insert(out.end(), items.begin(), items.end());
    return items.size();
}

size_t ItemTransfer::readHtmlLink(IDataObject* data, std::vector<ItemRef>& out, const std::string& date) const
{
    const std::optional<std::string> block = fetchBytes(data, html_);
    if (!block) return 0;
    // The header's fragment offsets are not used: the whole text is scanned.
    const std::optional<HtmlLink> link = HtmlLinkScanner::firstLink(CodePage::fromUtf8(block->c_str()));
    if (!link) return 0;
    appendUrl(out, link->title, link->url, date);
    return 1;
}

size_t ItemTransfer::readVirtualFiles(IDataObject* data, std::vector<ItemRef>& out, const std::string& date) const
{
    const bool fromNetscape = offers(data, netscapeBookmark_);
    const std::optional<std::string> descriptor = fetchBytes(data, fileGroupDescriptor_);
    if (!descriptor) return 0;
    const std::vector<std::string> names =
        FileGroupDescriptor::fileNames(reinterpret_cast<const uint8_t*>(descriptor->data()), descriptor->size());
    size_t made = 0;
    for (size_t index = 0; index < names.size(); ++index) {
        const LONG lindex = static_cast<LONG>(index);
        if (!offers(data, fileContents_, lindex)) continue;
        const std::optional<std::string> contents = fetchBytes(data, fileContents_, lindex);
        if (!contents) continue;
        const std::optional<std::string> url = InternetShortcut::urlFromText(contents->data(), contents->size());
        if (!url) continue;
        appendUrl(out, InternetShortcut::titleFromFileName(names[index], fromNetscape), *url, date);
        ++made;
    }
    return made;
}

size_t ItemTransfer::readDroppedFiles(IDataObject* data, std::vector<ItemRef>& out, const std::string& date) const
{
    size_t made = 0;
    for (const std::wstring& path : droppedPaths(data)) {
        const wchar_t* name = PathFindFileNameW(path.c_str());
        const wchar_t* extension = PathFindExtensionW(name);
        if (_wcsicmp(extension, L".url") != 0) continue;
        const std::wstring url = internetShortcutUrl(path);
        if (url.empty()) continue;
        appendUrl(out, CodePage::fromWide(std::wstring(name, extension)), CodePage::fromWide(url), date);
        ++made;
    }
    return made;
}
