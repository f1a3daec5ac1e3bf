#pragma once
// What the editing layer needs from whoever owns the book (the document):
// telling every view about a change, marking the book modified and telling
// the user why a change was refused. Keeping
// it this small lets the layer stay free of windows and be tested natively.

#include "model/UpdateHint.h"

class BookChanges {
public:
    // Every view hears `hint` (the document's update-all-views).
    virtual void announceChange(UpdateHintKind kind, UpdateHint& hint) = 0;
    virtual void markModified() = 0;
    // Items would have stood deeper than a book can hold; nothing changed.
    virtual void refuseTooDeep() = 0;

protected:
    ~BookChanges() = default;
};
