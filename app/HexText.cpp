#include "app/HexText.h"

namespace {

int digitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

uint8_t pairValue(char high, char low)
{
    const int first = digitValue(high);
    if (first < 0) return 0;
    const int second = digitValue(low);
    return static_cast<uint8_t>(second < 0 ? first : first * 16 + second);
}

}  // namespace

std::string HexText::encode(const std::vector<uint8_t>& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const uint8_t byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

std::vector<uint8_t> HexText::decode(const std::string& text)
{
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (size_t i = 0; i + 1 < text.size(); i += 2) bytes.push_back(pairValue(text[i], text[i + 1]));
    return bytes;
}
