#pragma once
// The archiver error: the one exception of the archive layer. The archive object and its
// archivers raise it; the open-from-archive functions catch it and turn it into messages, so
// it never leaves the layer's public entry points.

#include <stdexcept>
#include <string>

namespace archives {

enum class ArchiverErrorKind {
    ReaderMissing,        // the reader for this format is not built into libarchive
    UnknownFormat,        // neither the file name nor the contents tell the format
    UnsupportedFormat,    // a format this build cannot read (ARJ)
    UnsupportedOperation, // an operation the format's archiver does not offer
    Damaged,              // the archive cannot be read: truncated, corrupt, unreadable
    Extraction,           // one entry could not be extracted (refused name, disk full, ...)
};

class ArchiverError : public std::runtime_error {
  public:
    ArchiverError(ArchiverErrorKind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind) {}
    ArchiverErrorKind kind() const { return kind_; }

  private:
    ArchiverErrorKind kind_;
};

// The fixed message texts of the archivers.
namespace messages {
inline constexpr const char* kNoCreate = "この形式では書庫ファイルの作成をサポートしておりません。";
inline constexpr const char* kNoDelete =
    "この形式の書庫ではファイルの削除をサポートしておりません。";
inline constexpr const char* kNoUpdate = "この形式の書庫では書庫の更新をサポートしておりません。";
inline constexpr const char* kNoSelfExtracting =
    "この形式では自己解凍書庫の作成をサポートしておりません。";
inline constexpr const char* kNoCheck = "この形式では書庫チェック機能をサポートしておりません。";
inline constexpr const char* kUnknownFormat = "書庫の形式を判別できません。";
inline constexpr const char* kUnsupportedFormat =
    "現在のバージョンではこの形式の書庫をサポートしていません。";
inline constexpr const char* kLhaReaderMissing = "Lha 形式書庫を扱うには UNLHA32.DLL が 必要です。";
inline constexpr const char* kZipReaderMissing =
    "ZIP 形式書庫を解凍するには UNZIP32.DLL が、作成するには ZIP32J.DLL が必要です。";
inline constexpr const char* kCabReaderMissing = "CAB 形式書庫を扱うには CAB32.DLL が 必要です。";
inline constexpr const char* kArjReaderMissing =
    "ARJ 形式書庫を扱うには UNARJ32J.DLL が 必要です。";
inline constexpr const char* kTarReaderMissing =
    "tar/tgz/taz/bz2 形式書庫を扱うには tar32.dll が 必要です。";
inline constexpr const char* kRarReaderMissing = "RAR 形式書庫を扱うには UNRAR32.DLL が 必要です。";
} // namespace messages

} // namespace archives
