#include "app/BackupNames.h"

#include "platform/PathJoin.h"

#include <algorithm>
#include <cstdio>

namespace {

const std::string Extension = ".rvl";
// "-YYYYMMDD-HHMMSS" between the book's name and the extension.
constexpr size_t StampLength = 16;

bool isStamp(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == 0 || i == 9;
        if (dash ? text[i] != '-' : text[i] < '0' || text[i] > '9') return false;
    }
    return text.size() == StampLength;
}

// The stamp part of a backup of `book`, which orders like the times it
// stands for; empty for any other file.
std::string stampOf(const std::string& fileName, const std::string& book)
{
    std::string owner;
    std::string shown;
    if (!BackupNames::parse(fileName, owner, shown) || owner != book) return std::string();
    return fileName.substr(book.size(), StampLength);
}

}  // namespace

std::string BackupNames::bookName(const std::string& bookPath)
{
    return PathJoin::baseNameOf(bookPath);
}

std::string BackupNames::fileName(const std::string& book, const std::tm& localTime)
{
    char stamp[80];  // room for any int, so the compiler sees no truncation
    std::snprintf(stamp, sizeof stamp, "-%04d%02d%02d-%02d%02d%02d", localTime.tm_year + 1900, localTime.tm_mon + 1,
                  localTime.tm_mday, localTime.tm_hour, localTime.tm_min, localTime.tm_sec);
    return book + stamp + Extension;
}

bool BackupNames::parse(const std::string& fileName, std::string& book, std::string& shownTime)
{
    if (fileName.size() <= StampLength + Extension.size()) return false;
    const size_t stampStart = fileName.size() - Extension.size() - StampLength;
    const std::string stamp = fileName.substr(stampStart, StampLength);
    if (fileName.compare(stampStart + StampLength, Extension.size(), Extension) != 0 || !isStamp(stamp)) return false;
    book = fileName.substr(0, stampStart);
    shownTime = stamp.substr(1, 4) + "/" + stamp.substr(5, 2) + "/" + stamp.substr(7, 2) + " " + stamp.substr(10, 2)
              + ":" + stamp.substr(12, 2) + ":" + stamp.substr(14, 2);
    return true;
}

std::vector<std::string> BackupNames::surplus(const std::vector<std::string>& fileNames, const std::string& book)
{
    std::vector<std::string> backups;
    for (const std::string& name : fileNames)
        if (!stampOf(name, book).empty()) backups.push_back(name);
    if (backups.size() <= KeptPerBook) return {};
    std::sort(backups.begin(), backups.end(),
              [&](const std::string& a, const std::string& b) { return stampOf(a, book) > stampOf(b, book); });
    return std::vector<std::string>(backups.begin() + KeptPerBook, backups.end());
}
