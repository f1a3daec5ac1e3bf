#pragma once
// The folder "backup" in the settings folder and the copies of books kept
// in it; BackupNames names them and picks the ones to delete.

#include <cstdint>
#include <string>
#include <vector>

struct BackupEntry {
    std::string path;   // the backup file
    std::string book;   // the name of the book it is a copy of
    std::string time;   // when it was made, "YYYY/MM/DD HH:MM:SS"
    uint64_t size = 0;  // bytes
    long items = -1;    // -1 when the file is no readable book
};

class BookBackups {
public:
    explicit BookBackups(const std::string& settingsFolder);

    const std::string& folder() const { return folder_; }
    // Copies the book at `bookPath` into the folder, then deletes that
    // book's backups beyond the newest ones kept. True when the copy was
    // made or there is no file to copy; false when it could not be made.
    bool backUp(const std::string& bookPath) const;
    // Every backup in the folder, newest first.
    std::vector<BackupEntry> list() const;

private:
    std::string folder_;
};
