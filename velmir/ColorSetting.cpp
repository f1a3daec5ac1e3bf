#include "velmir/ColorSetting.h"

#include <cstdio>

std::string ColorSetting::colorText() const
{
    char text[16];
    std::snprintf(text, sizeof text, "\"#%02x%02x%02x\"", static_cast<unsigned>(color & 0xFF),
                  static_cast<unsigned>(color >> 8 & 0xFF), static_cast<unsigned>(color >> 16 & 0xFF));
    return text;
}
