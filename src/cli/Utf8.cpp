// SPDX-License-Identifier: MIT
#include "cli/Utf8.h"

namespace vora::cli {

namespace {

constexpr bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

bool DecodeUtf8(std::string_view bytes, std::u16string& out, Utf8Error& error) {
  out.clear();
  out.reserve(bytes.size());
  const std::size_t size = bytes.size();
  std::size_t i = 0;
  auto fail = [&](std::string_view reason) {
    out.clear();
    error = {i, reason};
    return false;
  };
  while (i < size) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    std::size_t length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      c = lead & 0x1F;
      minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      c = lead & 0x0F;
      minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      c = lead & 0x07;
      minimum = 0x10000;
    } else if (lead <= 0xBF) {
      return fail("unexpected continuation byte");
    } else {
      return fail("invalid lead byte");
    }
    if (size - i < length) return fail("truncated sequence");
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if (!IsContinuation(next)) return fail("truncated sequence");
      c = (c << 6) | (next & 0x3F);
    }
    if (c < minimum) return fail("overlong encoding");
    if (c >= 0xD800 && c <= 0xDFFF) return fail("encoded surrogate");
    if (c > 0x10FFFF) return fail("code point above U+10FFFF");
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
    i += length;
  }
  return true;
}

void AppendUtf8(std::u16string_view text, std::string& out) {
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size; ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < size && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      // Lone surrogates land here too and keep their code unit's bits.
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
}

std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendUtf8(text, out);
  return out;
}

}  // namespace vora::cli
