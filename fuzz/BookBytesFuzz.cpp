// Feeds arbitrary bytes to what a book passes before the DOM, then to
// libxml2 in its place: the parser the DOM under Wine is built on (MSXML on
// Windows refuses DTDs itself). Whatever the document type check lets
// through must hold no document type declaration for that parser. Declared
// encodings are ignored, as the DOM under Wine reads only UTF-8, UTF-16 and
// Latin-1, which the parser tells from the first bytes alone.
#include "model/BookBytes.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void ignoreMessage(void*, const char*, ...) {}

bool declaresDocumentType(const uint8_t* data, size_t size)
{
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_IGNORE_ENC;
    xmlDocPtr document = xmlReadMemory(reinterpret_cast<const char*>(data), static_cast<int>(size), "book.rvl",
                                       nullptr, options);
    if (document == nullptr) return false;
    const bool declared = document->intSubset != nullptr || document->extSubset != nullptr;
    xmlFreeDoc(document);
    return declared;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    xmlSetGenericErrorFunc(nullptr, ignoreMessage);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!mayDeclareDocumentType(reinterpret_cast<const char*>(data), size) && declaresDocumentType(data, size))
        std::abort();
    // The reference rewrite leaves no stand-in behind, whatever surrounds it.
    const std::string written = withCarriageReturnReferences(std::string(reinterpret_cast<const char*>(data), size));
    if (written.find("\xEE\xA0\x80") != std::string::npos) std::abort();
    return 0;
}
