#pragma once
// How titles compare as the user reads them. The program uses the platform's
// Japanese collation; the portable sort only sees this interface, so tests
// can stand in for it. A sort asks once per title for a key and then compares
// the keys byte by byte: far cheaper than asking the platform per comparison.

#include <string>

class TitleCollation {
public:
    // Keys of two titles compare as bytes (std::string's <) in the order the
    // titles read; equal keys for titles that read alike.
    virtual std::string sortKey(const std::string& title) const = 0;

protected:
    ~TitleCollation() = default;
};
