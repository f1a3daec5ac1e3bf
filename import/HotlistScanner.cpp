#include "import/HotlistScanner.h"

#include "import/TextLines.h"

// "=", "#" and the blanks lie below 0x40, which code page 932 never uses as
// the second byte of a pair: plain byte comparisons find whole characters.

namespace {

struct Entry {
    std::string_view title;
    std::string_view url;
};

// One KEY=VALUE line of an entry; a line without "=" is passed over. The
// value runs to the end of the line, "=" and trailing blanks included.
void readField(std::string_view line, Entry& entry)
{
    size_t keyStart = 0;
    while (keyStart < line.size() && TextLines::isBlank(line[keyStart]))
        ++keyStart;
    const size_t equals = line.find('=', keyStart);
    if (equals == std::string_view::npos) return;
    const std::string_view key = line.substr(keyStart, equals - keyStart);
    const std::string_view value = line.substr(equals + 1);
    if (key == "NAME")
        entry.title = value;
    else if (key == "URL")
        entry.url = value;
}

}  // namespace

void HotlistScanner::scan(std::string_view text932, std::vector<std::string>& titles,
                          std::vector<std::string>& urls)
{
    TextLines lines(text932);
    std::string_view line;
    while (lines.next(line)) {
        if (line != "#URL") continue;
        Entry entry;
        while (lines.next(line) && !line.empty())
            readField(line, entry);
        titles.emplace_back(entry.title);
        urls.emplace_back(entry.url);
    }
}
