#pragma once
// Where the importers look for other browsers' bookmarks: values those
// browsers leave in the registry, and their profile folders. Texts and paths
// are code page 932.

#include <string>

class ImportLocations {
public:
    // The text value `name` of the key `keyPath` below HKEY_CURRENT_USER
    // (at most MAX_PATH characters). False when the key does not open for
    // reading or the value is missing, longer or not text.
    static bool ReadRegistryText(const std::string& keyPath, const std::string& name, std::string& value);
    // True when `path` names an existing folder.
    static bool IsFolder(const std::string& path);
    // The number of subfolders of `folder` ("." and ".." not counted); with
    // at least one, `first` gets the full path of the first the listing yields.
    static int FindSingleSubfolder(const std::string& folder, std::string& first);
};
