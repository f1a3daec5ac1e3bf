#pragma once
// The user's texts about document files: why an open or save failed.

#include <exception>
#include <string>

class FileErrorMessage {
public:
    static const char* const OpenFailed;     // "ドキュメントを開くことに失敗しました。"
    static const char* const SaveFailed;     // "ドキュメントの保存に失敗しました。"
    static const char* const InvalidFormat;  // "予期しないファイル形式です。"
    static const char* const OutOfMemory;    // "メモリが不足しています。"

    // The text for `error` met while reading or writing `path`: a file
    // error's own text naming the file, the format text for a stream that
    // ends early or is malformed, `fallback` for anything else.
    static std::string For(const std::exception& error, const std::string& path, const char* fallback);
    // `pattern` with its `marker` ("%1" unless told) replaced by `name`.
    static std::string Substitute(const char* pattern, const std::string& name, const char* marker = "%1");
};
