// SPDX-License-Identifier: MIT
#include "settings/PreferencesIo.h"

#include "settings/Preferences.h"

namespace vora {

bool DetectSse2() {
#if defined(__x86_64__) || defined(__i386__)
  return __builtin_cpu_supports("sse2");
#else
  return false;
#endif
}

void LoadPreferences(const ISettingsStore& store) {
  PreferenceState& state = PreferenceState::Get();
  state.sse2Available = DetectSse2();
  for (const PreferenceInfo& info : PreferenceTable()) {
    std::uint32_t value = 0;
    const bool usable =
        store.ReadUnsigned(kPreferencesSection, info.name, value) == SettingRead::Ok &&
        (!info.ranged || value <= info.maximum);
    SetPreference(info.id, usable ? value : info.defaultValue);
  }
}

bool SavePreferences(ISettingsStore& store) {
  if (!PreferenceState::Get().preferencesChanged) return true;
  bool ok = true;
  // Every value is attempted even after a refusal, so one bad entry does not
  // cost the others.
  for (const PreferenceInfo& info : PreferenceTable())
    ok = store.WriteUnsigned(kPreferencesSection, info.name, GetPreference(info.id)) && ok;
  return store.Flush() && ok;
}

bool Sse2RoutinesActive() {
  return PreferenceState::Get().sse2Available && GetPreference(Preference::UseSSE2) != 0;
}

}  // namespace vora
