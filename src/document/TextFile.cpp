// SPDX-License-Identifier: MIT
#include "document/TextFile.h"

#include <cstdio>
#include <memory>
#include <random>
#include <system_error>

namespace vora {

namespace {

constexpr char16_t kByteOrderMark = u'\uFEFF';

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// "x" makes the open fail instead of clobbering a file that happens to carry
// the name, so the temporary never destroys anything itself.
FileHandle CreateTemporary(const std::filesystem::path& target, std::filesystem::path& temporary) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%016llx~", static_cast<unsigned long long>(random()));
    temporary = target;
    temporary += suffix;
    if (std::FILE* file = std::fopen(temporary.c_str(), "wbx")) return FileHandle(file);
    std::error_code ignored;
    if (!std::filesystem::exists(temporary, ignored)) break;  // the folder refuses, not a clash
  }
  temporary.clear();
  return nullptr;
}

// A link is followed so that the file it names is replaced, not the link.
std::filesystem::path ResolveTarget(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
  return error ? path : resolved;
}

}  // namespace

std::u16string DecodeFileBytes(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto low = static_cast<unsigned char>(bytes[i]);
    const auto high = static_cast<unsigned char>(bytes[i + 1]);
    const auto unit = static_cast<char16_t>(low | (high << 8));
    if (unit == u'\0') break;
    if (unit != kByteOrderMark) text.push_back(unit);
  }
  return text;
}

std::string EncodeFileBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(2 * (text.size() + 1));
  auto append = [&bytes](char16_t unit) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  };
  append(kByteOrderMark);
  for (char16_t unit : text) append(unit);
  return bytes;
}

FileStatus ReadFileBytes(const std::filesystem::path& path, std::string& bytes) {
  std::error_code error;
  // A folder opens for reading on Linux and only fails on the first read.
  if (std::filesystem::is_directory(path, error)) return FileStatus::OpenFailed;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > kMaxTextFileBytes) return FileStatus::TooLarge;
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) return FileStatus::OpenFailed;

  // Read in blocks rather than trusting the size: pipes and growing files have
  // none, and the limit must hold whatever the size claims.
  std::string content;
  char block[65536];
  for (;;) {
    const std::size_t got = std::fread(block, 1, sizeof block, file.get());
    if (got > 0) {
      if (content.size() + got > kMaxTextFileBytes) return FileStatus::TooLarge;
      content.append(block, got);
    }
    if (got < sizeof block) break;
  }
  if (std::ferror(file.get())) return FileStatus::ReadFailed;
  bytes = std::move(content);
  return FileStatus::Ok;
}

FileStatus ReadTextFile(const std::filesystem::path& path, std::u16string& text) {
  std::string bytes;
  const FileStatus status = ReadFileBytes(path, bytes);
  if (status != FileStatus::Ok) return status;
  if (bytes.empty()) return FileStatus::ReadFailed;
  text = DecodeFileBytes(bytes);
  return FileStatus::Ok;
}

FileStatus WriteTextFile(const std::filesystem::path& path, std::u16string_view text) {
  const std::filesystem::path target = ResolveTarget(path);
  std::error_code error;
  const std::filesystem::file_status existing = std::filesystem::status(target, error);
  if (std::filesystem::is_directory(existing)) return FileStatus::OpenFailed;
  // Renaming would replace a write-protected file; refuse it as opening it would.
  const bool exists = std::filesystem::exists(existing);
  const auto writeBits = std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                         std::filesystem::perms::others_write;
  if (exists && (existing.permissions() & writeBits) == std::filesystem::perms::none)
    return FileStatus::OpenFailed;

  std::filesystem::path temporary;
  FileHandle file = CreateTemporary(target, temporary);
  if (!file) return FileStatus::OpenFailed;

  const std::string bytes = EncodeFileBytes(text);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                       std::fflush(file.get()) == 0;
  const bool closed = std::fclose(file.release()) == 0;
  if (written && closed) {
    if (exists) std::filesystem::permissions(temporary, existing.permissions(), error);
    std::filesystem::rename(temporary, target, error);
    if (!error) return FileStatus::Ok;
  }
  std::filesystem::remove(temporary, error);
  return FileStatus::WriteFailed;
}

std::u16string_view FileStatusMessage(FileStatus status, bool writing) {
  switch (status) {
    case FileStatus::Ok:
      return {};
    case FileStatus::OpenFailed:
      return writing ? u"Cannot open the file for writing" : u"Cannot open the file for reading";
    case FileStatus::ReadFailed:
    case FileStatus::TooLarge:
      return u"Cannot read the file";
    case FileStatus::WriteFailed:
      return u"Cannot open the file for writing";
  }
  return {};
}

}  // namespace vora
