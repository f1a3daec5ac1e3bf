#include "app/OptionsXml.h"

#include "app/WindowPlacement.h"

namespace {

const CMiniDOMNode* find(const CMiniDOMNode* parent, const char* name)
{
    return CMiniDOMNode::findChild(parent, name);
}

int intOf(const CMiniDOMNode* parent, const char* name, int fallback)
{
    CMiniDOMNode::getInt(find(parent, name), &fallback);
    return fallback;
}

int flagOf(const CMiniDOMNode* parent, const char* name, int fallback)
{
    return intOf(parent, name, fallback) != 0 ? 1 : 0;
}

// A present element gives its text even when that is empty.
std::string textOf(const CMiniDOMNode* parent, const char* name, const std::string& fallback)
{
    const CMiniDOMNode* element = find(parent, name);
    return element ? element->text : fallback;
}

// Reads one of the saved sizes and positions, noting when it is missing.
int measureOf(const CMiniDOMNode* parent, const char* name, bool& allPresent)
{
    const CMiniDOMNode* element = find(parent, name);
    allPresent = allPresent && element;
    return element ? element->intValue() : 0;
}

void addInt(CMiniDOMNode& parent, const char* name, int value)
{
    parent.addChild(name)->setInt(value);
}

// Records migrated from older releases may hold any number in a flag.
void addFlag(CMiniDOMNode& parent, const char* name, int value)
{
    addInt(parent, name, value != 0 ? 1 : 0);
}

void addText(CMiniDOMNode& parent, const char* name, const std::string& value)
{
    parent.addChild(name)->text = value;
}

} // namespace

void OptionsXml::read(const CMiniDOMNode& document, AppOptions& options)
{
    const AppOptions defaults;
    const CMiniDOMNode* root = document.findChild("Options");

    const CMiniDOMNode* folder = find(root, "FolderOption");
    options.FirstOpen = intOf(folder, "FirstOpen", defaults.FirstOpen);
    options.FirstFile = textOf(folder, "FirstFile", options.defaultBook());
    options.LastFile = textOf(folder, "LastFile", defaults.LastFile);

    const CMiniDOMNode* html = find(root, "HtmlOption");
    options.OutputFile = textOf(html, "OutputFile", options.defaultPage());
    options.OpenBrowser = flagOf(html, "OpenBrowser", defaults.OpenBrowser);

    const CMiniDOMNode* drop = find(root, "DropWindowOption");
    options.UsePosition = flagOf(drop, "UsePosition", defaults.UsePosition);
    // Without UsePosition the stored position is not a saved one.
    options.WindowPositionX = options.UsePosition ? intOf(drop, "WindowPositionX", 0) : defaults.WindowPositionX;
    options.WindowPositionY = options.UsePosition ? intOf(drop, "WindowPositionY", 0) : defaults.WindowPositionY;
    options.FirstMode = intOf(drop, "FirstMode", defaults.FirstMode);
    options.OpenPosition = intOf(drop, "OpenPosition", defaults.OpenPosition);
    options.PrevOpen = flagOf(drop, "PrevOpen", defaults.PrevOpen);

    const CMiniDOMNode* edit = find(root, "EditOption");
    options.AddPosition = intOf(edit, "AddPosition", defaults.AddPosition);
    options.SameItemType = flagOf(edit, "SameItemType", defaults.SameItemType);
    options.SameUrlGroup = flagOf(edit, "SameUrlGroup", defaults.SameUrlGroup);

    options.SelectedAddin = textOf(find(root, "AddinInfo"), "SelectedAddin", defaults.SelectedAddin);

    ReadWindowInfo(find(root, "WindowInfo"), options.windowInfo);
}

void OptionsXml::ReadWindowInfo(const CMiniDOMNode* element, WindowInfo& info)
{
    const WindowInfo defaults;
    info.Restore = flagOf(element, "Restore", defaults.Restore);
    info.TaskTray = flagOf(element, "TaskTray", defaults.TaskTray);
    info.MinimumIcon = flagOf(element, "MinimumIcon", defaults.MinimumIcon);
    info.MinimizedStart = flagOf(element, "MinimizedStart", defaults.MinimizedStart);

    bool allPresent = true;
    const CMiniDOMNode* frame = find(element, "MainFrame");
    info.Left = measureOf(frame, "Left", allPresent);
    info.Top = measureOf(frame, "Top", allPresent);
    info.Right = measureOf(frame, "Right", allPresent);
    info.Bottom = measureOf(frame, "Bottom", allPresent);
    const CMiniDOMNode* dockState = find(frame, "DockState");
    info.DockState = dockState ? dockState->text : std::string();
    allPresent = allPresent && dockState;

    const CMiniDOMNode* tree = find(element, "TreeView");
    info.treeWidth = measureOf(tree, "Width", allPresent);
    info.treeHeight = measureOf(tree, "Height", allPresent);

    const CMiniDOMNode* header = find(find(element, "ListView"), "Header");
    info.titleWidth = measureOf(header, "Title", allPresent);
    info.urlWidth = measureOf(header, "URL", allPresent);
    info.messageWidth = measureOf(header, "Message", allPresent);
    info.dateWidth = measureOf(header, "Date", allPresent);

    // A window too small to use, or one whose width or height overflows, is
    // no saved geometry either.
    const bool usable = WindowPlacement::isUsable({info.Left, info.Top, info.Right, info.Bottom});
    info.complete = allPresent && usable && info.Restore == 1 ? 1 : 0;
}

void OptionsXml::write(const AppOptions& options, CMiniDOMNode& document)
{
    CMiniDOMNode& root = *document.addChild("Options");

    CMiniDOMNode& folder = *root.addChild("FolderOption");
    addInt(folder, "FirstOpen", options.FirstOpen);
    addText(folder, "FirstFile", options.FirstFile);
    addText(folder, "LastFile", options.LastFile);

    CMiniDOMNode& html = *root.addChild("HtmlOption");
    addText(html, "OutputFile", options.OutputFile);
    addFlag(html, "OpenBrowser", options.OpenBrowser);

    CMiniDOMNode& drop = *root.addChild("DropWindowOption");
    addFlag(drop, "UsePosition", options.UsePosition);
    // Any non-zero value counts: a migrated INI keeps the number it held (2,
    // say), is written as 1, and its position must come back with it.
    if (options.UsePosition != 0) {
        addInt(drop, "WindowPositionX", options.WindowPositionX);
        addInt(drop, "WindowPositionY", options.WindowPositionY);
    }
    addInt(drop, "FirstMode", options.FirstMode);
    addInt(drop, "OpenPosition", options.OpenPosition);
    addFlag(drop, "PrevOpen", options.PrevOpen);

    CMiniDOMNode& edit = *root.addChild("EditOption");
    addInt(edit, "AddPosition", options.AddPosition);
    addFlag(edit, "SameItemType", options.SameItemType);
    addFlag(edit, "SameUrlGroup", options.SameUrlGroup);

    addText(*root.addChild("AddinInfo"), "SelectedAddin", options.SelectedAddin);

    WriteWindowInfo(options.windowInfo, *root.addChild("WindowInfo"));
}

void OptionsXml::WriteWindowInfo(const WindowInfo& info, CMiniDOMNode& parent)
{
    addFlag(parent, "Restore", info.Restore);
    addFlag(parent, "TaskTray", info.TaskTray);
    addFlag(parent, "MinimumIcon", info.MinimumIcon);
    addFlag(parent, "MinimizedStart", info.MinimizedStart);

    CMiniDOMNode& frame = *parent.addChild("MainFrame");
    addInt(frame, "Left", info.Left);
    addInt(frame, "Top", info.Top);
    addInt(frame, "Right", info.Right);
    addInt(frame, "Bottom", info.Bottom);
    addText(frame, "DockState", info.DockState);

    CMiniDOMNode& tree = *parent.addChild("TreeView");
    addInt(tree, "Width", info.treeWidth);
    addInt(tree, "Height", info.treeHeight);

    CMiniDOMNode& header = *parent.addChild("ListView")->addChild("Header");
    addInt(header, "Title", info.titleWidth);
    addInt(header, "URL", info.urlWidth);
    addInt(header, "Message", info.messageWidth);
    addInt(header, "Date", info.dateWidth);
}
