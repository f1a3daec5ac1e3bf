#pragma once
// Bytes as text of upper-case hexadecimal pairs, high nibble first, as the
// main window keeps its tool-bar layout in options.xml.

#include <cstdint>
#include <string>
#include <vector>

class HexText {
public:
    static std::string encode(const std::vector<uint8_t>& bytes);
    // Each pair of characters gives one byte: the value of its valid leading
    // hexadecimal digits, 0 when it has none ("4G" is 4, "G4" is 0). An odd
    // last character is ignored. A hand-edited text never fails to decode;
    // whether the bytes make sense is for their reader to decide.
    static std::vector<uint8_t> decode(const std::string& text);
};
