// SPDX-License-Identifier: MIT
#include "settings/MemorySettingsStore.h"

namespace vora {

const MemorySettingsStore::Value* MemorySettingsStore::Find(std::u16string_view section,
                                                            std::u16string_view name) const {
  if (unavailable_) return nullptr;
  const auto found = values_.find(std::pair{std::u16string(section), std::u16string(name)});
  return found == values_.end() ? nullptr : &found->second;
}

bool MemorySettingsStore::Put(std::u16string_view section, std::u16string_view name, Value value) {
  if (refuseWrites_ || unavailable_) return false;
  std::pair key{std::u16string(section), std::u16string(name)};
  values_.insert_or_assign(key, std::move(value));
  writes_.push_back(std::move(key));
  return true;
}

SettingRead MemorySettingsStore::ReadUnsigned(std::u16string_view section, std::u16string_view name,
                                              std::uint32_t& value) const {
  std::u16string text;
  const SettingRead read = ReadString(section, name, text);
  if (read != SettingRead::Ok) return read;
  return ParseUnsignedSetting(text, value) ? SettingRead::Ok : SettingRead::WrongType;
}

SettingRead MemorySettingsStore::ReadInteger(std::u16string_view section, std::u16string_view name,
                                             std::int32_t& value) const {
  std::u16string text;
  const SettingRead read = ReadString(section, name, text);
  if (read != SettingRead::Ok) return read;
  return ParseIntegerSetting(text, value) ? SettingRead::Ok : SettingRead::WrongType;
}

SettingRead MemorySettingsStore::ReadString(std::u16string_view section, std::u16string_view name,
                                            std::u16string& value) const {
  const Value* stored = Find(section, name);
  if (stored == nullptr) return SettingRead::Missing;
  const Text* text = std::get_if<Text>(stored);
  if (text == nullptr) return SettingRead::WrongType;
  value = text->text;
  return SettingRead::Ok;
}

SettingRead MemorySettingsStore::ReadBytes(std::u16string_view section, std::u16string_view name,
                                           std::string& value) const {
  const Value* stored = Find(section, name);
  if (stored == nullptr) return SettingRead::Missing;
  const Bytes* bytes = std::get_if<Bytes>(stored);
  if (bytes == nullptr) return SettingRead::WrongType;
  value = bytes->bytes;
  return SettingRead::Ok;
}

bool MemorySettingsStore::WriteUnsigned(std::u16string_view section, std::u16string_view name,
                                        std::uint32_t value) {
  return Put(section, name, Text{IntegerSettingText(value)});
}

bool MemorySettingsStore::WriteInteger(std::u16string_view section, std::u16string_view name,
                                       std::int32_t value) {
  return Put(section, name, Text{IntegerSettingText(value)});
}

bool MemorySettingsStore::WriteString(std::u16string_view section, std::u16string_view name,
                                      std::u16string_view value) {
  return Put(section, name, Text{std::u16string(value)});
}

bool MemorySettingsStore::WriteBytes(std::u16string_view section, std::u16string_view name,
                                     std::string_view value) {
  return Put(section, name, Bytes{std::string(value)});
}

}  // namespace vora
