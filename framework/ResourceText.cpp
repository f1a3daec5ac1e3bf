#include "framework/ResourceText.h"

#include "platform/CodePage.h"

// The module this code is linked into: the program, or an add-in that
// compiles the framework into itself and keeps its dialogs in its own
// resources.
HINSTANCE ResourceText::Instance()
{
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ResourceText::Instance), &self);
    return self;
}

std::wstring ResourceText::Load(UINT id)
{
    // With a zero buffer size LoadString hands out the resource's own text,
    // which is not terminated; its length comes back.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(Instance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return std::wstring();
    return std::wstring(text, static_cast<size_t>(length));
}

std::string ResourceText::Load932(UINT id)
{
    return CodePage::fromWide(Load(id));
}

std::wstring ResourceText::Prompt(UINT id)
{
    const std::wstring text = Load(id);
    return text.substr(0, text.find(L'\n'));
}

std::wstring ResourceText::ToolTip(UINT id)
{
    const std::wstring text = Load(id);
    const size_t lineBreak = text.find(L'\n');
    return lineBreak == std::wstring::npos ? std::wstring() : text.substr(lineBreak + 1);
}
