// SPDX-License-Identifier: MIT
#include "settings/Preferences.h"

#include <gtest/gtest.h>

#include <string>

namespace vora {
namespace {

TEST(PreferencesTest, TableHoldsNamesDefaultsAndRangesInLoadOrder) {
  struct Row {
    std::u16string_view name;
    std::uint32_t defaultValue;
    bool ranged;
    std::uint32_t maximum;
  };
  const Row expected[kPreferenceCount] = {
      {u"AppendFunction", 1, false, 0},
      {u"AppendMemory", 1, false, 0},
      {u"AppendFunctionWith", 0, true, 2},
      {u"AppendMemoryWith", 1, true, 2},
      {u"AppendIncludePower", 1, false, 0},
      {u"FormatResult", 0, true, 5},
      {u"FormatMemory", 0, true, 5},
      {u"FormatI", 0, true, 1},
      {u"Notation", 0, true, 1},
      {u"NotationCase", 0, true, 1},
      {u"LogPopup", 1, false, 0},
      {u"TrigonometricUnits", 0, true, 2},
      {u"UseSSE2", 0, false, 0},
      {u"FreeConfirmation", 2, true, 2},
  };
  const auto& table = PreferenceTable();
  for (std::size_t i = 0; i < kPreferenceCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(static_cast<std::size_t>(table[i].id), i);
    EXPECT_EQ(table[i].name, expected[i].name);
    EXPECT_EQ(table[i].defaultValue, expected[i].defaultValue);
    EXPECT_EQ(table[i].ranged, expected[i].ranged);
    if (expected[i].ranged) {
      EXPECT_EQ(table[i].maximum, expected[i].maximum);
    }
  }
}

TEST(PreferencesTest, StartAtTheDefaultsAndResetRestoresThem) {
  PreferenceState::ResetForTests();
  for (const PreferenceInfo& info : PreferenceTable()) {
    EXPECT_EQ(GetPreference(info.id), info.defaultValue);
  }
  SetPreference(Preference::TrigonometricUnits, 2);
  PreferenceState::Get().preferencesChanged = true;
  EXPECT_EQ(GetPreference(Preference::TrigonometricUnits), 2u);
  PreferenceState::ResetForTests();
  EXPECT_EQ(GetPreference(Preference::TrigonometricUnits), 0u);
  EXPECT_FALSE(PreferenceState::Get().preferencesChanged);
  EXPECT_FALSE(PreferenceState::Get().sse2Available);
}

}  // namespace
}  // namespace vora
