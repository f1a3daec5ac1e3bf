// Feeds arbitrary bytes to the item-record readers. A format error must come
// out as ArchiveException or SException; anything else is a crash. A tree that
// reads must also write, and read back to the same bytes when written again.

#include "framework/ArchiveException.h"
#include "framework/MemoryFile.h"
#include "model/ItemRecord.h"
#include "model/SException.h"

#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> written(const BookmarkItem& item, uint32_t options)
{
    MemoryFile file;
    Archive archive(file, Archive::Mode::Store);
    writeItemRecord(archive, item, options);
    archive.close();
    return file.detach();
}

ItemRef readBack(const std::vector<uint8_t>& bytes)
{
    MemoryFile file(bytes.data(), bytes.size());
    Archive archive(file, Archive::Mode::Load);
    ItemRef item = BookmarkItem::create();
    readItemRecord(archive, *item);
    return item;
}

// What the writer makes of a tree must read back and write out unchanged,
// with and without the options of the HTML output.
void checkRewrite(BookmarkItem& root, uint8_t selector)
{
    const std::vector<uint8_t> plain = written(root, WriteNone);
    if (written(*readBack(plain), WriteNone) != plain) std::abort();

    MarkFilter filter;
    filter.all = (selector & 1) != 0;
    for (int i = 0; i < MarkFilter::MarkCount; ++i) filter.mark[i] = (selector >> (i + 1) & 1) != 0;
    root.applyFilter(filter);
    const std::vector<uint8_t> html = written(root, Filtered | HtmlEscape);
    readBack(html);
}

template <typename Read>
void readExpectingOnlyFormatErrors(const uint8_t* data, size_t size, Read read)
{
    MemoryFile file(data, size);
    Archive archive(file, Archive::Mode::Load);
    ItemRef root = BookmarkItem::create();
    try {
        read(archive, *root);
    } catch (const ArchiveException&) {
        return;
    } catch (const SException&) {
        return;
    }
    checkRewrite(*root, size > 0 ? data[size - 1] : 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    readExpectingOnlyFormatErrors(data, size, readItemStream);
    readExpectingOnlyFormatErrors(data, size, readItemRecord);
    return 0;
}
