#pragma once
// The form in which two URLs that lead to the same place compare equal:
// scheme and host in lower case, a default port left out ("http://a.jp:80"),
// an empty path written as "/" ("http://a.jp"), and a "#" with nothing after
// it at the end dropped. Everything else (path, query, fragment, user name)
// stays as written. Texts are code page 932; a host may hold double-byte
// characters, whose second bytes are never changed.

#include <string>

class UrlKey {
public:
    static std::string of(const std::string& url932);
};
