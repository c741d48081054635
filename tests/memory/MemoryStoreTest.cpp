// SPDX-License-Identifier: MIT
#include "memory/MemoryStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vora {
namespace {

class MemoryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { MemoryStore::ResetForTests(); }
  void TearDown() override { MemoryStore::ResetForTests(); }

  static std::vector<std::u16string> Names() {
    std::vector<std::u16string> names;
    const MemoryStore& store = MemoryStore::Get();
    for (std::size_t i = 0; i < store.Count(); ++i) names.push_back(store.CellAt(i).name);
    return names;
  }
  MemoryStore& store = MemoryStore::Get();
};

TEST_F(MemoryStoreTest, OrdersByCodeUnits) {
  for (const char16_t* name : {u"a", u"9", u"10", u"ab", u"\u00E9", u"B", u"\U0001F600", u"\uFF01"})
    store.CellForStore(name);
  // Digits by code unit (10 before 9), a prefix first, upper case before lower,
  // and a surrogate pair (D83D) before U+FF01.
  const std::vector<std::u16string> expected = {u"10", u"9",      u"B",          u"a",
                                                u"ab", u"\u00E9", u"\U0001F600", u"\uFF01"};
  EXPECT_EQ(Names(), expected);
  // Walking backwards gives the same cells as walking forwards.
  for (std::size_t i = store.Count(); i-- > 0;) EXPECT_EQ(store.CellAt(i).name, expected[i]);
}

TEST_F(MemoryStoreTest, FindNeverCreatesAndStoresCreateOnce) {
  EXPECT_EQ(store.Find(u"x"), nullptr);
  EXPECT_EQ(store.Count(), 0u);
  EXPECT_FALSE(store.memoryChanged);

  MemoryCell& cell = store.CellForStore(u"x");
  EXPECT_EQ(cell.value.re, 0.0);
  EXPECT_EQ(cell.value.im, 0.0);
  EXPECT_FALSE(cell.included);
  cell.value = {1, 2};
  EXPECT_EQ(&store.CellForStore(u"x"), &cell);
  EXPECT_EQ(store.Count(), 1u);
  ASSERT_NE(store.Find(u"x"), nullptr);
  EXPECT_EQ(store.Find(u"x")->value.im, 2.0);
  EXPECT_EQ(store.Find(u"X"), nullptr) << "the store folds no case";
}

TEST_F(MemoryStoreTest, IncludedFlagsAndErasing) {
  for (const char16_t* name : {u"a", u"b", u"c"}) store.CellForStore(name);
  store.SetIncluded(u"b", true);
  store.SetIncluded(u"missing", true);
  EXPECT_EQ(store.Count(), 3u);
  // Storing again into a ticked cell keeps it ticked.
  store.CellForStore(u"b").value = {5, 0};
  EXPECT_TRUE(store.Find(u"b")->included);

  store.memoryChanged = false;
  store.EraseIncluded();
  EXPECT_TRUE(store.memoryChanged);
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"a", u"c"}));

  store.memoryChanged = false;
  store.EraseAll();
  EXPECT_TRUE(store.memoryChanged);
  EXPECT_EQ(store.Count(), 0u);
}

}  // namespace
}  // namespace vora
