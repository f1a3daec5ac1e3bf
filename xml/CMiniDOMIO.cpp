#include "xml/CMiniDOMIO.h"

#include "platform/FileSystem.h"

namespace {

const char* const Declaration = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";

const char* const WritePrefix = "書込エラー: ";
const char* const ReadPrefix = "読込エラー: ";
const char* const OutputFailed = "出力に失敗しました。";
const char* const InputFailed = "入力に失敗しました。";
const char* const UnexpectedEnd = "読み込み中に終端に到達しました。";
const char* const MissingCloseBracket = "\">\"が存在しません。";
const char* const MissingName = "名前が存在しません。";
const char* const UnknownEntity = "未対応の特殊文字です。";
const char* const TagMismatch = "終了タグと開始タグが一致していません。";
const char* const NestedTooDeep = "要素の入れ子が深すぎます。";

const size_t ChunkSize = 64 * 1024;

[[noreturn]] void fail(const char* message)
{
    throw CMiniDOMIO::CMiniDOMIOException(message);
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Closes the stream and reports whether everything written reached the file.
bool closeStream(std::FILE*& stream)
{
    const bool healthy = !std::ferror(stream) && std::fflush(stream) == 0;
    const bool closed = std::fclose(stream) == 0;
    stream = nullptr;
    return healthy && closed;
}

} // namespace

CMiniDOMIO::~CMiniDOMIO()
{
    if (output_)
        closeStream(output_);
    closeInput();
}

// ------------------------------------------------------------------ writer

bool CMiniDOMIO::Save(const std::string& path, const CMiniDOMNode& document)
{
    output_ = FileSystem::open(path, "wb");
    if (!output_)
        return false;
    try {
        writeDeclaration();
        if (document.childCount() > 0)
            writeElement(*document.child(0));
        closeOutput();
        return true;
    } catch (const CMiniDOMIOException& e) {
        if (output_)
            closeStream(output_);
        lastError_ = WritePrefix + e.message;
        return false;
    }
}

bool CMiniDOMIO::SaveReplacing(const std::string& path, const CMiniDOMNode& document)
{
    const std::string temporary = FileSystem::temporaryPathFor(path);
    if (temporary.empty())
        return false;
    if (Save(temporary, document) && FileSystem::replace(temporary, path))
        return true;
    FileSystem::remove(temporary);
    return false;
}

bool CMiniDOMIO::SaveKeepingUnreadable(const std::string& path, const CMiniDOMNode& document)
{
    CMiniDOMIO reader;
    CMiniDOMNode old;
    // Only what was read and is no document is kept: a file that could not
    // be opened or read (a folder, say) is not known to be broken.
    if (!reader.Load(path, old) && !reader.lastError().empty() && !reader.inputFailed_)
        FileSystem::replace(path, path + ".broken");
    return SaveReplacing(path, document);
}

void CMiniDOMIO::writeDeclaration()
{
    writeBytes(Declaration);
}

void CMiniDOMIO::writeElement(const CMiniDOMNode& node)
{
    writeTag("<", node.name);
    writeEscaped(node.text);
    for (size_t i = 0; i < node.childCount(); ++i)
        writeElement(*node.child(i));
    writeTag("</", node.name);
    if (std::ferror(output_))
        fail(OutputFailed);
}

void CMiniDOMIO::writeTag(std::string_view opening, const std::string& name)
{
    writeBytes(opening);
    writeBytes(name);
    writeBytes(">");
}

void CMiniDOMIO::writeBytes(std::string_view bytes)
{
    std::fwrite(bytes.data(), 1, bytes.size(), output_);
}

void CMiniDOMIO::writeEscaped(std::string_view text)
{
    // Double-byte characters of code page 932 never contain these three
    // bytes, so a byte-wise search leaves them whole.
    size_t start = 0;
    for (size_t special; (special = text.find_first_of("&<>", start)) != std::string_view::npos; start = special + 1) {
        writeBytes(text.substr(start, special - start));
        writeBytes(text[special] == '&' ? "&amp;" : text[special] == '<' ? "&lt;" : "&gt;");
    }
    writeBytes(text.substr(start));
}

// Buffered bytes are only known to be on disk once the close succeeded.
void CMiniDOMIO::closeOutput()
{
    if (!closeStream(output_))
        fail(OutputFailed);
}

// ------------------------------------------------------------------ reader

bool CMiniDOMIO::Load(const std::string& path, CMiniDOMNode& document)
{
    input_ = FileSystem::open(path, "rb");
    if (!input_)
        return false;
    chunk_.resize(ChunkSize);
    next_ = end_ = nullptr;
    const bool loaded = readDocument(document);
    closeInput();
    return loaded;
}

bool CMiniDOMIO::LoadFromMemory(const char* data, size_t size, CMiniDOMNode& document)
{
    next_ = data;
    end_ = data + size;
    return readDocument(document);
}

bool CMiniDOMIO::readDocument(CMiniDOMNode& document)
{
    current_ = 0;
    pushedBack_ = false;
    atEnd_ = false;
    inputFailed_ = false;
    depth_ = 0;
    try {
        readTopLevel(document);
        return true;
    } catch (const CMiniDOMIOException& e) {
        lastError_ = ReadPrefix + e.message;
        return false;
    }
}

// Text outside elements (such as the line break after the declaration) is ignored.
void CMiniDOMIO::readTopLevel(CMiniDOMNode& document)
{
    while (!atEnd_) {
        readByte();
        if (current_ == '<')
            readMarkup(document);
    }
}

void CMiniDOMIO::readMarkup(CMiniDOMNode& parent)
{
    if (atEnd_)
        fail(UnexpectedEnd);
    readByte();
    if (current_ == '>')
        return;
    if (current_ == '?')
        skipProcessingInstruction();
    else
        readElement(parent);
}

void CMiniDOMIO::skipProcessingInstruction()
{
    do {
        if (atEnd_)
            fail(UnexpectedEnd);
        readByte();
    } while (current_ != '?');
    readByte();
    if (current_ != '>')
        fail(MissingCloseBracket);
}

// Starts at the byte after "<", which is the first byte of the name.
void CMiniDOMIO::readElement(CMiniDOMNode& parent)
{
    if (++depth_ > MaxDepth)
        fail(NestedTooDeep);
    pushedBack_ = true;
    CMiniDOMNode* element = parent.addChild(readTagName());
    readContent(*element);
    if (readTagName() != element->name)
        fail(TagMismatch);
    --depth_;
}

// The name is the run of name characters at the start of the tag; whatever
// follows up to ">" (attributes, the slash of an empty-element tag) is skipped.
std::string CMiniDOMIO::readTagName()
{
    bool haveName = false;
    std::string name;
    while (!atEnd_) {
        readByte();
        if (current_ == '>') {
            if (!haveName)
                fail(MissingName);
            return name;
        }
        if (!haveName) {
            name = readName();
            haveName = true;
        }
    }
    fail(UnexpectedEnd);
}

std::string CMiniDOMIO::readName()
{
    pushedBack_ = true;
    std::string name;
    while (!atEnd_) {
        readByte();
        if (!isNameChar(current_)) {
            pushedBack_ = true;
            return name;
        }
        name += current_;
    }
    fail(UnexpectedEnd);
}

// Ends after the "</" of the node's end tag. The node's text is all character
// data between its tags, across any child elements.
void CMiniDOMIO::readContent(CMiniDOMNode& node)
{
    std::string text;
    while (!atEnd_) {
        readByte();
        if (current_ == '&') {
            text += decodeEntity();
        } else if (current_ == '<') {
            readByte();
            if (current_ == '/') {
                node.text = std::move(text);
                return;
            }
            readElement(node);
        } else {
            text += current_;
        }
    }
    fail(UnexpectedEnd);
}

char CMiniDOMIO::decodeEntity()
{
    std::string entity;
    for (;;) {
        if (atEnd_)
            fail(UnexpectedEnd);
        readByte();
        if (current_ == ';')
            break;
        entity += current_;
    }
    if (entity == "lt")
        return '<';
    if (entity == "gt")
        return '>';
    if (entity == "amp")
        return '&';
    fail(UnknownEntity);
}

// At the end `current_` keeps the last byte and `atEnd_` is set, as a stream
// enters its failed state; callers test `atEnd_` before their next read.
void CMiniDOMIO::readByte()
{
    if (pushedBack_) {
        pushedBack_ = false;
        return;
    }
    if (next_ == end_ && !refill()) {
        atEnd_ = true;
        return;
    }
    current_ = *next_++;
}

bool CMiniDOMIO::refill()
{
    if (!input_ || atEnd_)
        return false;
    const size_t count = std::fread(chunk_.data(), 1, chunk_.size(), input_);
    if (count == 0) {
        // A read error must not pass for the end of a complete file.
        inputFailed_ = std::ferror(input_) != 0;
        if (inputFailed_)
            fail(InputFailed);
        return false;
    }
    next_ = chunk_.data();
    end_ = next_ + count;
    return true;
}

void CMiniDOMIO::closeInput()
{
    if (input_)
        std::fclose(input_);
    input_ = nullptr;
    next_ = end_ = nullptr;
}
