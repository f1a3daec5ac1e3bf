#pragma once
// One add-in library the program found beside itself and kept: it owns the
// library and offers its exports as safe calls, each with the fallback the
// program uses when the add-in does not export it.

#include "addin/AddinExports.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AddinModule {
public:
    using CanUseFunction = AddinExports::CanUseFunction;
    using TextFunction = AddinExports::TextFunction;
    using MakeHtmlFunction = AddinExports::MakeHtmlFunction;
    using OpenSettingsFunction = AddinExports::OpenSettingsFunction;
    using IconFunction = AddinExports::IconFunction;
    using InitFunction = AddinExports::InitFunction;

    AddinModule() = default;
    virtual ~AddinModule();
    AddinModule(const AddinModule&) = delete;
    AddinModule& operator=(const AddinModule&) = delete;

    // Loads the library at `path` (code page 932) and binds its exports;
    // false, holding nothing, when it is not a usable add-in.
    bool load(const std::string& path);
    void unload();
    // Hands the add-in the settings folder; true when it is ready (also when
    // it does not ask for the folder).
    bool initialize(const std::string& settingsFolder) const;

    const std::string& fileName() const { return fileName_; }
    bool isLoaded() const { return loaded_; }
    // The add-in's version text, or its file name: how the user knows it.
    std::string displayName() const;
    std::string copyrightText() const;
    // The add-in's icon, or the program's add-in icon.
    HICON icon() const;
    bool makeHtml(const char* stream, uint32_t length, const std::string& path) const;
    void openSettings() const;
    bool canMakeHtml() const { return VLMakeHtml != nullptr; }
    bool hasSettings() const { return VLOpenSettingDlg != nullptr; }

private:
    template <typename Function>
    Function bind(const char* name) const
    {
        return AddinExports::bind<Function>(library_, name);
    }

    std::string fileName_;
    bool loaded_ = false;
    TextFunction VLGetVersion = nullptr;
    TextFunction VLGetCopyright = nullptr;
    CanUseFunction VLCanUse = nullptr;
    MakeHtmlFunction VLMakeHtml = nullptr;
    OpenSettingsFunction VLOpenSettingDlg = nullptr;
    IconFunction VLGetIcon = nullptr;
    InitFunction VLInit = nullptr;
    HMODULE library_ = nullptr;
};

// The kept add-ins in the order they were found; every add-in list shows
// them in this order.
using AddinList = std::vector<std::unique_ptr<AddinModule>>;
