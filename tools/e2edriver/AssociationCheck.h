#pragma once
// Opens a book the way a double click in Explorer does, with the open command
// of the .rvl association, and checks that Ravlo shows it; then closes Ravlo.
// The command is read where a per-user installer writes it,
// HKEY_CURRENT_USER\Software\Classes: Windows shows those classes in
// HKEY_CLASSES_ROOT, Wine does not, so the shell under Wine would not find them.

#include <string>

class AssociationCheck {
public:
    // `firstTitle`: the title of the first link of the book's first group.
    AssociationCheck(std::wstring book, std::wstring firstTitle);

    // Throws a DriverError when Ravlo does not start or shows something else.
    void run() const;

private:
    std::wstring book_;
    std::wstring firstTitle_;
};
