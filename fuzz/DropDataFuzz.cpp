// Feeds arbitrary bytes to every reader of dropped data: the HTML link
// scanner, the Internet Shortcut reader, file titles, the file group
// descriptor and the records of dragged items. The first byte picks the
// reader. Bad data may only come out as no result or as the record errors.

#include "framework/ArchiveException.h"
#include "model/ItemRecord.h"
#include "model/SException.h"
#include "views/FileGroupDescriptor.h"
#include "views/HtmlLinkScanner.h"
#include "views/InternetShortcut.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void readDraggedItems(const uint8_t* data, size_t size)
{
    if (size < 4) return;
    int32_t count = 0;
    std::memcpy(&count, data, 4);
    try {
        readItemRecords(data + 4, size - 4, count);
    } catch (const ArchiveException&) {
    } catch (const SException&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const uint8_t* rest = data + 1;
    const size_t restSize = size - 1;
    const std::string text(reinterpret_cast<const char*>(rest), restSize);
    switch (data[0] % 4) {
    case 0:
        if (const auto link = HtmlLinkScanner::firstLink(text)) {
            // The title never holds a control character.
            for (unsigned char c : link->title)
                if (c < 32 || c == 127) std::abort();
        }
        break;
    case 1:
        InternetShortcut::urlFromText(text.data(), text.size());
        InternetShortcut::titleFromFileName(text, true);
        break;
    case 2:
        for (const std::string& name : FileGroupDescriptor::fileNames(rest, restSize))
            if (name.size() > FileGroupDescriptor::NameSize) std::abort();
        break;
    default:
        readDraggedItems(rest, restSize);
        break;
    }
    return 0;
}
