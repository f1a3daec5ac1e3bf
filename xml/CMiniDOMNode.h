#pragma once
// A node of the settings-file DOM. A document node has an empty name; its
// first child is the document element. The parent owns its children.

#include <memory>
#include <string>
#include <vector>

class CMiniDOMNode {
public:
    explicit CMiniDOMNode(const std::string& name = std::string());
    CMiniDOMNode(const CMiniDOMNode&) = delete;
    CMiniDOMNode& operator=(const CMiniDOMNode&) = delete;

    // Appends a new child with that name and returns it; the parent keeps it.
    CMiniDOMNode* addChild(const std::string& childName);
    // First child whose name equals `childName` byte for byte, or null.
    const CMiniDOMNode* findChild(const std::string& childName) const;
    // The text read as a decimal integer: leading white space, an optional
    // sign, digits up to the first non-digit; 0 without digits. Values beyond
    // the int range are clamped.
    int intValue() const;
    void setInt(int value);

    // Null-safe forms for chained lookups: a chain through a missing element
    // ends in null, and the caller keeps its default.
    static const CMiniDOMNode* findChild(const CMiniDOMNode* node, const std::string& childName);
    // Sets `*out` to the node's integer and returns the node; with a null
    // node or null `out`, returns null and leaves `*out` alone.
    static const CMiniDOMNode* getInt(const CMiniDOMNode* node, int* out);

    size_t childCount() const { return children_.size(); }
    CMiniDOMNode* child(size_t index) const { return children_[index].get(); }

    std::string name;
    std::string text;

private:
    std::vector<std::unique_ptr<CMiniDOMNode>> children_;
};
