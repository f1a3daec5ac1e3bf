#pragma once
// The recently used files, newest first, kept in the registry as entries
// "File1".."FileN" of the section "Recent File List". In the menu the items
// ID_FILE_MRU_FILE1 onwards stand for them; while the list is empty the
// menu's own placeholder item stays, disabled by the command routing.

#include "framework/RegistryProfile.h"

#include <windows.h>

#include <string>
#include <vector>

class CRecentFileList {
public:
    static const char* const Section;

    explicit CRecentFileList(size_t capacity);

    const std::vector<std::string>& GetEntries() const { return entries_; }
    // Puts `path` first; an entry for the same file moves up, the oldest
    // entry beyond the capacity drops out.
    void Add(const std::string& path);
    // Drops the entry for that file, if there is one.
    void Remove(const std::string& path);

    void ReadList(const RegistryProfile& profile);
    void WriteList(RegistryProfile& profile) const;

    // Replaces the items of the menu `popup` that stand for the list (if it
    // has any) with the current entries.
    void UpdateMenu(HMENU popup);

private:
    static std::string EntryName(size_t index);

    size_t capacity_;
    std::vector<std::string> entries_;
    std::wstring placeholderText_;
};
