#include "model/AsciiCase.h"

#include "platform/CodePage.h"

std::string AsciiCase::loweredBytes(std::string_view bytes)
{
    std::string result(bytes);
    for (char& c : result) c = lowered(c);
    return result;
}

std::string AsciiCase::lowered(const std::string& text932)
{
    std::string result = text932;
    for (size_t i = 0; i < result.size(); i += CodePage::charLength(result, i)) result[i] = lowered(result[i]);
    return result;
}

bool AsciiCase::equalsIgnoringCase(std::string_view text, std::string_view lowerWord)
{
    if (text.size() != lowerWord.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (lowered(text[i]) != lowerWord[i]) return false;
    return true;
}
