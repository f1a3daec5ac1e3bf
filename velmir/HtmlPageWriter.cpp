#include "velmir/HtmlPageWriter.h"

#include "framework/ArchiveException.h"
#include "framework/FileException.h"
#include "model/ItemRecord.h"
#include "model/SException.h"

#include <cstdio>
#include <utility>

namespace {

// The full-width colon that joins parts of one line.
const char* const Colon = "：";
const char* const Nothing = "";

}  // namespace

HtmlPageWriter::HtmlPageWriter(ByteFile& stream, ByteFile& page, const ColorProfile& profile, std::string today)
    : streamFile_(stream), page_(page, Archive::Mode::Store), profile_(profile), today_(std::move(today))
{
}

bool HtmlPageWriter::write()
{
    try {
        const bool complete = runPass(Pass::Contents) && runPass(Pass::Body);
        if (complete) put("</body></html>\r\n");
        page_.close();
        return complete;
    } catch (const ArchiveException&) {
    } catch (const SException&) {
    } catch (const FileException&) {
    }
    flushWritten();
    return false;
}

void HtmlPageWriter::flushWritten()
{
    try {
        page_.close();
    } catch (const FileException&) {
        // The page is already reported as not written.
    }
}

bool HtmlPageWriter::runPass(Pass pass)
{
    streamFile_.seekToBegin();
    Archive stream(streamFile_, Archive::Mode::Load);
    if (!readItemStreamHeader(stream)) return false;
    groupNumber_ = 0;
    if (pass == Pass::Contents)
        headerPending_ = true;
    else
        subgroupNumber_ = 0;
    walk(stream, pass);
    return true;
}

// Depth first with an explicit stack: a deep stream must not exhaust the
// machine stack. The depth of a record is the number of records open above it.
void HtmlPageWriter::walk(Archive& stream, Pass pass)
{
    std::vector<Frame> open;
    enter(stream, pass, open);
    while (!open.empty()) {
        Frame& top = open.back();
        if (top.childrenLeft == 0) {
            leave(top);
            open.pop_back();
            continue;
        }
        --top.childrenLeft;
        enter(stream, pass, open);
    }
}

void HtmlPageWriter::enter(Archive& stream, Pass pass, std::vector<Frame>& open)
{
    const int depth = static_cast<int>(open.size());
    const int32_t childCount = readItemFields(stream, record_);
    const Visit visit = pass == Pass::Contents ? visitContents(depth) : visitBody(depth);
    if (visit.readChildren) {
        open.push_back({childCount, visit.closing, visit.endsInline});
        return;
    }
    skipRecords(stream, childCount);
}

void HtmlPageWriter::leave(const Frame& frame)
{
    if (frame.endsInline) inlineMode_ = false;
    put(frame.closing);
}

// Every record read adds its own children to what is left to skip.
void HtmlPageWriter::skipRecords(Archive& stream, int64_t count)
{
    while (count > 0) count += readItemFields(stream, record_) - 1;
}

// ---------------------------------------------------------------- contents

// Only the top two group levels are listed; everything below them is skipped.
HtmlPageWriter::Visit HtmlPageWriter::visitContents(int depth)
{
    const bool group = record_.type == ItemType::Group;
    switch (depth) {
    case 0:
        return {true, Nothing, false};
    case 1:
        if (headerPending_) writePageHead();
        headerPending_ = false;
        put("<hr><ul>\r\n");
        return {true, "</ul><hr>\r\n", false};
    case 2:
        if (!group) return {false, Nothing, false};
        writeContentsEntry();
        return {true, "</li>\r\n", false};
    default:
        if (group) writeContentsSubentry();
        return {false, Nothing, false};
    }
}

void HtmlPageWriter::writeContentsEntry()
{
    put("<li><a href=\"#");
    putNumber(groupNumber_, 3);
    put("\">");
    put(record_.title);
    put("</a>");
    ++groupNumber_;
    subgroupNumber_ = 0;
}

// Counted after the top-level group, so its second-level groups carry its
// number plus one: the body's anchors are numbered the same way.
void HtmlPageWriter::writeContentsSubentry()
{
    put(Colon);
    put("<a href=\"#");
    putNumber(groupNumber_, 3);
    put("_");
    putNumber(subgroupNumber_, 2);
    put("\">");
    put(record_.title);
    put("</a>");
    ++subgroupNumber_;
}

void HtmlPageWriter::writePageHead()
{
    put("<html><head><title>");
    put(record_.title);
    put("</title></head>\r\n<body");
    putColorAttribute(" text=", profile_.Text);
    putColorAttribute(" bgcolor=", profile_.BackGround);
    putColorAttribute(" link=", profile_.Link);
    putColorAttribute(" vlink=", profile_.VLink);
    putColorAttribute(" alink=", profile_.ALink);
    put(">\r\n<h1>");
    put(record_.title);
    put("</h1>\r\n<hr>\r\n");
    put(profile_.FirstMessage);
    put("<br>最終更新 <b>");
    put(today_);
    put("</b><br>\r\n");
}

// ---------------------------------------------------------------- body

HtmlPageWriter::Visit HtmlPageWriter::visitBody(int depth)
{
    switch (depth) {
    case 0:
        return {true, Nothing, false};
    case 1:
        put("<ul>\r\n");
        return {true, "</ul>\r\n", false};
    case 2:
        writeTopGroupHeading();
        inlineMode_ = false;
        return {true, Nothing, false};
    default:
        return visitBodyItem(depth);
    }
}

void HtmlPageWriter::writeTopGroupHeading()
{
    switch (record_.type) {
    case ItemType::Group:
        put("<h2><a name=\"");
        putNumber(groupNumber_, 3);
        put("\"></a>");
        ++groupNumber_;
        subgroupNumber_ = 0;
        putColoredTitle(profile_.HighGroup);
        put("</h2>\r\n");
        break;
    case ItemType::Url:
    case ItemType::GroupUrl:
        put("<h2>");
        writeLink();
        put("</h2>\r\n");
        break;
    case ItemType::Separator:
        put("<hr>\r\n");
        break;
    default:
        break;
    }
}

HtmlPageWriter::Visit HtmlPageWriter::visitBodyItem(int depth)
{
    switch (record_.type) {
    case ItemType::Group:
        if (inlineMode_)
            writeInlineTitle();
        else
            writeGroupHeading(depth);
        return {true, Nothing, false};
    case ItemType::Url:
    case ItemType::GroupUrl:
        return visitBodyLink();
    case ItemType::Separator:
        put(inlineMode_ ? "：―\r\n" : "<hr>\r\n");
        return {true, Nothing, false};
    default:
        return {true, Nothing, false};
    }
}

HtmlPageWriter::Visit HtmlPageWriter::visitBodyLink()
{
    if (inlineMode_) {
        writeInlineLink();
        return {true, Nothing, false};
    }
    writeListLine();
    if (record_.type == ItemType::Url) return {true, "</li>\r\n", false};
    // The link group's descendants join its own line.
    inlineMode_ = true;
    return {true, "</li>\r\n", true};
}

void HtmlPageWriter::writeInlineTitle()
{
    put(Colon);
    put(record_.title);
}

// Only the second level carries anchors (the contents link them); deeper
// headings look the same without one.
void HtmlPageWriter::writeGroupHeading(int depth)
{
    put("<h3>");
    if (depth == 3) {
        put("<a name=\"");
        putNumber(groupNumber_, 3);
        put("_");
        putNumber(subgroupNumber_, 2);
        put("\"></a>");
        ++subgroupNumber_;
    }
    putColoredTitle(profile_.Group);
    put("</h3>\r\n");
}

void HtmlPageWriter::writeListLine()
{
    put("<li>");
    writeLink();
    writeMessage();
}

void HtmlPageWriter::writeInlineLink()
{
    put(Colon);
    writeLink();
    writeMessage();
}

// Titles and messages arrive escaped; the URL goes into the page as it came
// but for its double quotes (putUrl).
void HtmlPageWriter::writeLink()
{
    if (record_.url.empty()) {
        put(record_.title);
        return;
    }
    put("<a href=\"");
    putUrl(record_.url);
    put("\">");
    put(record_.title);
    put("</a>");
}

void HtmlPageWriter::writeMessage()
{
    if (record_.message.empty()) return;
    put(Colon);
    put(record_.message);
}

// ---------------------------------------------------------------- fragments

void HtmlPageWriter::putNumber(int value, int width)
{
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%0*d", width, value);
    put(std::string_view(text, static_cast<size_t>(length)));
}

// A double quote would end the href value and turn the rest of the URL into
// markup of the page (attributes, scripts); as %22 it stays part of the
// address. Code page 932 never has 0x22 inside a double-byte character.
void HtmlPageWriter::putUrl(std::string_view url)
{
    for (size_t quote; (quote = url.find('"')) != std::string_view::npos; url.remove_prefix(quote + 1)) {
        put(url.substr(0, quote));
        put("%22");
    }
    put(url);
}

void HtmlPageWriter::putColorAttribute(const char* attribute, const ColorSetting& setting)
{
    if (setting.useDefault) return;
    put(attribute);
    put(setting.colorText());
}

void HtmlPageWriter::putColoredTitle(const ColorSetting& setting)
{
    if (setting.useDefault) {
        put(record_.title);
        return;
    }
    put("<font color=");
    put(setting.colorText());
    put(">");
    put(record_.title);
    put("</font>");
}
