#pragma once
#include <string>

// Escapes a code page 932 text for HTML: double-byte characters pass whole,
// every space becomes &nbsp;, and " & < > become entities.
std::string htmlEscape(const std::string& text932);
