#include "app/BookBackups.h"

#include "app/BackupNames.h"
#include "app/ShellFolders.h"
#include "model/BookItemCount.h"
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "platform/FolderListing.h"
#include "platform/PathJoin.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

bool isFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(CodePage::toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::tm localNow()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::tm time{};
    time.tm_year = now.wYear - 1900;
    time.tm_mon = now.wMonth - 1;
    time.tm_mday = now.wDay;
    time.tm_hour = now.wHour;
    time.tm_min = now.wMinute;
    time.tm_sec = now.wSecond;
    return time;
}

std::string fileBytes(const std::string& path)
{
    std::string bytes;
    std::FILE* file = FileSystem::open(path, "rb");
    if (file == nullptr) return bytes;
    char buffer[1 << 16];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}

}  // namespace

BookBackups::BookBackups(const std::string& settingsFolder) : folder_(PathJoin::join(settingsFolder, "backup")) {}

bool BookBackups::backUp(const std::string& bookPath) const
{
    if (!isFile(bookPath)) return true;
    if (!CreateDirectoryPath(folder_)) return false;
    const std::string book = BackupNames::bookName(bookPath);
    const std::string copy = PathJoin::join(folder_, BackupNames::fileName(book, localNow()));
    // A backup made within the same second already holds the older state: it stays.
    if (!CopyFileW(CodePage::toWide(bookPath).c_str(), CodePage::toWide(copy).c_str(), TRUE)
        && GetLastError() != ERROR_FILE_EXISTS)
        return false;
    std::vector<std::string> names;
    for (const ListedFile& file : listFiles(PathJoin::join(folder_, "*", "rvl"))) names.push_back(file.name);
    for (const std::string& name : BackupNames::surplus(names, book)) FileSystem::remove(PathJoin::join(folder_, name));
    return true;
}

std::vector<BackupEntry> BookBackups::list() const
{
    std::vector<BackupEntry> backups;
    for (const ListedFile& file : listFiles(PathJoin::join(folder_, "*", "rvl"))) {
        BackupEntry entry;
        if (!BackupNames::parse(file.name, entry.book, entry.time)) continue;
        entry.path = PathJoin::join(folder_, file.name);
        entry.size = file.size;
        entry.items = countBookItems(fileBytes(entry.path));
        backups.push_back(std::move(entry));
    }
    std::sort(backups.begin(), backups.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return a.time != b.time ? a.time > b.time : a.book < b.book;
    });
    return backups;
}
