#pragma once
// Decodes the character references of HTML text in code page 932: the named
// ones browsers write (&amp; &lt; &gt; &quot; &apos; &nbsp;) and numeric ones
// (&#12354; &#x3042;), whose characters are converted to 932 (one 932 lacks
// becomes "?", a no-break space a plain space). Anything else that starts
// with "&" stays as written. Only the few bytes after an "&" are looked at
// for its ";", so text full of "&" decodes in linear time.

#include <cstddef>
#include <string>
#include <string_view>

class HtmlCharacterReferences {
public:
    // What a numeric reference that names no character (NUL, a surrogate,
    // a number beyond Unicode, however many digits) becomes.
    enum class NonCharacter { KeptAsWritten, Dropped };

    explicit constexpr HtmlCharacterReferences(NonCharacter nonCharacter) : nonCharacter_(nonCharacter) {}

    std::string decoded(std::string_view text932) const;
    // Appends what the reference starting at text932[at] (an "&") stands
    // for and returns the position after it; for an "&" that starts no
    // reference, appends the "&" alone and returns the position after it.
    size_t appendReference(std::string& out, std::string_view text932, size_t at) const;

private:
    NonCharacter nonCharacter_;
};
