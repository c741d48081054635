// SPDX-License-Identifier: MIT
#include "settings/MemorySettingsStore.h"

#include <gtest/gtest.h>

#include "settings/SettingsStoreContract.h"

namespace vora {
namespace {

// The in-memory store lives as long as the test, so reopening it is the same store.
class MemoryStoreMaker {
 public:
  ISettingsStore& Store() { return store_; }
  ISettingsStore& Reopened() { return store_; }

 private:
  MemorySettingsStore store_;
};

}  // namespace

namespace testing {
using MemoryMakers = ::testing::Types<MemoryStoreMaker>;
INSTANTIATE_TYPED_TEST_SUITE_P(Memory, SettingsStoreContract, MemoryMakers);
}  // namespace testing

namespace {

TEST(MemorySettingsStoreTest, RefusedWritesChangeNothingAndAreReported) {
  MemorySettingsStore store;
  ASSERT_TRUE(store.WriteUnsigned(u"Preferences", u"Notation", 1));
  store.SetRefuseWrites(true);
  EXPECT_FALSE(store.WriteUnsigned(u"Preferences", u"Notation", 0));
  EXPECT_FALSE(store.WriteString(u"Preferences", u"Other", u"x"));
  EXPECT_FALSE(store.Flush());
  std::uint32_t value = 9;
  ASSERT_EQ(store.ReadUnsigned(u"Preferences", u"Notation", value), SettingRead::Ok);
  EXPECT_EQ(value, 1u);
  std::u16string text;
  EXPECT_EQ(store.ReadString(u"Preferences", u"Other", text), SettingRead::Missing);
}

TEST(MemorySettingsStoreTest, AnUnavailableStoreReadsNothing) {
  MemorySettingsStore store;
  ASSERT_TRUE(store.WriteUnsigned(u"Preferences", u"Notation", 1));
  store.SetUnavailable(true);
  std::uint32_t value = 9;
  EXPECT_EQ(store.ReadUnsigned(u"Preferences", u"Notation", value), SettingRead::Missing);
  EXPECT_FALSE(store.WriteUnsigned(u"Preferences", u"Notation", 0));
}

}  // namespace
}  // namespace vora
