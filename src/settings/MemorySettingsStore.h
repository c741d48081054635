// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "settings/ISettingsStore.h"

/// A settings store held in memory, for tests and for runs that must not touch
/// the user's settings. It can be told to refuse every write, and to act as a
/// store that cannot be opened at all (every read Missing), to exercise the
/// failure paths of its readers and writers.

namespace vora {

class MemorySettingsStore final : public ISettingsStore {
 public:
  SettingRead ReadUnsigned(std::u16string_view section, std::u16string_view name,
                           std::uint32_t& value) const override;
  SettingRead ReadInteger(std::u16string_view section, std::u16string_view name,
                          std::int32_t& value) const override;
  SettingRead ReadString(std::u16string_view section, std::u16string_view name,
                         std::u16string& value) const override;
  SettingRead ReadBytes(std::u16string_view section, std::u16string_view name,
                        std::string& value) const override;

  bool WriteUnsigned(std::u16string_view section, std::u16string_view name,
                     std::uint32_t value) override;
  bool WriteInteger(std::u16string_view section, std::u16string_view name,
                    std::int32_t value) override;
  bool WriteString(std::u16string_view section, std::u16string_view name,
                   std::u16string_view value) override;
  bool WriteBytes(std::u16string_view section, std::u16string_view name,
                  std::string_view value) override;
  bool Flush() override { return !refuseWrites_; }

  void SetRefuseWrites(bool refuse) { refuseWrites_ = refuse; }
  void SetUnavailable(bool unavailable) { unavailable_ = unavailable; }
  /// Every successful write since construction, in order (section, name).
  const std::vector<std::pair<std::u16string, std::u16string>>& Writes() const { return writes_; }

 private:
  struct Text {
    std::u16string text;
  };
  struct Bytes {
    std::string bytes;
  };
  using Value = std::variant<Text, Bytes>;

  const Value* Find(std::u16string_view section, std::u16string_view name) const;
  bool Put(std::u16string_view section, std::u16string_view name, Value value);

  std::map<std::pair<std::u16string, std::u16string>, Value, std::less<>> values_;
  std::vector<std::pair<std::u16string, std::u16string>> writes_;
  bool refuseWrites_ = false;
  bool unavailable_ = false;
};

}  // namespace vora
