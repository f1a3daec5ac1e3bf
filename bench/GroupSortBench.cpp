// Sorting one group of 20,000 items by title, URL and date: the portable
// sort alone, with a stand-in collation whose key is the title's bytes (the
// system's sort keys and the refresh of the panes are measured under Wine).

#include "model/ChildrenSort.h"
#include "model/TitleCollation.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int ItemCount = 20000;

struct BytesCollation : TitleCollation {
    std::string sortKey(const std::string& title) const override { return title; }
};

// Links in a shuffled order, every 40th a group and every 1,000th a separator.
std::vector<ItemRef> shuffledChildren()
{
    std::mt19937 random(11);
    std::vector<ItemRef> children;
    for (int i = 0; i < ItemCount; ++i) {
        const ItemRef item = BookmarkItem::create();
        const std::string number = std::to_string(random() % 100000);
        const std::string date = "2024/0" + std::to_string(1 + random() % 9) + "/1" + std::to_string(random() % 10);
        if (i % 1000 == 999)
            item->makeSeparator(date);
        else if (i % 40 == 0)
            item->makeGroup("グループ " + number, date);
        else
            item->makeUrl("ブックマーク " + number + " の題名", "http://example.com/" + number, "", date);
        children.push_back(item);
    }
    return children;
}

void sortGroupOf20000(benchmark::State& state, SortKey key)
{
    const std::vector<ItemRef> shuffled = shuffledChildren();
    const ItemRef group = BookmarkItem::create();
    for (const ItemRef& child : shuffled) group->appendChild(child);
    const BytesCollation collation;
    for (auto _ : state) {
        state.PauseTiming();
        auto next = shuffled.begin();
        for (ItemRef& child : group->children) child = *next++;
        state.ResumeTiming();
        sortChildren(*group, key, collation);
        benchmark::DoNotOptimize(group->children.front().get());
    }
}

BENCHMARK_CAPTURE(sortGroupOf20000, Title, SortKey::Title)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sortGroupOf20000, Url, SortKey::Url)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(sortGroupOf20000, Date, SortKey::Date)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
