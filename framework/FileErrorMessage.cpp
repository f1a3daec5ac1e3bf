#include "framework/FileErrorMessage.h"

#include "framework/ArchiveException.h"
#include "framework/FileException.h"

#include <new>

const char* const FileErrorMessage::OpenFailed = "ドキュメントを開くことに失敗しました。";
const char* const FileErrorMessage::SaveFailed = "ドキュメントの保存に失敗しました。";
const char* const FileErrorMessage::InvalidFormat = "予期しないファイル形式です。";
const char* const FileErrorMessage::OutOfMemory = "メモリが不足しています。";

namespace {

const char* fileErrorPattern(FileException::Cause cause)
{
    switch (cause) {
    case FileException::Cause::FileNotFound:
        return "%1 が見つかりませんでした。";
    case FileException::Cause::BadPath:
        return "%1 のパスの全部または一部が正しくありません。";
    case FileException::Cause::AccessDenied:
        return "%1 へのアクセスが拒否されました。";
    case FileException::Cause::SharingViolation:
        return "%1 は他のプログラムが使用中です。";
    case FileException::Cause::DiskFull:
        return "%1 を書き込むためのディスクの空き領域が足りません。";
    case FileException::Cause::EndOfFile:
        return "%1 の読み込み中に、予期せずファイルの終わりに達しました。";
    case FileException::Cause::Generic:
        break;
    }
    return "%1 へのアクセス中に予期しないエラーが発生しました。";
}

}  // namespace

std::string FileErrorMessage::For(const std::exception& error, const std::string& path, const char* fallback)
{
    if (const auto* fileError = dynamic_cast<const FileException*>(&error)) {
        const std::string& name = fileError->path().empty() ? path : fileError->path();
        return Substitute(fileErrorPattern(fileError->cause()), name);
    }
    if (const auto* archiveError = dynamic_cast<const ArchiveException*>(&error)) {
        if (archiveError->cause() != ArchiveException::Cause::Generic) return InvalidFormat;
    }
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) return OutOfMemory;
    return fallback;
}

// A marker starts with "%", below 0x40, so it never starts inside a double-byte character.
std::string FileErrorMessage::Substitute(const char* pattern, const std::string& name, const char* marker)
{
    std::string text = pattern;
    const std::string markerText = marker;
    const size_t mark = text.find(markerText);
    if (mark != std::string::npos) text.replace(mark, markerText.size(), name);
    return text;
}
