#include "tools/e2edriver/Camera.h"

#include "tools/e2edriver/ConditionWait.h"
#include "tools/e2edriver/DriverError.h"

#include <cstdio>

namespace {

std::wstring geometryOf(const Control& window)
{
    const RECT rect = window.screenRect();
    return std::to_wstring(rect.right - rect.left) + L"x" + std::to_wstring(rect.bottom - rect.top) + L"+" +
           std::to_wstring(rect.left) + L"+" + std::to_wstring(rect.top);
}

// Written under another name first: the script must never read half a request.
void writeRequest(const std::wstring& path, const std::wstring& geometry)
{
    const std::wstring partial = path + L".part";
    FILE* file = _wfopen(partial.c_str(), L"wb");
    if (file == nullptr) throw DriverError(L"cannot write " + partial);
    std::fputs(DriverError::utf8(geometry).c_str(), file);
    std::fclose(file);
    if (!MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        throw DriverError(L"cannot write " + path);
}

}  // namespace

void Camera::shoot(const std::wstring& name, const Control& window)
{
    if (folder_.empty()) return;
    ++taken_;
    const std::wstring number = (taken_ < 10 ? L"0" : L"") + std::to_wstring(taken_);
    const std::wstring base = folder_ + L"\\" + number + L"-" + name;
    // Paints everything now; the answer to the message that follows comes
    // only once the program has dealt with it.
    RedrawWindow(window.handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    window.send(WM_NULL);
    writeRequest(base + L".request", geometryOf(window));
    const std::wstring done = base + L".done";
    ConditionWait::until(L"the screenshot " + name,
                         [&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; });
    DeleteFileW(done.c_str());
}
