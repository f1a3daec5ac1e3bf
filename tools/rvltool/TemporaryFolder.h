#pragma once
// An empty folder of its own in the user's temporary folder, removed with
// the files put into it when the object ends.

#include <string>

class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    // Empty when no folder could be made.
    const std::string& path() const { return path_; }

private:
    std::string path_;
};
