// Times loading and saving a large book through MSXML:
//   BookXmlBench BOOK.rvl [RUNS]
// BOOK.rvl comes from bench/make_inputs.py. Prints the best time of RUNS
// (default 3) for each step in milliseconds; bench/win/run puts them next to
// the native reference.

#include "model/BookXml.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

size_t countItems(const BookmarkItem& item)
{
    size_t count = 1;
    for (const ItemRef& child : item.children) count += countItems(*child);
    return count;
}

template <class Step>
double bestMilliseconds(int runs, Step step)
{
    double best = 0;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!step()) return -1;
        const double elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        if (run == 0 || elapsed < best) best = elapsed;
    }
    return best;
}

int fail(const char* what)
{
    std::fprintf(stderr, "BookXmlBench: %s\n", what);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return fail("usage: BookXmlBench BOOK.rvl [RUNS]");
    const std::string book = CodePage::fromWide(argv[1]);
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
    const std::string copy = FileSystem::temporaryPathFor(book);

    BookmarkItem root;
    const double loadMs = bestMilliseconds(runs, [&] { return loadBook(book, root) == BookLoad::Read; });
    if (loadMs < 0) return fail("cannot load the book");
    const double saveMs = bestMilliseconds(runs, [&] { return saveBook(copy, root); });
    FileSystem::remove(copy);
    if (saveMs < 0) return fail("cannot save the book");

    std::printf("items %zu\n", countItems(root));
    std::printf("load_ms %.1f\n", loadMs);
    std::printf("save_ms %.1f\n", saveMs);
    std::printf("save/load %.2f\n", saveMs / loadMs);
    return 0;
}
