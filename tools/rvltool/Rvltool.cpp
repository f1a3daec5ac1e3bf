#include "tools/rvltool/Rvltool.h"

#include "framework/Archive.h"
#include "framework/DiskFile.h"
#include "model/BookXml.h"
#include "model/ItemRecord.h"
#include "model/SException.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"

#include <exception>

namespace {

const char kUsage[] =
    "usage: rvltool dump BOOK\n"
    "         prints the items of BOOK (XML or binary), one a line:\n"
    "         indentation by depth, then type, title, URL, message, date and marks\n"
    "         separated by tabs (\\ \\n \\r \\t and other control bytes escaped)\n"
    "       rvltool convert BOOK OUT.rvl\n"
    "         reads BOOK (XML or binary) and saves it as an XML book\n";


// One field of a dump line: UTF-8, with the bytes that would break the line
// or the columns escaped. Escaping after the conversion: in 932 the second
// byte of a kanji can be a backslash.
std::string dumpField(const std::string& text932)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (const char c : CodePage::toUtf8(text932)) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (byte < 0x20 || byte == 0x7f) out += std::string("\\x") + hex[byte >> 4] + hex[byte & 15];
        else out += c;
    }
    return out;
}

std::string typeField(const BookmarkItem& item)
{
    const char* name = itemTypeName(item.type);
    return name != nullptr ? name : std::to_string(static_cast<unsigned long>(item.type));
}

}  // namespace

int Rvltool::run(const std::vector<std::string>& args)
{
    if (args.size() == 2 && args[0] == "dump") return dump(args[1]);
    if (args.size() == 3 && args[0] == "convert") return convert(args[1], args[2]);
    return usage();
}

int Rvltool::usage()
{
    std::fputs(kUsage, err_);
    return BadArguments;
}

int Rvltool::dump(const std::string& book)
{
    BookmarkItem root;
    if (!openBook(book, root)) return Failure;
    dumpItem(root, 0);
    return std::fflush(out_) == 0 ? Success : Failure;
}

int Rvltool::convert(const std::string& book, const std::string& output)
{
    BookmarkItem root;
    if (!openBook(book, root)) return Failure;
    if (saveBook(output, root)) return Success;
    report("cannot write " + output);
    return Failure;
}

void Rvltool::dumpItem(const BookmarkItem& item, int depth)
{
    const std::string line = std::string(2 * depth, ' ') + typeField(item) + '\t' + dumpField(item.title) + '\t' +
                             dumpField(item.url) + '\t' + dumpField(item.message) + '\t' + dumpField(item.date) +
                             '\t' + dumpField(item.marks) + '\n';
    std::fwrite(line.data(), 1, line.size(), out_);
    for (const ItemRef& child : item.children) dumpItem(*child, depth + 1);
}

bool Rvltool::openBook(const std::string& path, BookmarkItem& root)
{
    if (!FileSystem::exists(path)) {
        report("no such file: " + path);
        return false;
    }
    try {
        DiskFile file(path, DiskFile::Mode::Read);
        if (startsWithStreamMark(file)) {
            file.seekToBegin();
            Archive archive(file, Archive::Mode::Load);
            readItemStream(archive, root);
            return true;
        }
    } catch (const SException& error) {
        report("cannot read " + path + ": " + error.message());
        return false;
    } catch (const std::exception& error) {
        report("cannot read " + path + ": " + error.what());
        return false;
    }
    if (loadBook(path, root) != BookLoad::Unreadable) return true;
    report("not a readable book: " + path);
    return false;
}

void Rvltool::report(const std::string& text)
{
    const std::string line = "rvltool: " + CodePage::toUtf8(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), err_);
}
