#pragma once
// A named look of the page: seven colours and the text under the page title.

#include "velmir/ColorSetting.h"

#include <string>

struct ColorProfile {
    std::string Name;
    std::string FirstMessage;  // written into the page as it is: may hold line breaks and markup
    ColorSetting Group;        // headings of groups below the top level
    ColorSetting HighGroup;    // headings of top-level groups
    ColorSetting BackGround;
    ColorSetting Text;
    ColorSetting Link;
    ColorSetting VLink;
    ColorSetting ALink;
};
