#pragma once
// The links of an Opera hotlist (.adr), converted to code page 932. A line
// of exactly "#URL" starts a link; its field lines follow, each optionally
// indented, as KEY=VALUE, up to an empty line or the end of the text. NAME
// is the title and URL the address; a later field replaces an earlier one of
// the same key. Everything else (the header, folders and their fields) is
// passed over, so the result is the flat list of links in file order.

#include <string>
#include <string_view>
#include <vector>

class HotlistScanner {
public:
    // Appends a title and a URL for every link entry, even when one or both
    // fields are missing (they are then empty).
    static void scan(std::string_view text932, std::vector<std::string>& titles, std::vector<std::string>& urls);
};
