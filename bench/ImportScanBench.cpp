// Reads the links of the reference book's Netscape bookmark file and Opera
// hotlist the way the importers do: the whole file from disk, for the
// hotlist the UTF-8 conversion, then the scan; and the whole tree of the
// Netscape file the way the import keeping folders reads it. $RAVLO_BENCH_DATA/book.htm and
// book.adr are made by bench/make_inputs.py (bench/run sets everything up).

#include "import/HotlistScanner.h"
#include "import/NetscapeBookmarkScanner.h"
#include "import/NetscapeTreeReader.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string dataPath(const char* name)
{
    const char* folder = std::getenv("RAVLO_BENCH_DATA");
    return folder != nullptr ? std::string(folder) + "/" + name : std::string();
}

// The file's bytes; false when it cannot be read.
bool readFile(const std::string& path, std::string& bytes)
{
    std::FILE* file = path.empty() ? nullptr : FileSystem::open(path, "rb");
    if (file == nullptr) return false;
    bytes.clear();
    char buffer[1 << 16];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, got);
    std::fclose(file);
    return true;
}

template <typename Scan>
void timeScan(benchmark::State& state, const char* name, Scan scan)
{
    const std::string path = dataPath(name);
    std::string bytes;
    if (!readFile(path, bytes)) {
        state.SkipWithError((std::string(name) + " is missing; bench/run makes the inputs").c_str());
        return;
    }
    size_t links = 0;
    for (auto _ : state) {
        readFile(path, bytes);
        std::vector<std::string> titles;
        std::vector<std::string> urls;
        scan(bytes, titles, urls);
        links = titles.size();
        benchmark::DoNotOptimize(urls.data());
    }
    state.counters["links"] = static_cast<double>(links);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void NetscapeScan(benchmark::State& state)
{
    timeScan(state, "book.htm", [](const std::string& bytes, auto& titles, auto& urls) {
        NetscapeBookmarkScanner::scan(bytes, titles, urls);
    });
}

void HotlistScan(benchmark::State& state)
{
    timeScan(state, "book.adr", [](const std::string& bytes, auto& titles, auto& urls) {
        HotlistScanner::scan(CodePage::fromUtf8(bytes), titles, urls);
    });
}

void NetscapeTreeRead(benchmark::State& state)
{
    timeScan(state, "book.htm", [](const std::string& bytes, auto& titles, auto&) {
        const TreeImport imported = NetscapeTreeReader::read(bytes, "book.htm", "2024/01/02");
        titles.resize(imported.links);
    });
}

BENCHMARK(NetscapeScan)->Unit(benchmark::kMillisecond);
BENCHMARK(NetscapeTreeRead)->Unit(benchmark::kMillisecond);
BENCHMARK(HotlistScan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
