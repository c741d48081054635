// SPDX-License-Identifier: MIT
#include "cli/JsonWriter.h"

#include "cli/Utf8.h"

namespace vora::cli {

namespace {

void AppendUnicodeEscape(char16_t unit, std::string& out) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\u";
  out += kHex[(unit >> 12) & 0xF];
  out += kHex[(unit >> 8) & 0xF];
  out += kHex[(unit >> 4) & 0xF];
  out += kHex[unit & 0xF];
}

constexpr bool IsHigh(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLow(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

void AppendJsonEscaped(std::u16string_view value, std::string& out) {
  std::size_t plainStart = 0;
  auto flushPlain = [&](std::size_t end) {
    AppendUtf8(value.substr(plainStart, end - plainStart), out);
  };
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char16_t unit = value[i];
    if (IsHigh(unit) && i + 1 < value.size() && IsLow(value[i + 1])) {
      ++i;  // a proper pair is written as one UTF-8 character
      continue;
    }
    const bool lone = IsHigh(unit) || IsLow(unit);
    if (unit >= 0x20 && unit != u'"' && unit != u'\\' && !lone) continue;
    flushPlain(i);
    plainStart = i + 1;
    switch (unit) {
      case u'"':
        out += "\\\"";
        break;
      case u'\\':
        out += "\\\\";
        break;
      case u'\b':
        out += "\\b";
        break;
      case u'\f':
        out += "\\f";
        break;
      case u'\n':
        out += "\\n";
        break;
      case u'\r':
        out += "\\r";
        break;
      case u'\t':
        out += "\\t";
        break;
      default:
        AppendUnicodeEscape(unit, out);
    }
  }
  flushPlain(value.size());
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (hasMembers_.empty()) return;
  if (hasMembers_.back()) out_ += ", ";
  hasMembers_.back() = true;
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  out_ += bracket;
  hasMembers_.push_back(false);
}

void JsonWriter::Close(char bracket) {
  out_ += bracket;
  hasMembers_.pop_back();
}

void JsonWriter::Key(std::string_view key) {
  BeforeValue();
  out_ += '"';
  out_ += key;
  out_ += "\": ";
  afterKey_ = true;
}

void JsonWriter::String(std::u16string_view value) {
  BeforeValue();
  out_ += '"';
  AppendJsonEscaped(value, out_);
  out_ += '"';
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
}

void JsonWriter::Integer(std::int64_t value) {
  BeforeValue();
  out_ += std::to_string(value);
}

}  // namespace vora::cli
