// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// A minimal writer of one JSON value into a string, with commas and nesting
/// kept track of. Strings come from the engine as UTF-16 and leave as UTF-8;
/// control characters and lone surrogates are written as \u escapes, so every
/// code unit survives and the output stays valid UTF-8. It does not check that
/// keys and values alternate; callers write well-formed documents.

namespace vora::cli {

class JsonWriter {
 public:
  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }

  /// Key of the next member; the key is ASCII text of the program's own.
  void Key(std::string_view key);
  void String(std::u16string_view value);
  void Bool(bool value);
  void Integer(std::int64_t value);

  const std::string& Text() const { return out_; }

 private:
  void Open(char bracket);
  void Close(char bracket);
  void BeforeValue();

  std::string out_;
  std::vector<bool> hasMembers_;  // one per open object or array
  bool afterKey_ = false;
};

/// value as the body of a JSON string, without the quotes.
void AppendJsonEscaped(std::u16string_view value, std::string& out);

}  // namespace vora::cli
