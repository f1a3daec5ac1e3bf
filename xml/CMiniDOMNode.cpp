#include "xml/CMiniDOMNode.h"

#include <algorithm>
#include <climits>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

CMiniDOMNode::CMiniDOMNode(const std::string& name) : name(name) {}

CMiniDOMNode* CMiniDOMNode::addChild(const std::string& childName)
{
    children_.push_back(std::make_unique<CMiniDOMNode>(childName));
    return children_.back().get();
}

const CMiniDOMNode* CMiniDOMNode::findChild(const std::string& childName) const
{
    for (const auto& candidate : children_) {
        if (candidate->name == childName)
            return candidate.get();
    }
    return nullptr;
}

int CMiniDOMNode::intValue() const
{
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    // Capped just past the int range so a long run of digits cannot overflow.
    const long long cap = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), cap);
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void CMiniDOMNode::setInt(int value)
{
    text = std::to_string(value);
}

const CMiniDOMNode* CMiniDOMNode::findChild(const CMiniDOMNode* node, const std::string& childName)
{
    return node ? node->findChild(childName) : nullptr;
}

const CMiniDOMNode* CMiniDOMNode::getInt(const CMiniDOMNode* node, int* out)
{
    if (!node || !out)
        return nullptr;
    *out = node->intValue();
    return node;
}
