// Feeds arbitrary bytes to the settings-file reader. Besides surviving, a
// loaded tree must respect the reader's own limits: names made of name
// characters only and nesting no deeper than the bound.
#include "xml/CMiniDOMIO.h"
#include "xml/CMiniDOMNode.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

void check(const CMiniDOMNode& node, int depth)
{
    if (depth > CMiniDOMIO::MaxDepth)
        std::abort();
    for (char c : node.name) {
        if (!isNameChar(c))
            std::abort();
    }
    for (size_t i = 0; i < node.childCount(); ++i)
        check(*node.child(i), depth + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMiniDOMIO io;
    CMiniDOMNode document;
    const bool loaded = io.LoadFromMemory(reinterpret_cast<const char*>(data), size, document);
    if (!loaded && io.lastError().empty())
        std::abort();
    for (size_t i = 0; i < document.childCount(); ++i)
        check(*document.child(i), 1);
    return 0;
}
