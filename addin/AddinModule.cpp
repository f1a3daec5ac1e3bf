#include "addin/AddinModule.h"

#include "framework/PathName.h"
#include "framework/ResourceText.h"
#include "platform/CodePage.h"
#include "res/resource.h"

AddinModule::~AddinModule()
{
    unload();
}

bool AddinModule::load(const std::string& path)
{
    // The wide call: the path is 932 text whatever the system's code page is.
    library_ = LoadLibraryW(CodePage::toWide(path).c_str());
    if (library_ == nullptr) return false;
    VLCanUse = bind<CanUseFunction>("VLCanUse");
    if (VLCanUse == nullptr || VLCanUse(0, 1) == 0) {
        unload();
        return false;
    }
    loaded_ = true;
    fileName_ = PathName::FileName(path);
    VLGetVersion = bind<TextFunction>("VLGetVersion");
    VLGetCopyright = bind<TextFunction>("VLGetCopyright");
    VLMakeHtml = bind<MakeHtmlFunction>("VLMakeHtml");
    VLOpenSettingDlg = bind<OpenSettingsFunction>("VLOpenSettingDlg");
    VLGetIcon = bind<IconFunction>("VLGetIcon");
    VLInit = bind<InitFunction>("VLInit");
    return true;
}

void AddinModule::unload()
{
    if (library_ != nullptr) FreeLibrary(library_);
    library_ = nullptr;
    loaded_ = false;
    VLGetVersion = VLGetCopyright = nullptr;
    VLCanUse = nullptr;
    VLMakeHtml = nullptr;
    VLOpenSettingDlg = nullptr;
    VLGetIcon = nullptr;
    VLInit = nullptr;
}

bool AddinModule::initialize(const std::string& settingsFolder) const
{
    return VLInit == nullptr || VLInit(settingsFolder.c_str()) != 0;
}

std::string AddinModule::displayName() const
{
    const char* version = VLGetVersion != nullptr ? VLGetVersion() : nullptr;
    return version != nullptr ? std::string(version) : fileName_;
}

std::string AddinModule::copyrightText() const
{
    const char* copyright = VLGetCopyright != nullptr ? VLGetCopyright() : nullptr;
    return copyright != nullptr ? std::string(copyright) : std::string();
}

HICON AddinModule::icon() const
{
    const HICON own = VLGetIcon != nullptr ? VLGetIcon() : nullptr;
    if (own != nullptr) return own;
    return static_cast<HICON>(
        LoadImageW(ResourceText::Instance(), MAKEINTRESOURCEW(IDI_ADDIN), IMAGE_ICON, 16, 16, LR_SHARED));
}

bool AddinModule::makeHtml(const char* stream, uint32_t length, const std::string& path) const
{
    return VLMakeHtml != nullptr && VLMakeHtml(stream, length, path.c_str()) != 0;
}

void AddinModule::openSettings() const
{
    if (VLOpenSettingDlg != nullptr) VLOpenSettingDlg();
}
