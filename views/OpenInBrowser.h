#pragma once
// Hands a bookmark's URL to the shell, which opens it in the user's browser.

#include <string>

// Nothing for an empty URL. The main window (if any) owns whatever the shell
// shows; its answer is not examined.
void OpenInBrowser(const std::string& url);
