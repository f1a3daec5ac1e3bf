#pragma once
// One colour of a profile: a fixed colour or the browser's own default.

#include <cstdint>
#include <string>

class ColorSetting {
public:
    ColorSetting() = default;
    ColorSetting(uint32_t color, bool useDefault) : color(color), useDefault(useDefault) {}

    // The quoted attribute value, "#rrggbb" with the quotes, as the page writes it.
    std::string colorText() const;

    uint32_t color = 0;      // 0x00BBGGRR: red in the lowest byte
    bool useDefault = true;  // when set, the page leaves the colour to the browser
};
