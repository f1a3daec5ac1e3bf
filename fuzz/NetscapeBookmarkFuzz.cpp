// Feeds arbitrary bytes to the reader of Netscape bookmark files, as code
// page 932 or (first byte odd) through the UTF-8 conversion Mozilla files
// take. Titles and URLs are pieces of single lines that never overlap, so
// together they can never be longer than the text.

#include "import/NetscapeBookmarkScanner.h"
#include "platform/CodePage.h"

#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if ((data[0] & 1) != 0 || NetscapeBookmarkScanner::declaresUtf8(text)) text = CodePage::fromUtf8(text);

    std::vector<std::string> titles;
    std::vector<std::string> urls;
    NetscapeBookmarkScanner::scan(text, titles, urls);

    if (titles.size() != urls.size()) std::abort();
    size_t taken = 0;
    for (size_t i = 0; i < titles.size(); ++i) {
        if (titles[i].find('\n') != std::string::npos || urls[i].find('\n') != std::string::npos) std::abort();
        if (urls[i].find('"') != std::string::npos) std::abort();
        taken += titles[i].size() + urls[i].size();
    }
    if (taken > text.size()) std::abort();
    return 0;
}
