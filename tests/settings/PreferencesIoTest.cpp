// SPDX-License-Identifier: MIT
#include "settings/PreferencesIo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/MemorySettingsStore.h"
#include "settings/Preferences.h"

namespace vora {
namespace {

class PreferencesIoTest : public ::testing::Test {
 protected:
  void SetUp() override { PreferenceState::ResetForTests(); }
  void TearDown() override { PreferenceState::ResetForTests(); }

  // Values unlike every default, so a load that leaves a value alone shows.
  static void Scramble() {
    for (const PreferenceInfo& info : PreferenceTable()) SetPreference(info.id, 77);
  }

  MemorySettingsStore store_;
};

TEST_F(PreferencesIoTest, EachStoredValueLoadsByTheRangeAndTypeRules) {
  const struct {
    const char* label;
    Preference id;
    std::u16string_view stored;  // empty: not stored at all
    bool asBytes;
    std::uint32_t expected;
  } rows[] = {
      {"ranged at its maximum", Preference::FormatResult, u"5", false, 5},
      {"ranged one above", Preference::FormatResult, u"6", false, 0},
      {"ranged far above", Preference::FormatResult, u"4294967295", false, 0},
      {"text", Preference::FormatResult, u"Result", false, 0},
      {"negative text", Preference::FormatI, u"-1", false, 0},
      {"byte string", Preference::TrigonometricUnits, u"2", true, 0},
      {"missing", Preference::FreeConfirmation, u"", false, 2},
      {"ranged above, default not zero", Preference::FreeConfirmation, u"3", false, 2},
      {"ranged zero", Preference::FreeConfirmation, u"0", false, 0},
      {"unranged any value", Preference::AppendFunction, u"4294967295", false, 4294967295u},
      {"unranged zero", Preference::LogPopup, u"0", false, 0},
      {"unranged text", Preference::UseSSE2, u"yes", false, 0},
      {"in range", Preference::TrigonometricUnits, u"2", false, 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    MemorySettingsStore store;
    const std::u16string_view name = PreferenceTable()[static_cast<std::size_t>(row.id)].name;
    if (row.asBytes) {
      ASSERT_TRUE(
          store.WriteBytes(kPreferencesSection, name, std::string_view("\x02\x00\x00\x00", 4)));
    } else if (!row.stored.empty()) {
      ASSERT_TRUE(store.WriteString(kPreferencesSection, name, row.stored));
    }
    Scramble();
    LoadPreferences(store);
    EXPECT_EQ(GetPreference(row.id), row.expected);
    // Every value the store lacks takes its default.
    for (const PreferenceInfo& info : PreferenceTable()) {
      if (info.id != row.id) {
        EXPECT_EQ(GetPreference(info.id), info.defaultValue);
      }
    }
  }
}

TEST_F(PreferencesIoTest, AStoreThatCannotBeOpenedLeavesTheDefaults) {
  for (const PreferenceInfo& info : PreferenceTable())
    ASSERT_TRUE(store_.WriteUnsigned(kPreferencesSection, info.name, 1));
  store_.SetUnavailable(true);
  LoadPreferences(store_);
  for (const PreferenceInfo& info : PreferenceTable())
    EXPECT_EQ(GetPreference(info.id), info.defaultValue);
  EXPECT_FALSE(PreferenceState::Get().preferencesChanged);
}

TEST_F(PreferencesIoTest, ValuesInOtherSectionsAreNotPreferences) {
  ASSERT_TRUE(store_.WriteUnsigned(u"GUI/Keypad", u"Notation", 1));
  LoadPreferences(store_);
  EXPECT_EQ(GetPreference(Preference::Notation), 0u);
}

TEST_F(PreferencesIoTest, LoadingTellsWhetherSse2IsThere) {
  LoadPreferences(store_);
#if defined(__x86_64__)
  EXPECT_TRUE(PreferenceState::Get().sse2Available);  // part of every x86-64 processor
#endif
  SetPreference(Preference::UseSSE2, 1);
  EXPECT_EQ(Sse2RoutinesActive(), PreferenceState::Get().sse2Available);
  PreferenceState::Get().sse2Available = false;
  EXPECT_FALSE(Sse2RoutinesActive());
}

TEST_F(PreferencesIoTest, NothingIsWrittenWithoutAChange) {
  SetPreference(Preference::Notation, 1);  // changed without the flag: still not saved
  EXPECT_TRUE(SavePreferences(store_));
  EXPECT_TRUE(store_.Writes().empty());
}

TEST_F(PreferencesIoTest, AChangeWritesAllFourteenInTableOrderEachWithItsOwnValue) {
  // Distinct in-range values, so a value written under another name shows.
  std::vector<std::uint32_t> chosen;
  for (const PreferenceInfo& info : PreferenceTable()) {
    const std::uint32_t value = info.ranged
                                    ? (static_cast<std::uint32_t>(info.id) % (info.maximum + 1))
                                    : 100 + static_cast<std::uint32_t>(info.id);
    SetPreference(info.id, value);
    chosen.push_back(value);
  }
  PreferenceState::Get().preferencesChanged = true;
  ASSERT_TRUE(SavePreferences(store_));

  ASSERT_EQ(store_.Writes().size(), PreferenceTable().size());
  for (std::size_t i = 0; i < PreferenceTable().size(); ++i) {
    const PreferenceInfo& info = PreferenceTable()[i];
    SCOPED_TRACE(std::string(info.name.begin(), info.name.end()));
    EXPECT_TRUE(store_.Writes()[i].first == kPreferencesSection);
    EXPECT_TRUE(store_.Writes()[i].second == info.name);
    std::uint32_t stored = 0;
    ASSERT_EQ(store_.ReadUnsigned(kPreferencesSection, info.name, stored), SettingRead::Ok);
    EXPECT_EQ(stored, chosen[i]);
  }

  // And they come back as they went.
  Scramble();
  LoadPreferences(store_);
  for (std::size_t i = 0; i < PreferenceTable().size(); ++i)
    EXPECT_EQ(GetPreference(PreferenceTable()[i].id), chosen[i]);
}

TEST_F(PreferencesIoTest, ARefusedSaveIsReported) {
  PreferenceState::Get().preferencesChanged = true;
  store_.SetRefuseWrites(true);
  EXPECT_FALSE(SavePreferences(store_));
}

}  // namespace
}  // namespace vora
