#pragma once

// Base of the objects a document sends along with a view update, so that a
// view can tell with dynamic_cast what it received.
class CObject {
public:
    virtual ~CObject() = default;
};
