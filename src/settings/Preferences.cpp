// SPDX-License-Identifier: MIT
#include "settings/Preferences.h"

namespace vora {

namespace {

constexpr std::array<PreferenceInfo, kPreferenceCount> kTable = {{
    {Preference::AppendFunction, u"AppendFunction", 1, false, 0},
    {Preference::AppendMemory, u"AppendMemory", 1, false, 0},
    {Preference::AppendFunctionWith, u"AppendFunctionWith", 0, true, 2},
    {Preference::AppendMemoryWith, u"AppendMemoryWith", 1, true, 2},
    {Preference::AppendIncludePower, u"AppendIncludePower", 1, false, 0},
    {Preference::FormatResult, u"FormatResult", 0, true, 5},
    {Preference::FormatMemory, u"FormatMemory", 0, true, 5},
    {Preference::FormatI, u"FormatI", 0, true, 1},
    {Preference::Notation, u"Notation", 0, true, 1},
    {Preference::NotationCase, u"NotationCase", 0, true, 1},
    {Preference::LogPopup, u"LogPopup", 1, false, 0},
    {Preference::TrigonometricUnits, u"TrigonometricUnits", 0, true, 2},
    {Preference::UseSSE2, u"UseSSE2", 0, false, 0},
    {Preference::FreeConfirmation, u"FreeConfirmation", 2, true, 2},
}};

// The table is indexed by the enum, so its rows must stand in enum order.
constexpr bool TableInEnumOrder() {
  for (std::size_t i = 0; i < kTable.size(); ++i)
    if (static_cast<std::size_t>(kTable[i].id) != i) return false;
  return true;
}
static_assert(TableInEnumOrder());

PreferenceState Defaults() {
  PreferenceState state;
  for (const PreferenceInfo& info : kTable)
    state.values[static_cast<std::size_t>(info.id)] = info.defaultValue;
  return state;
}

PreferenceState& Instance() {
  static PreferenceState state = Defaults();
  return state;
}

}  // namespace

const std::array<PreferenceInfo, kPreferenceCount>& PreferenceTable() {
  return kTable;
}

PreferenceState& PreferenceState::Get() {
  return Instance();
}

void PreferenceState::ResetForTests() {
  Instance() = Defaults();
}

std::uint32_t GetPreference(Preference id) {
  return Instance().values[static_cast<std::size_t>(id)];
}

void SetPreference(Preference id, std::uint32_t value) {
  Instance().values[static_cast<std::size_t>(id)] = value;
}

}  // namespace vora
