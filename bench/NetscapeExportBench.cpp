// Exports the reference book (100,000 links in about 3,200 groups,
// $RAVLO_BENCH_DATA/book.stream as made by bench/make_inputs.py) as a
// Netscape bookmark file the way rvltool export does, and imports that file
// back the way rvltool import does: the whole file read, the UTF-8 it
// declares converted, the links scanned and appended to a new book's top
// group. The exported file stays as $RAVLO_BENCH_DATA/export.html, so that
// bench/run can time cat on it.

#include "ReferenceBook.h"
#include "import/NetscapeBookmarkScanner.h"
#include "model/DefaultBook.h"
#include "model/LinkImport.h"
#include "model/NetscapeBookmarkWriter.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using bench::dataPath;
using bench::ReferenceBook;
using bench::referenceBook;

bool readFile(const std::string& path, std::string& bytes)
{
    std::FILE* file = FileSystem::open(path, "rb");
    if (file == nullptr) return false;
    bytes.clear();
    char buffer[1 << 16];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, got);
    std::fclose(file);
    return true;
}

void ExportToDisk(benchmark::State& state)
{
    const ReferenceBook& book = referenceBook();
    if (!book.missing.empty()) return state.SkipWithError(book.missing.c_str());
    const std::string path = dataPath("export.html");
    size_t size = 0;
    for (auto _ : state) {
        const std::string bytes = NetscapeBookmarkWriter::write(book.root, "book");
        if (!FileSystem::writeReplacing(path, bytes)) return state.SkipWithError("cannot write export.html");
        size = bytes.size();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}

void ImportBack(benchmark::State& state)
{
    std::string bytes;
    if (!readFile(dataPath("export.html"), bytes)) return state.SkipWithError("export.html is missing; run ExportToDisk");
    size_t links = 0;
    for (auto _ : state) {
        readFile(dataPath("export.html"), bytes);
        std::vector<std::string> titles;
        std::vector<std::string> urls;
        NetscapeBookmarkScanner::scan(NetscapeBookmarkScanner::declaresUtf8(bytes) ? CodePage::fromUtf8(bytes) : bytes,
                                      titles, urls);
        BookmarkItem root;
        DefaultBook::fill(root, "2024/01/01");
        for (const ItemRef& item : LinkImport::urlItems(titles, urls, "2024/01/01"))
            LinkImport::topGroup(root)->appendChild(item);
        links = urls.size();
    }
    state.counters["links"] = static_cast<double>(links);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(ExportToDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportBack)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
