#include "app/CAboutDlg.h"

#include "framework/ResourceText.h"
#include "platform/CodePage.h"
#include "res/resource.h"

#include <vector>

CAboutDlg::CAboutDlg(const AddinList& addins) : CDialogBase(IDD_ABOUTBOX), list_(addins) {}

std::string CAboutDlg::productVersion()
{
    wchar_t program[MAX_PATH] = {};
    if (GetModuleFileNameW(ResourceText::Instance(), program, MAX_PATH) == 0) return {};
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(program, &handle);
    if (size == 0) return {};
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(program, 0, size, block.data())) return {};
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\041104b0\\ProductVersion", &value, &length) ||
        value == nullptr || length == 0)
        return {};
    return CodePage::fromWide(static_cast<const wchar_t*>(value));
}

bool CAboutDlg::OnInitDialog()
{
    const std::string version = productVersion();
    if (!version.empty())
        SetDlgItemTextW(GetHwnd(), IDC_ABOUT_VERSION, CodePage::toWide("Ravlo Version " + version).c_str());
    list_.fillAddinList(GetItem(IDC_ADDIN_LIST), true);
    return CDialogBase::OnInitDialog();
}
