// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace vora::testing {

/// Bytes as "FF FE 31 00 " so that a mismatch shows where the files differ.
inline std::string Hex(std::string_view bytes) {
  std::string out;
  char buffer[4];
  for (unsigned char c : bytes) {
    std::snprintf(buffer, sizeof buffer, "%02X ", c);
    out += buffer;
  }
  return out;
}

/// The code units as UTF-16 bytes, little- or big-endian, without a mark.
inline std::string Bytes16(std::u16string_view text, bool bigEndian = false) {
  std::string bytes;
  for (char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF);
    const char high = static_cast<char>(unit >> 8);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

}  // namespace vora::testing
