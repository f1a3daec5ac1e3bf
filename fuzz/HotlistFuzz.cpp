// Feeds arbitrary bytes to the hotlist reader after the UTF-8 conversion the
// Opera importer applies. Every link needs its own "#URL" line, and the
// fields are pieces of distinct lines, so they can never be longer than the
// text together.

#include "import/HotlistScanner.h"
#include "platform/CodePage.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

size_t entryLines(const std::string& text)
{
    size_t count = 0;
    for (size_t at = text.find("#URL"); at != std::string::npos; at = text.find("#URL", at + 1))
        ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = CodePage::fromUtf8(std::string(reinterpret_cast<const char*>(data), size));

    std::vector<std::string> titles;
    std::vector<std::string> urls;
    HotlistScanner::scan(text, titles, urls);

    if (titles.size() != urls.size() || titles.size() > entryLines(text)) std::abort();
    size_t taken = 0;
    for (size_t i = 0; i < titles.size(); ++i) {
        if (titles[i].find('\n') != std::string::npos || urls[i].find('\n') != std::string::npos) std::abort();
        taken += titles[i].size() + urls[i].size();
    }
    if (taken > text.size()) std::abort();
    return 0;
}
