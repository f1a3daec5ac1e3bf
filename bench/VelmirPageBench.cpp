// Velmir's page of the reference book: 100,000 links in about 3,200 groups,
// from $RAVLO_BENCH_DATA/book.stream as made by bench/make_inputs.py, turned
// into the filtered, escaped stream the host hands over (every item kept).
// PageToDisk writes $RAVLO_BENCH_DATA/velmir-page.html, the file bench/run
// measures `dd bs=4k` against.

#include "framework/DiskFile.h"
#include "framework/MemoryFile.h"
#include "framework/ReadOnlyMemoryFile.h"
#include "model/ItemRecord.h"
#include "velmir/HtmlPageWriter.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const Today = "2024/05/06";

std::string dataPath(const char* name)
{
    const char* folder = std::getenv("RAVLO_BENCH_DATA");
    return folder != nullptr ? std::string(folder) + "/" + name : std::string();
}

struct HostStream {
    std::vector<uint8_t> bytes;
    std::string missing;  // why there is no stream, empty when there is one
};

HostStream loadHostStream()
{
    HostStream stream;
    const std::string path = dataPath("book.stream");
    if (path.empty()) {
        stream.missing = "RAVLO_BENCH_DATA is not set; bench/run makes the inputs";
        return stream;
    }
    try {
        ItemRef root = BookmarkItem::create();
        DiskFile file(path, DiskFile::Mode::Read);
        Archive reader(file, Archive::Mode::Load);
        readItemStream(reader, *root);
        root->applyFilter(MarkFilter());
        MemoryFile memory;
        Archive writer(memory, Archive::Mode::Store);
        writeItemStream(writer, *root, Filtered | HtmlEscape);
        writer.close();
        stream.bytes = memory.detach();
    } catch (const std::exception& e) {
        stream.missing = path + ": " + e.what();
    }
    return stream;
}

const HostStream* hostStream(benchmark::State& state)
{
    static const HostStream stream = loadHostStream();
    if (stream.missing.empty()) return &stream;
    state.SkipWithError(stream.missing.c_str());
    return nullptr;
}

// A profile with every colour set, so every heading carries its font tag.
ColorProfile colourfulProfile()
{
    ColorProfile profile;
    profile.Name = "bench";
    profile.FirstMessage = "ブックマーク集<br>\r\n";
    for (ColorSetting* setting : {&profile.Group, &profile.HighGroup, &profile.BackGround, &profile.Text,
                                  &profile.Link, &profile.VLink, &profile.ALink})
        *setting = ColorSetting(0x336699, false);
    return profile;
}

void PageToDisk(benchmark::State& state)
{
    const HostStream* stream = hostStream(state);
    if (stream == nullptr) return;
    const ColorProfile profile = colourfulProfile();
    const std::string path = dataPath("velmir-page.html");
    uint64_t pageSize = 0;
    for (auto _ : state) {
        ReadOnlyMemoryFile input(stream->bytes.data(), stream->bytes.size());
        DiskFile page(path, DiskFile::Mode::Write);
        if (!HtmlPageWriter(input, page, profile, Today).write()) state.SkipWithError("page not written");
        pageSize = page.length();
        page.close();
    }
    state.counters["page_bytes"] = static_cast<double>(pageSize);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * pageSize));
}

void PageToMemory(benchmark::State& state)
{
    const HostStream* stream = hostStream(state);
    if (stream == nullptr) return;
    const ColorProfile profile = colourfulProfile();
    for (auto _ : state) {
        ReadOnlyMemoryFile input(stream->bytes.data(), stream->bytes.size());
        MemoryFile page;
        HtmlPageWriter(input, page, profile, Today).write();
        benchmark::DoNotOptimize(page.bytes().data());
    }
}

BENCHMARK(PageToDisk)->Unit(benchmark::kMillisecond);
BENCHMARK(PageToMemory)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
