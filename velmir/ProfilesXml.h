#pragma once
// The mapping between the profiles and the element tree of velmir.xml.

#include "velmir/ColorProfile.h"
#include "xml/CMiniDOMNode.h"

#include <vector>

class ProfileSet;

class ProfilesXml {
public:
    // Replaces the profiles and the selection with those of `document`. A
    // document without profiles gives none; the selection is taken as stored
    // (0 without a Select element), in range or not.
    static void read(const CMiniDOMNode& document, ProfileSet& set);
    // Appends the Options element for `set` to `document`, in file order.
    static void write(const ProfileSet& set, CMiniDOMNode& document);

private:
    static ColorProfile readProfile(const CMiniDOMNode& element);
    static ColorSetting readColor(const CMiniDOMNode* element);
    static void writeProfile(const ColorProfile& profile, CMiniDOMNode& element);
    static void writeColor(const ColorSetting& setting, CMiniDOMNode& element);
};
