// Feeds arbitrary bytes to the readers of options.xml and velmir.xml. Beyond
// surviving, whatever they take from a file must survive a save and a
// reload unchanged: a value that changes on every save would drift.

#include "app/OptionsXml.h"
#include "velmir/ProfileSet.h"
#include "velmir/ProfilesXml.h"
#include "xml/CMiniDOMIO.h"
#include "xml/CMiniDOMNode.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const std::string& scratchFile()
{
    static const std::string path = "/tmp/settings-fuzz-" + std::to_string(getpid()) + ".xml";
    return path;
}

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes the writer makes of `write`'s tree.
template <typename Write>
std::string saved(Write write)
{
    CMiniDOMNode document;
    write(document);
    CMiniDOMIO io;
    if (!io.Save(scratchFile(), document)) std::abort();
    return fileBytes(scratchFile());
}

// Our own output must always load.
void load(const std::string& bytes, CMiniDOMNode& document)
{
    CMiniDOMIO io;
    if (!io.LoadFromMemory(bytes.data(), bytes.size(), document)) std::abort();
}

void checkOptionsRoundTrip(const CMiniDOMNode& document)
{
    AppOptions first;
    first.settingsFolder = "C:\\settings";
    OptionsXml::read(document, first);
    const std::string once = saved([&](CMiniDOMNode& out) { OptionsXml::write(first, out); });
    CMiniDOMNode reloaded;
    load(once, reloaded);
    AppOptions second;
    second.settingsFolder = first.settingsFolder;
    OptionsXml::read(reloaded, second);
    if (saved([&](CMiniDOMNode& out) { OptionsXml::write(second, out); }) != once) std::abort();
}

void checkProfilesRoundTrip(const CMiniDOMNode& document)
{
    ProfileSet first;
    ProfilesXml::read(document, first);
    const std::string once = saved([&](CMiniDOMNode& out) { ProfilesXml::write(first, out); });
    CMiniDOMNode reloaded;
    load(once, reloaded);
    ProfileSet second;
    ProfilesXml::read(reloaded, second);
    if (saved([&](CMiniDOMNode& out) { ProfilesXml::write(second, out); }) != once) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMiniDOMNode document;
    CMiniDOMIO io;
    if (!io.LoadFromMemory(reinterpret_cast<const char*>(data), size, document)) return 0;
    checkOptionsRoundTrip(document);
    checkProfilesRoundTrip(document);
    return 0;
}
