#include "velmir/ProfilesXml.h"

#include "velmir/ProfileSet.h"

#include <cstdio>

namespace {

struct ColorElement {
    const char* name;
    ColorSetting ColorProfile::*setting;
};

// In file order.
const ColorElement ColorElements[] = {
    {"BackGround", &ColorProfile::BackGround},
    {"Text", &ColorProfile::Text},
    {"Link", &ColorProfile::Link},
    {"VLink", &ColorProfile::VLink},
    {"ALink", &ColorProfile::ALink},
    {"Group", &ColorProfile::Group},
    {"HighGroup", &ColorProfile::HighGroup},
};

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Up to the first byte that is not a hexadecimal digit: no sign, no "0x".
uint32_t hexValue(const std::string& text)
{
    uint32_t value = 0;
    for (char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0) break;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

std::string hexText(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06x", static_cast<unsigned>(value));
    return text;
}

std::string textOf(const CMiniDOMNode* parent, const char* name, const std::string& fallback)
{
    const CMiniDOMNode* element = CMiniDOMNode::findChild(parent, name);
    return element ? element->text : fallback;
}

void addText(CMiniDOMNode& parent, const char* name, const std::string& value)
{
    parent.addChild(name)->text = value;
}

}  // namespace

void ProfilesXml::read(const CMiniDOMNode& document, ProfileSet& set)
{
    set.profiles.clear();
    set.selected = 0;
    const CMiniDOMNode* list = CMiniDOMNode::findChild(document.findChild("Options"), "Profiles");
    const size_t count = list ? list->childCount() : 0;
    for (size_t index = 0; index < count; ++index) {
        const CMiniDOMNode& child = *list->child(index);
        if (child.name == "Select") set.selected = child.intValue();
        if (child.name == "Profile") set.profiles.push_back(readProfile(child));
    }
}

ColorProfile ProfilesXml::readProfile(const CMiniDOMNode& element)
{
    ColorProfile profile;
    profile.Name = textOf(&element, "Name", "Unknown");
    for (const ColorElement& color : ColorElements) profile.*color.setting = readColor(element.findChild(color.name));
    profile.FirstMessage = textOf(&element, "FirstMessage", std::string());
    return profile;
}

ColorSetting ProfilesXml::readColor(const CMiniDOMNode* element)
{
    int useDefault = 1;
    CMiniDOMNode::getInt(CMiniDOMNode::findChild(element, "Default"), &useDefault);
    return ColorSetting(hexValue(textOf(element, "Color", std::string())), useDefault != 0);
}

void ProfilesXml::write(const ProfileSet& set, CMiniDOMNode& document)
{
    CMiniDOMNode& list = *document.addChild("Options")->addChild("Profiles");
    list.addChild("Select")->setInt(set.selected);
    for (const ColorProfile& profile : set.profiles) writeProfile(profile, *list.addChild("Profile"));
}

void ProfilesXml::writeProfile(const ColorProfile& profile, CMiniDOMNode& element)
{
    addText(element, "Name", profile.Name);
    for (const ColorElement& color : ColorElements) writeColor(profile.*color.setting, *element.addChild(color.name));
    addText(element, "FirstMessage", profile.FirstMessage);
}

void ProfilesXml::writeColor(const ColorSetting& setting, CMiniDOMNode& element)
{
    element.addChild("Default")->setInt(setting.useDefault ? 1 : 0);
    addText(element, "Color", hexText(setting.color));
}
