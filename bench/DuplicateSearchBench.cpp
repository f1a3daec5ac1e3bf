// The search behind "重複URLの検索": every URL of the reference book keyed and
// counted, once as the book is (its URLs are all different) and once with a
// copy of every tenth link added, 10,000 URLs held twice.

#include "ReferenceBook.h"
#include "model/DuplicateFinder.h"
#include "model/ItemWalk.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// The reference book with a copy of every tenth link at the end of its first group.
const bench::ReferenceBook& bookWithCopies()
{
    static bench::ReferenceBook book;
    static const bool made = [] {
        book.missing = bench::readReferenceBook(book.root);
        if (!book.missing.empty()) return true;
        std::vector<const BookmarkItem*> links;
        ItemWalk::forEachDescendant(book.root, [&](BookmarkItem& item) {
            if (item.type == ItemType::Url) links.push_back(&item);
        });
        BookmarkItem& first = *book.root.children.front();
        for (size_t n = 0; n < links.size(); n += 10)
            first.addUrlChild(links[n]->title, links[n]->url, links[n]->message, links[n]->date);
        return true;
    }();
    static_cast<void>(made);
    return book;
}

void findDuplicates(benchmark::State& state, const bench::ReferenceBook& book)
{
    if (!book.missing.empty()) return state.SkipWithError(book.missing.c_str());
    size_t urls = 0;
    for (auto _ : state) {
        const std::vector<DuplicateUrl> duplicates = DuplicateFinder::find(book.root);
        urls = duplicates.size();
        benchmark::DoNotOptimize(duplicates.data());
    }
    state.counters["duplicate_urls"] = static_cast<double>(urls);
}

void FindInReferenceBook(benchmark::State& state) { findDuplicates(state, bench::referenceBook()); }
void FindWithTenThousandCopies(benchmark::State& state) { findDuplicates(state, bookWithCopies()); }

BENCHMARK(FindInReferenceBook)->Unit(benchmark::kMillisecond);
BENCHMARK(FindWithTenThousandCopies)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
