// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// The per-user settings store as the core sees it: named values in sections
/// ("Preferences", "GUI/Frame", ...). A value is either text or a byte string;
/// an unsigned or integer value is text that spells the number in decimal, so
/// a store kept as text files answers exactly like one kept in memory. The
/// reader sees whether a value is missing or of another type and picks its
/// default itself; the store never substitutes one.

namespace vora {

enum class SettingRead { Ok, Missing, WrongType };

class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;

  /// Ok only for text that is a decimal number from 0 to 4294967295.
  virtual SettingRead ReadUnsigned(std::u16string_view section, std::u16string_view name,
                                   std::uint32_t& value) const = 0;
  /// Ok only for text that is a decimal number, optionally negative, in the
  /// 32-bit signed range.
  virtual SettingRead ReadInteger(std::u16string_view section, std::u16string_view name,
                                  std::int32_t& value) const = 0;
  /// Ok for any text value (numbers included); a byte string is WrongType.
  virtual SettingRead ReadString(std::u16string_view section, std::u16string_view name,
                                 std::u16string& value) const = 0;
  /// Ok for a byte string; a text value is WrongType.
  virtual SettingRead ReadBytes(std::u16string_view section, std::u16string_view name,
                                std::string& value) const = 0;

  /// Each write replaces the value of any type; false when the store refuses.
  virtual bool WriteUnsigned(std::u16string_view section, std::u16string_view name,
                             std::uint32_t value) = 0;
  virtual bool WriteInteger(std::u16string_view section, std::u16string_view name,
                            std::int32_t value) = 0;
  virtual bool WriteString(std::u16string_view section, std::u16string_view name,
                           std::u16string_view value) = 0;
  virtual bool WriteBytes(std::u16string_view section, std::u16string_view name,
                          std::string_view value) = 0;

  /// Makes the writes so far durable; false when that failed.
  virtual bool Flush() = 0;
};

/// The number text rules every store shares: decimal digits only (after one
/// leading '-' for the signed form), no spaces, no '+', nothing out of range.
inline bool ParseUnsignedSetting(std::u16string_view text, std::uint32_t& value) {
  if (text.empty() || text.size() > 10) return false;
  std::uint64_t number = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    number = number * 10 + static_cast<std::uint64_t>(c - u'0');
  }
  if (number > UINT32_MAX) return false;
  value = static_cast<std::uint32_t>(number);
  return true;
}

inline bool ParseIntegerSetting(std::u16string_view text, std::int32_t& value) {
  const bool negative = !text.empty() && text.front() == u'-';
  if (negative) text.remove_prefix(1);
  std::uint32_t magnitude = 0;
  if (!ParseUnsignedSetting(text, magnitude)) return false;
  const std::int64_t number = negative ? -std::int64_t{magnitude} : std::int64_t{magnitude};
  if (number < INT32_MIN || number > INT32_MAX) return false;
  value = static_cast<std::int32_t>(number);
  return true;
}

inline std::u16string IntegerSettingText(std::int64_t value) {
  const bool negative = value < 0;
  std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) digits.insert(digits.begin(), u'-');
  return digits;
}

}  // namespace vora
