// Feeds arbitrary bytes to Velmir's page writer as the item stream. It must
// answer true or false without crashing, hanging or growing without bound;
// a page it calls written must be complete.

#include "framework/MemoryFile.h"
#include "framework/ReadOnlyMemoryFile.h"
#include "velmir/HtmlPageWriter.h"

#include <cstdlib>
#include <cstring>

namespace {

// The last byte picks which colours the page carries, so the font tags and
// body attributes are written too.
ColorProfile profileFor(const uint8_t* data, size_t size)
{
    const unsigned selector = size > 0 ? data[size - 1] : 0;
    ColorProfile profile;
    profile.FirstMessage = "<b>first</b>\r\n";
    ColorSetting* settings[] = {&profile.Group, &profile.HighGroup, &profile.BackGround, &profile.Text,
                                &profile.Link, &profile.VLink, &profile.ALink};
    for (size_t i = 0; i < sizeof settings / sizeof settings[0]; ++i)
        *settings[i] = ColorSetting(0x102030u * static_cast<uint32_t>(i), (selector >> i & 1) == 0);
    return profile;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char closing[] = "</body></html>\r\n";
    ReadOnlyMemoryFile input(data, size);
    MemoryFile page;
    const bool written = HtmlPageWriter(input, page, profileFor(data, size), "2024/05/06").write();
    const std::vector<uint8_t>& bytes = page.bytes();
    const size_t closingSize = sizeof closing - 1;
    if (written && (bytes.size() < closingSize ||
                    std::memcmp(bytes.data() + bytes.size() - closingSize, closing, closingSize) != 0))
        std::abort();
    return 0;
}
