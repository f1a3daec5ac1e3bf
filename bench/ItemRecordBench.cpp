// Writes and reads the item-record stream of the reference book: 100,000
// links in about 3,200 groups, $RAVLO_BENCH_DATA/book.stream as made by
// bench/make_inputs.py (bench/run sets everything up).

#include "framework/DiskFile.h"
#include "framework/MemoryFile.h"
#include "model/ItemRecord.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string dataPath(const char* name)
{
    const char* folder = std::getenv("RAVLO_BENCH_DATA");
    return folder != nullptr ? std::string(folder) + "/" + name : std::string();
}

// The stream's bytes and the tree they hold, loaded once for all benchmarks.
struct ReferenceBook {
    std::vector<uint8_t> bytes;
    ItemRef root = BookmarkItem::create();
    std::string missing;  // why there is no book, empty when there is one
};

ReferenceBook loadReferenceBook()
{
    ReferenceBook book;
    const std::string path = dataPath("book.stream");
    if (path.empty()) {
        book.missing = "RAVLO_BENCH_DATA is not set; bench/run makes the inputs";
        return book;
    }
    try {
        DiskFile file(path, DiskFile::Mode::Read);
        book.bytes.resize(file.length());
        Archive archive(file, Archive::Mode::Load);
        archive.readBytes(book.bytes.data(), book.bytes.size());
        MemoryFile memory(book.bytes.data(), book.bytes.size());
        Archive reader(memory, Archive::Mode::Load);
        readItemStream(reader, *book.root);
    } catch (const std::exception& e) {
        book.missing = path + ": " + e.what();
    }
    return book;
}

const ReferenceBook* referenceBook(benchmark::State& state)
{
    static const ReferenceBook book = loadReferenceBook();
    if (book.missing.empty()) return &book;
    state.SkipWithError(book.missing.c_str());
    return nullptr;
}

void countBytes(benchmark::State& state, const ReferenceBook& book)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * book.bytes.size()));
}

void WriteToMemory(benchmark::State& state)
{
    const ReferenceBook* book = referenceBook(state);
    if (book == nullptr) return;
    for (auto _ : state) {
        MemoryFile file;
        Archive archive(file, Archive::Mode::Store);
        writeItemStream(archive, *book->root, WriteNone);
        archive.close();
        benchmark::DoNotOptimize(file.bytes().data());
    }
    countBytes(state, *book);
}

void WriteToDisk(benchmark::State& state)
{
    const ReferenceBook* book = referenceBook(state);
    if (book == nullptr) return;
    const std::string path = dataPath("bench-written.stream");
    for (auto _ : state) {
        DiskFile file(path, DiskFile::Mode::Write);
        Archive archive(file, Archive::Mode::Store);
        writeItemStream(archive, *book->root, WriteNone);
        archive.close();
        file.close();
    }
    countBytes(state, *book);
}

// The filtered, escaped form handed to an HTML add-in, with every item kept.
void WriteHtmlForm(benchmark::State& state)
{
    const ReferenceBook* book = referenceBook(state);
    if (book == nullptr) return;
    book->root->applyFilter(MarkFilter());
    for (auto _ : state) {
        MemoryFile file;
        Archive archive(file, Archive::Mode::Store);
        writeItemStream(archive, *book->root, Filtered | HtmlEscape);
        archive.close();
        benchmark::DoNotOptimize(file.bytes().data());
    }
    countBytes(state, *book);
}

// Freeing the tree is left out of the time: it belongs to closing a book.
template <typename Read>
void timeReading(benchmark::State& state, const ReferenceBook& book, Read read)
{
    for (auto _ : state) {
        ItemRef root = BookmarkItem::create();
        read(*root);
        benchmark::DoNotOptimize(root->children.size());
        state.PauseTiming();
        root.reset();
        state.ResumeTiming();
    }
    countBytes(state, book);
}

void ReadFromMemory(benchmark::State& state)
{
    const ReferenceBook* book = referenceBook(state);
    if (book == nullptr) return;
    MemoryFile file(book->bytes.data(), book->bytes.size());
    timeReading(state, *book, [&](BookmarkItem& root) {
        file.seekToBegin();
        Archive archive(file, Archive::Mode::Load);
        readItemStream(archive, root);
    });
}

void ReadFromDisk(benchmark::State& state)
{
    const ReferenceBook* book = referenceBook(state);
    if (book == nullptr) return;
    const std::string path = dataPath("book.stream");
    timeReading(state, *book, [&](BookmarkItem& root) {
        DiskFile file(path, DiskFile::Mode::Read);
        Archive archive(file, Archive::Mode::Load);
        readItemStream(archive, root);
    });
}

BENCHMARK(WriteToMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteToDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteHtmlForm)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadFromDisk)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
