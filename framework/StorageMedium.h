#pragma once
// A storage medium received from a data object's GetData, released (with
// ReleaseStgMedium) when the holder goes, also when a reader throws.

#include <windows.h>
#include <ole2.h>

class StorageMedium {
public:
    StorageMedium() : medium_{} {}
    ~StorageMedium() { ReleaseStgMedium(&medium_); }
    StorageMedium(const StorageMedium&) = delete;
    StorageMedium& operator=(const StorageMedium&) = delete;

    // For GetData to fill; left empty (TYMED_NULL) when GetData fails.
    STGMEDIUM* receive() { return &medium_; }
    const STGMEDIUM& get() const { return medium_; }

private:
    STGMEDIUM medium_;
};
