#pragma once
// Implemented by the view that lists the items of one group, so the document
// can tell which group the user has open without knowing that view's class.

class BookmarkItem;

class ShownGroupView {
public:
    // The group whose items the view shows; null when it shows none.
    virtual BookmarkItem* shownGroup() const = 0;

protected:
    ~ShownGroupView() = default;
};
