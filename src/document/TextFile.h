// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

/// The one reader and the one writer of the program's text files (worksheets
/// and memory files). Reading takes any file as UTF-16LE code units; writing
/// puts a byte-order mark before the code units and replaces the target only
/// once everything is on disk. Nothing here shows a message.

namespace vora {

enum class FileStatus { Ok, OpenFailed, ReadFailed, WriteFailed, TooLarge };

/// Files above this size are refused rather than read into memory.
inline constexpr std::uintmax_t kMaxTextFileBytes = std::uintmax_t{256} * 1024 * 1024;

/// Every byte of the file, an empty file included. The status codes are those
/// of ReadTextFile, except that no bytes is Ok here.
FileStatus ReadFileBytes(const std::filesystem::path& path, std::string& bytes);

/// Reads the file's bytes and decodes them with DecodeFileBytes. OpenFailed
/// when the file cannot be opened (missing, a folder, no permission),
/// ReadFailed when it holds no bytes or the read breaks off, TooLarge above
/// kMaxTextFileBytes. text is changed only on Ok.
FileStatus ReadTextFile(const std::filesystem::path& path, std::u16string& text);

/// Writes U+FEFF and then the code units of text as UTF-16LE. The bytes go to
/// a temporary file in the target's folder that is renamed over the target
/// only when all of them were written; on failure the previous file is left
/// as it was and the temporary is removed. OpenFailed when the temporary
/// cannot be created, WriteFailed when writing or renaming fails.
FileStatus WriteTextFile(const std::filesystem::path& path, std::u16string_view text);

/// UTF-16LE units, cut at NUL, no U+FEFF: N/2 code units for N bytes (an odd
/// last byte is dropped), cut before the first NUL, every U+FEFF removed.
std::u16string DecodeFileBytes(std::string_view bytes);

/// The bytes WriteTextFile puts on disk for text (byte-order mark included).
std::string EncodeFileBytes(std::u16string_view text);

/// "Cannot open the file for reading" / "Cannot read the file" / "Cannot open
/// the file for writing" for a failed status; empty for Ok. A TooLarge file
/// reads as "Cannot read the file".
std::u16string_view FileStatusMessage(FileStatus status, bool writing);

}  // namespace vora
