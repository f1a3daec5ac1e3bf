#pragma once
// The inputs bench/make_inputs.py writes into $RAVLO_BENCH_DATA (bench/run
// sets everything up), above all the reference book: 100,000 links in about
// 3,200 groups, as the record stream book.stream.

#include "framework/Archive.h"
#include "framework/DiskFile.h"
#include "model/ItemRecord.h"

#include <cstdlib>
#include <exception>
#include <string>

namespace bench {

// The file `name` among the inputs; empty when RAVLO_BENCH_DATA is not set.
inline std::string dataPath(const char* name)
{
    const char* folder = std::getenv("RAVLO_BENCH_DATA");
    return folder != nullptr ? std::string(folder) + "/" + name : std::string();
}

// Reads the reference book into `root`; empty, or why it could not.
inline std::string readReferenceBook(BookmarkItem& root)
{
    try {
        DiskFile file(dataPath("book.stream"), DiskFile::Mode::Read);
        Archive archive(file, Archive::Mode::Load);
        readItemStream(archive, root);
        return std::string();
    } catch (const std::exception& e) {
        return "book.stream: " + std::string(e.what()) + "; bench/run makes the inputs";
    }
}

struct ReferenceBook {
    BookmarkItem root;
    std::string missing;  // why there is no book, empty when there is one
};

// The reference book, read at the first call.
inline const ReferenceBook& referenceBook()
{
    static ReferenceBook book;
    static const bool read = (book.missing = readReferenceBook(book.root), true);
    static_cast<void>(read);
    return book;
}

}  // namespace bench
