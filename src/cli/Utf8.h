// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// The conversions between the UTF-16 text of the engine and the UTF-8 of
/// pipes and terminals. Reading is strict: anything that is not well-formed
/// UTF-8 is refused, never repaired. Writing never refuses: a lone surrogate is
/// written as the three bytes its code unit would have, so every code unit of
/// the text comes out and nothing is replaced.

namespace vora::cli {

/// Where and why a byte sequence was refused.
struct Utf8Error {
  std::size_t offset = 0;  // of the first byte of the bad sequence
  std::string_view reason;
};

/// Decodes well-formed UTF-8 (no overlong forms, no encoded surrogates, nothing
/// above U+10FFFF, no cut-off sequence). NUL bytes are ordinary characters.
/// On failure out is left empty and error says where.
bool DecodeUtf8(std::string_view bytes, std::u16string& out, Utf8Error& error);

/// Encodes every code unit: pairs as one four-byte character, lone surrogates
/// as three bytes each, U+0000 as a NUL byte.
std::string EncodeUtf8(std::u16string_view text);
void AppendUtf8(std::u16string_view text, std::string& out);

}  // namespace vora::cli
