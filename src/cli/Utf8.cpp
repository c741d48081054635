// SPDX-License-Identifier: MIT
#include "cli/Utf8.h"

namespace vora::cli {

namespace {

constexpr bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

bool DecodeUtf8(std::string_view bytes, std::u16string& out, Utf8Error& error) {
  // Never more code units than bytes: room is made once.
  out.assign(bytes.size(), u'\0');
  char16_t* p = out.data();
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
      *p++ = lead;
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
      *p++ = static_cast<char16_t>(0xD800 + (c >> 10));
      *p++ = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      *p++ = static_cast<char16_t>(c);
    }
    i += length;
  }
  out.resize(static_cast<std::size_t>(p - out.data()));
  return true;
}

void AppendUtf8(std::u16string_view text, std::string& out) {
  // At most three bytes per code unit (a pair takes four for two units), so
  // the bytes are written into room made once rather than appended one by one.
  const std::size_t size = text.size();
  const std::size_t start = out.size();
  out.resize(start + 3 * size);
  char* p = out.data() + start;
  for (std::size_t i = 0; i < size; ++i) {
    char32_t c = text[i];
    if (c < 0x80) {
      *p++ = static_cast<char>(c);
      continue;
    }
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < size && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    if (c < 0x800) {
      *p++ = static_cast<char>(0xC0 | (c >> 6));
      *p++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      // Lone surrogates land here too and keep their code unit's bits.
      *p++ = static_cast<char>(0xE0 | (c >> 12));
      *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      *p++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      *p++ = static_cast<char>(0xF0 | (c >> 18));
      *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      *p++ = static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  out.resize(static_cast<std::size_t>(p - out.data()));
}

std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  AppendUtf8(text, out);
  return out;
}

}  // namespace vora::cli
