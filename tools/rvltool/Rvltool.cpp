#include "tools/rvltool/Rvltool.h"

#include "addin/AddinFinder.h"
#include "app/SettingsFolderKey.h"
#include "framework/Archive.h"
#include "framework/DiskFile.h"
#include "framework/RegistryProfile.h"
#include "import/AnyFileImporter.h"
#include "import/ImportPaths.h"
#include "import/TreeImportCommand.h"
#include "model/BookExport.h"
#include "model/BookXml.h"
#include "model/DefaultBook.h"
#include "model/DuplicateFinder.h"
#include "model/FindMatcher.h"
#include "model/GroupPath.h"
#include "model/HtmlItemStream.h"
#include "model/ItemRecord.h"
#include "model/LinkImport.h"
#include "model/SException.h"
#include "model/TodayText.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/PathJoin.h"
#include "tools/rvltool/ConsoleUiServices.h"
#include "tools/rvltool/TemporaryFolder.h"
#include "tools/rvltool/ToolArguments.h"

#include <windows.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>

struct Rvltool::Command {
    CommandSpec spec;
    int (Rvltool::*handler)(const ToolArguments& args);
};

// Description lines are indented to stand under their synopsis in the usage text.
const Rvltool::Command Rvltool::Commands[] = {
    {{"dump", "rvltool dump BOOK",
      "         prints the items of BOOK (XML or binary), one a line:\n"
      "         indentation by depth, then type, title, URL, message, date and marks\n"
      "         separated by tabs (\\ \\n \\r \\t and other control bytes escaped)\n",
      {}, {}, 1, 1},
     &Rvltool::dump},
    {{"convert", "rvltool convert BOOK OUT.rvl", "         reads BOOK (XML or binary) and saves it as an XML book\n",
      {}, {}, 2, 2},
     &Rvltool::convert},
    {{"import", "rvltool import [--utf8] BOOK FILE...\n       rvltool import --tree BOOK FILE.html",
      "         adds the links of each FILE (.htm or .html bookmark file, .url Internet\n"
      "         Shortcut, .adr Opera hotlist; other files are skipped) as new links at\n"
      "         the end of the first top-level group of BOOK, makes BOOK a new book\n"
      "         first when it does not exist, and prints how many were added\n"
      "         --utf8      reads the HTML files as UTF-8 (Netscape 6 and later)\n"
      "         --tree      adds the whole tree of one bookmark file in the Netscape\n"
      "                     format (any browser's export, UTF-8 or Shift_JIS) as a new\n"
      "                     group at the end of BOOK's top level, folders as groups,\n"
      "                     and prints how many folders and links came\n",
      {"--utf8", "--tree"}, {}, 2, SIZE_MAX},
     &Rvltool::import},
    {{"html", "rvltool html BOOK OUT.html [--addin FILE.dll] [--marks 1,3,...] [--settings FOLDER]",
      "         makes a web page of BOOK with an add-in, as Ravlo's HTML output does\n"
      "         --addin     the add-in (default: the first beside rvltool that makes pages)\n"
      "         --marks     only the items with one of these marks, 1 to 5 (default: all)\n"
      "         --settings  the add-in's settings folder (default: Ravlo's, else an\n"
      "                     empty one, which gives the add-in's default profile)\n",
      {}, {"--addin", "--marks", "--settings"}, 2, 2},
     &Rvltool::html},
    {{"export", "rvltool export BOOK OUT.html",
      "         writes BOOK as a bookmark file in the Netscape format (UTF-8) that\n"
      "         browsers import: groups as folders with their links, separators,\n"
      "         messages, dates and marks\n",
      {}, {}, 2, 2},
     &Rvltool::exportBook},
    {{"find", "rvltool find BOOK TEXT...",
      "         prints each item whose title, URL or message holds every word of TEXT\n"
      "         (ASCII letter case ignored, full-width letters and digits as half-width\n"
      "         ones), one a line: group path (\" > \"), type, title and URL separated\n"
      "         by tabs; exits with 1 when nothing matched, 2 on errors\n",
      {}, {}, 2, SIZE_MAX},
     &Rvltool::find},
    {{"dupes", "rvltool dupes BOOK",
      "         prints each URL that more than one item holds (the letter case of\n"
      "         scheme and host, a default port, an empty path for \"/\" and a \"#\" at\n"
      "         the end do not count), each followed by one line per item: a tab,\n"
      "         group path, title and URL; exits with 1 when there are none, 2 on errors\n",
      {}, {}, 1, 1},
     &Rvltool::dupes},
};

namespace {

const char kHelpUsage[] = "       rvltool --help | rvltool COMMAND --help\n"
                          "         shows this text, or the part of one command\n";

// One field of an output line: UTF-8, with the bytes that would break the
// line or the columns escaped. Escaping after the conversion: in 932 the
// second byte of a kanji can be a backslash.
std::string lineField(const std::string& text932)
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

std::string joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

std::string programFolder()
{
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    return PathJoin::folderOf(CodePage::fromWide(program));
}

// Puts `services` in place for one command and the previous ones back after it.
class InstalledServices {
public:
    explicit InstalledServices(UiServices* services) : previous_(UiServices::Install(services)) {}
    ~InstalledServices() { UiServices::Install(previous_); }
    InstalledServices(const InstalledServices&) = delete;
    InstalledServices& operator=(const InstalledServices&) = delete;

private:
    UiServices* previous_;
};

// The add-in the html command uses, initialised with `settingsFolder`; null
// after telling why on `err` when there is none.
std::unique_ptr<AddinModule> chooseAddin(const std::string& named, const std::string& settingsFolder, std::FILE* err)
{
    if (!named.empty()) {
        auto addin = std::make_unique<AddinModule>();
        if (addin->load(FileSystem::fullPath(named)) && addin->initialize(settingsFolder)) return addin;
        ConsoleUiServices::report(err, "not a usable add-in: " + named);
        return nullptr;
    }
    for (auto& addin : AddinFinder::discover(programFolder(), settingsFolder))
        if (addin->canMakeHtml()) return std::move(addin);
    ConsoleUiServices::report(err, "no add-in that makes pages beside rvltool; name one with --addin");
    return nullptr;
}

}  // namespace

int Rvltool::run(const std::vector<std::string>& args)
{
    if (args.empty()) return usage(err_, BadArguments);
    if (args[0] == "--help") return usage(out_, Success);
    for (const Command& command : Commands) {
        if (args[0] != command.spec.name) continue;
        ToolArguments parsed;
        std::string error;
        if (!parsed.parse(command.spec, std::vector<std::string>(args.begin() + 1, args.end()), error)) {
            report(error);
            return BadArguments;
        }
        if (parsed.wantsHelp()) return commandUsage(command.spec);
        ConsoleUiServices console(err_);
        const InstalledServices installed(&console);
        return (this->*command.handler)(parsed);
    }
    report("unknown command " + args[0] + "; see rvltool --help");
    return BadArguments;
}

int Rvltool::usage(std::FILE* stream, int exitCode)
{
    std::string text;
    for (const Command& command : Commands)
        text += std::string(text.empty() ? "usage: " : "       ") + command.spec.synopsis + "\n" +
                command.spec.description;
    text += kHelpUsage;
    std::fputs(text.c_str(), stream);
    return exitCode;
}

int Rvltool::commandUsage(const CommandSpec& spec)
{
    print(std::string("usage: ") + spec.synopsis + "\n" + spec.description);
    return Success;
}

int Rvltool::dump(const ToolArguments& args)
{
    BookmarkItem root;
    if (!openBook(args.operands()[0], root)) return Failure;
    dumpItem(root, 0);
    return std::fflush(out_) == 0 ? Success : Failure;
}

int Rvltool::convert(const ToolArguments& args)
{
    BookmarkItem root;
    if (!openBook(args.operands()[0], root)) return Failure;
    const std::string& output = args.operands()[1];
    if (saveBook(output, root)) return Success;
    report("cannot write " + output);
    return Failure;
}

int Rvltool::import(const ToolArguments& args)
{
    if (args.has("--tree")) return importTree(args);
    const std::string book = FileSystem::fullPath(args.operands()[0]);
    BookmarkItem root;
    if (!openOrCreateBook(book, root)) return Failure;
    BookmarkItem* const target = LinkImport::topGroup(root);
    if (target == nullptr) {
        report(book + " has no top-level group to take the links");
        return Failure;
    }
    std::vector<std::string> titles;
    std::vector<std::string> urls;
    const std::vector<std::string> files(args.operands().begin() + 1, args.operands().end());
    if (!readImportFiles(files, args.has("--utf8"), titles, urls)) return Failure;
    const std::vector<ItemRef> items = LinkImport::urlItems(titles, urls, todayText());
    for (const ItemRef& item : items) target->appendChild(item);
    if (!saveBook(book, root)) {
        report("cannot write " + book);
        return Failure;
    }
    print(std::to_string(items.size()) + " links added\n");
    return Success;
}

int Rvltool::importTree(const ToolArguments& args)
{
    if (args.operands().size() != 2 || args.has("--utf8")) {
        report("import --tree takes one BOOK and one FILE.html, and finds the file's encoding itself");
        return BadArguments;
    }
    const std::string book = FileSystem::fullPath(args.operands()[0]);
    BookmarkItem root;
    TreeImport imported;
    // The reader has told why it could not read the file.
    if (!openOrCreateBook(book, root) || !TreeImportCommand::readFile(nullptr, args.operands()[1], imported))
        return Failure;
    root.appendChild(imported.group);
    if (!saveBook(book, root)) {
        report("cannot write " + book);
        return Failure;
    }
    print(CodePage::toUtf8(TreeImportCommand::summary(imported)) + "\n");
    return Success;
}

bool Rvltool::openOrCreateBook(const std::string& path, BookmarkItem& root)
{
    if (FileSystem::exists(path)) return openBook(path, root, false);
    DefaultBook::fill(root, todayText());
    return true;
}

bool Rvltool::readImportFiles(const std::vector<std::string>& files, bool utf8, std::vector<std::string>& titles,
                              std::vector<std::string>& urls)
{
    for (const std::string& file : files) {
        const ImportPaths::FileKind kind = ImportPaths::kindOf(file);
        if (kind == ImportPaths::FileKind::Other) {
            report("skipped " + file + ": not a .htm, .html, .url or .adr file");
            continue;
        }
        if (!FileSystem::exists(file)) {
            report("no such file: " + file);
            return false;
        }
        // The HTML and hotlist readers have told why they could not read a file.
        const int read = AnyFileImporter::ReadChosenFile(nullptr, file, titles, urls, utf8);
        if (read == 0 && kind != ImportPaths::FileKind::InternetShortcut) return false;
        if (read == 0) report("no link in " + file);
    }
    return true;
}

int Rvltool::html(const ToolArguments& args)
{
    MarkFilter filter;
    if (args.has("--marks") && !parseMarks(args.value("--marks"), filter)) return BadArguments;
    BookmarkItem root;
    if (!openBook(args.operands()[0], root)) return Failure;
    std::string settings = FileSystem::fullPath(args.value("--settings"));
    if (settings.empty())
        settings = RegistryProfile(SettingsFolderKey::ProgramKey).GetString(SettingsFolderKey::Section,
                                                                           SettingsFolderKey::Entry);
    std::optional<TemporaryFolder> emptySettings;
    if (settings.empty()) settings = emptySettings.emplace().path();
    const std::unique_ptr<AddinModule> addin = chooseAddin(args.value("--addin"), settings, err_);
    if (addin == nullptr) return Failure;

    const std::vector<uint8_t> stream = HtmlItemStream::make(root, filter);
    const std::string output = FileSystem::fullPath(args.operands()[1]);
    const std::string temporary = FileSystem::temporaryPathFor(output);
    const bool made = !temporary.empty() &&
                      addin->makeHtml(reinterpret_cast<const char*>(stream.data()),
                                      static_cast<uint32_t>(stream.size()), temporary) &&
                      FileSystem::replace(temporary, output);
    if (!made) {
        if (!temporary.empty()) FileSystem::remove(temporary);
        report(addin->displayName() + " によるHTML作成に失敗しました。");
        return Failure;
    }
    print(CodePage::toUtf8(addin->displayName() + " を用いてHTMLを作成しました。") + "\n");
    return Success;
}

bool Rvltool::parseMarks(const std::string& list, MarkFilter& filter)
{
    filter.all = false;
    for (size_t start = 0; start <= list.size();) {
        size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        const std::string number = list.substr(start, end - start);
        if (number.size() != 1 || number[0] < '1' || number[0] > '0' + MarkFilter::MarkCount) {
            report("--marks takes mark numbers 1 to 5 separated by commas, not " + list);
            return false;
        }
        filter.mark[number[0] - '1'] = true;
        start = end + 1;
    }
    return true;
}

int Rvltool::exportBook(const ToolArguments& args)
{
    const std::string& book = args.operands()[0];
    BookmarkItem root;
    if (!openBook(book, root)) return Failure;
    const std::string& output = args.operands()[1];
    if (BookExport::write(root, PathJoin::baseNameOf(book), output)) return Success;
    report("cannot write " + output);
    return Failure;
}

int Rvltool::find(const ToolArguments& args)
{
    const FindMatcher matcher(joined(std::vector<std::string>(args.operands().begin() + 1, args.operands().end())));
    if (!matcher.hasWords()) {
        report("find needs a word to look for");
        return SearchFailed;
    }
    BookmarkItem root;
    if (!openBook(args.operands()[0], root)) return SearchFailed;
    const std::vector<BookmarkItem*> found = matcher.findIn(root);
    for (const BookmarkItem* item : found)
        print(lineField(GroupPath::of(*item)) + '\t' + typeField(*item) + '\t' + lineField(item->title) + '\t' +
              lineField(item->url) + '\n');
    return found.empty() ? NothingFound : Success;
}

int Rvltool::dupes(const ToolArguments& args)
{
    BookmarkItem root;
    if (!openBook(args.operands()[0], root)) return SearchFailed;
    const std::vector<DuplicateUrl> duplicates = DuplicateFinder::find(root);
    for (const DuplicateUrl& duplicate : duplicates) {
        print(lineField(duplicate.items.front()->url) + '\n');
        for (const BookmarkItem* item : duplicate.items)
            print('\t' + lineField(GroupPath::of(*item)) + '\t' + lineField(item->title) + '\t' +
                  lineField(item->url) + '\n');
    }
    return duplicates.empty() ? NothingFound : Success;
}

void Rvltool::dumpItem(const BookmarkItem& item, int depth)
{
    print(std::string(2 * depth, ' ') + typeField(item) + '\t' + lineField(item.title) + '\t' + lineField(item.url) +
          '\t' + lineField(item.message) + '\t' + lineField(item.date) + '\t' + lineField(item.marks) + '\n');
    for (const ItemRef& child : item.children) dumpItem(*child, depth + 1);
}

bool Rvltool::openBook(const std::string& path, BookmarkItem& root, bool foreignAllowed)
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
    const BookLoad loaded = loadBook(path, root);
    if (loaded == BookLoad::Read || (loaded == BookLoad::Foreign && foreignAllowed)) return true;
    // A foreign XML file reads as an empty book, but must never be saved over.
    report((loaded == BookLoad::Foreign ? "not a book (no book namespace): " : "not a readable book: ") + path);
    return false;
}

void Rvltool::print(const std::string& utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), out_);
}

void Rvltool::report(const std::string& text)
{
    ConsoleUiServices::report(err_, text);
}
