// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "settings/ISettingsStore.h"

/// Loading the fourteen preferences from the settings store at start-up and
/// writing them back at exit, both driven by PreferenceTable(). The values
/// themselves live in PreferenceState; nothing here is shown to the user.

namespace vora {

inline constexpr std::u16string_view kPreferencesSection = u"Preferences";

/// Whether the processor offers SSE2.
bool DetectSse2();

/// Sets sse2Available, then every preference from the store: a value that is
/// missing, not an unsigned number, or above a ranged setting's maximum takes
/// the default. preferencesChanged is left alone.
void LoadPreferences(const ISettingsStore& store);

/// Nothing unless preferencesChanged; otherwise writes all fourteen values in
/// table order. False when the store refused a write or the flush.
bool SavePreferences(ISettingsStore& store);

/// Whether the math library runs its SSE2 routines: sse2Available and UseSSE2
/// both set. On this platform's library the choice changes no result.
bool Sse2RoutinesActive();

}  // namespace vora
