#pragma once
// How the backups of books are named and which of them are kept. Before a
// save replaces a book, the old file is copied into the backup folder as
// NAME-YYYYMMDD-HHMMSS.rvl (NAME: the book's file name without extension,
// then the local time of the copy); the ten newest of each book are kept.
// Names are code page 932.

#include <ctime>
#include <string>
#include <vector>

class BackupNames {
public:
    static constexpr size_t KeptPerBook = 10;

    // The name backups of the book at `bookPath` carry.
    static std::string bookName(const std::string& bookPath);
    static std::string fileName(const std::string& book, const std::tm& localTime);
    // The book and the time ("YYYY/MM/DD HH:MM:SS") a backup file name
    // carries; false for a file name of any other form.
    static bool parse(const std::string& fileName, std::string& book, std::string& shownTime);
    // The backups of `book` among `fileNames` beyond the newest KeptPerBook,
    // that is, the ones to delete.
    static std::vector<std::string> surplus(const std::vector<std::string>& fileNames, const std::string& book);
};
