#include "import/ImportFile.h"

#include "framework/UiServices.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace {

// False on a read error or a file larger than a string can hold. A file that
// shrinks while it is read gives what was there.
bool readAll(HANDLE file, std::string& bytes)
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || static_cast<unsigned long long>(size.QuadPart) > bytes.max_size())
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file, bytes.data() + done, chunk, &got, nullptr)) return false;
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

}  // namespace

bool ImportFile::Read(HWND owner, const std::string& path, std::string& bytes)
{
    const HANDLE file = CreateFileW(CodePage::toWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    bool read = false;
    if (file != INVALID_HANDLE_VALUE) {
        read = readAll(file, bytes);
        CloseHandle(file);
    }
    if (!read) UiServices::Current().ShowMessage(owner, path + " のオープンに失敗しました。", "エラー", MB_OK);
    return read;
}

int ImportFile::ConvertFileCodePage(const std::string& bytes, std::string& converted)
{
    converted = CodePage::fromUtf8(bytes);
    return converted.empty() ? 0 : 1;
}
