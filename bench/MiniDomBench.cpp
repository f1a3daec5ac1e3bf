// Load and save of a large settings-style file: 20,000 leaf elements three
// levels below the document element, with Japanese text and all three entities.
#include "xml/CMiniDOMIO.h"
#include "xml/CMiniDOMNode.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const int Sections = 40;
const int GroupsPerSection = 50;
const int EntriesPerGroup = 10;

void buildSettings(CMiniDOMNode& document)
{
    CMiniDOMNode* root = document.addChild("Settings");
    for (int s = 0; s < Sections; ++s) {
        CMiniDOMNode* section = root->addChild("Section");
        for (int g = 0; g < GroupsPerSection; ++g) {
            CMiniDOMNode* group = section->addChild("Group");
            group->text = "グループ " + std::to_string(g);
            for (int e = 0; e < EntriesPerGroup; ++e) {
                group->addChild("Entry")->text =
                    "表示名「ブックマーク" + std::to_string(e) + "」 & <タグ> 〜 C:\\フォルダ\\ファイル.html";
            }
        }
    }
}

std::string benchPath(const char* name)
{
    return (fs::temp_directory_path() / ("ravlo-minidom-bench-" + std::to_string(::getpid()) + name)).string();
}

// The file every load benchmark reads, written once.
const std::string& settingsFile()
{
    static const std::string path = [] {
        const std::string p = benchPath(".xml");
        CMiniDOMNode document;
        buildSettings(document);
        CMiniDOMIO io;
        if (!io.Save(p, document))
            std::abort();
        return p;
    }();
    return path;
}

void BM_Save(benchmark::State& state)
{
    CMiniDOMNode document;
    buildSettings(document);
    const std::string path = benchPath("-save.xml");
    for (auto _ : state) {
        CMiniDOMIO io;
        benchmark::DoNotOptimize(io.Save(path, document));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(path)));
    fs::remove(path);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

void BM_Load(benchmark::State& state)
{
    const std::string& path = settingsFile();
    for (auto _ : state) {
        CMiniDOMIO io;
        CMiniDOMNode document;
        if (!io.Load(path, document))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(document.childCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(path)));
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

// The same parse without the file system, to show what the reading costs.
void BM_LoadFromMemory(benchmark::State& state)
{
    std::ifstream in(settingsFile(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    for (auto _ : state) {
        CMiniDOMIO io;
        CMiniDOMNode document;
        if (!io.LoadFromMemory(bytes.data(), bytes.size(), document))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(document.childCount());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_LoadFromMemory)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    std::remove(settingsFile().c_str());
    return 0;
}
