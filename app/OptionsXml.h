#pragma once
// The mapping between AppOptions and the element tree of options.xml.

#include "app/AppOptions.h"
#include "xml/CMiniDOMNode.h"

class OptionsXml {
public:
    // Sets every stored value of `options` from `document`; a value whose
    // element is absent takes its default. `settingsFolder` must be set (the
    // default paths lie in it); `loaded` and `settingsFolder` are not touched.
    static void read(const CMiniDOMNode& document, AppOptions& options);
    // Appends the Options element for `options` to `document`, in file order.
    static void write(const AppOptions& options, CMiniDOMNode& document);

private:
    static void ReadWindowInfo(const CMiniDOMNode* element, WindowInfo& info);
    static void WriteWindowInfo(const WindowInfo& info, CMiniDOMNode& parent);
};
