// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

/// The fourteen process-wide user preferences, their table (name, default,
/// maximum) and the flags around them. Every reader asks for a value at the
/// moment of use; loading and saving are done elsewhere from the same table.

namespace vora {

enum class Preference : int {
  AppendFunction,
  AppendMemory,
  AppendFunctionWith,
  AppendMemoryWith,
  AppendIncludePower,
  FormatResult,
  FormatMemory,
  FormatI,
  Notation,
  NotationCase,
  LogPopup,
  TrigonometricUnits,
  UseSSE2,
  FreeConfirmation,
};

inline constexpr std::size_t kPreferenceCount = 14;

struct PreferenceInfo {
  Preference id;
  std::u16string_view name;  // the value name in the settings store
  std::uint32_t defaultValue;
  bool ranged;            // false: any value is accepted
  std::uint32_t maximum;  // inclusive, when ranged
};

/// In the order the values are loaded and saved.
const std::array<PreferenceInfo, kPreferenceCount>& PreferenceTable();

/// Process-wide; one instance, reached through PreferenceState::Get().
struct PreferenceState {
  std::array<std::uint32_t, kPreferenceCount> values{};
  bool preferencesChanged = false;
  bool sse2Available = false;

  static PreferenceState& Get();
  /// Every value back to its default, both flags false (for tests).
  static void ResetForTests();
};

std::uint32_t GetPreference(Preference id);
void SetPreference(Preference id, std::uint32_t value);

}  // namespace vora
