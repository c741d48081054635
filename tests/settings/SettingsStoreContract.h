// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/ISettingsStore.h"

// The behaviour every settings store must show, written once. A store joins
// by providing a maker class (Store(): the store under test; Reopened(): the
// same backing store opened afresh after a flush) and instantiating the
// suite with INSTANTIATE_TYPED_TEST_SUITE_P.

namespace vora::testing {

template <typename Maker>
class SettingsStoreContract : public ::testing::Test {
 protected:
  ISettingsStore& Store() { return maker_.Store(); }
  ISettingsStore& Reopened() { return maker_.Reopened(); }

 private:
  Maker maker_;
};

TYPED_TEST_SUITE_P(SettingsStoreContract);

enum class Kind { Unsigned, Integer, String, Bytes };

struct Stored {
  Kind kind;
  std::uint32_t unsignedValue = 0;
  std::int32_t integerValue = 0;
  std::u16string_view text = {};
  std::string_view bytes = {};
};

inline bool Write(ISettingsStore& store, std::u16string_view section, std::u16string_view name,
                  const Stored& value) {
  switch (value.kind) {
    case Kind::Unsigned:
      return store.WriteUnsigned(section, name, value.unsignedValue);
    case Kind::Integer:
      return store.WriteInteger(section, name, value.integerValue);
    case Kind::String:
      return store.WriteString(section, name, value.text);
    case Kind::Bytes:
      return store.WriteBytes(section, name, value.bytes);
  }
  return false;
}

TYPED_TEST_P(SettingsStoreContract, EveryKindOfValueSurvivesReopening) {
  using namespace std::string_view_literals;
  const struct {
    const char* label;
    std::u16string_view section;
    std::u16string_view name;
    Stored value;
  } rows[] = {
      {"unsigned zero", u"Preferences", u"FormatI", {Kind::Unsigned, 0}},
      {"unsigned max", u"Preferences", u"AppendFunction", {Kind::Unsigned, 4294967295u}},
      {"integer min", u"GUI/Frame", u"Left", {Kind::Integer, 0, INT32_MIN}},
      {"integer -1", u"GUI/Frame", u"Top", {Kind::Integer, 0, -1}},
      {"integer max", u"GUI/Frame", u"Width", {Kind::Integer, 0, INT32_MAX}},
      {"empty text", u"GUI/Editor", u"Empty", {Kind::String, 0, 0, u""}},
      {"font name", u"GUI/Editor", u"FaceName", {Kind::String, 0, 0, u"Courier New"}},
      {"awkward text", u"GUI/Log", u"Odd", {Kind::String, 0, 0, u"a=b; c\\d \"q\" #x"}},
      {"non-ASCII text", u"GUI/Log", u"Greek", {Kind::String, 0, 0, u"\u03a9\u00e9\u00d7\u2212"}},
      {"bytes with NUL and high bytes",
       u"GUI/BarState",
       u"State",
       {Kind::Bytes, 0, 0, u"", "\x00\x01\xff\xfe=\n"sv}},
      {"empty bytes", u"Print", u"Mode", {Kind::Bytes, 0, 0, u"", ""sv}},
  };
  for (const auto& row : rows)
    ASSERT_TRUE(Write(this->Store(), row.section, row.name, row.value)) << row.label;
  ASSERT_TRUE(this->Store().Flush());

  ISettingsStore& store = this->Reopened();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    const Stored& v = row.value;
    switch (v.kind) {
      case Kind::Unsigned: {
        std::uint32_t got = 1;
        ASSERT_EQ(store.ReadUnsigned(row.section, row.name, got), SettingRead::Ok);
        EXPECT_EQ(got, v.unsignedValue);
        break;
      }
      case Kind::Integer: {
        std::int32_t got = 1;
        ASSERT_EQ(store.ReadInteger(row.section, row.name, got), SettingRead::Ok);
        EXPECT_EQ(got, v.integerValue);
        break;
      }
      case Kind::String: {
        std::u16string got = u"?";
        ASSERT_EQ(store.ReadString(row.section, row.name, got), SettingRead::Ok);
        EXPECT_TRUE(got == v.text);
        break;
      }
      case Kind::Bytes: {
        std::string got = "?";
        ASSERT_EQ(store.ReadBytes(row.section, row.name, got), SettingRead::Ok);
        EXPECT_EQ(got, v.bytes);
        break;
      }
    }
  }
}

TYPED_TEST_P(SettingsStoreContract, MissingValuesAreMissingForEveryReader) {
  ISettingsStore& store = this->Store();
  ASSERT_TRUE(store.WriteUnsigned(u"Preferences", u"Notation", 1));
  ASSERT_TRUE(store.WriteString(u"GUI/Keypad", u"FaceName", u"Arial"));

  // Another name in the same section, the same name in another section, and
  // a section that was never written.
  const struct {
    std::u16string_view section;
    std::u16string_view name;
  } rows[] = {{u"Preferences", u"NotationCase"},
              {u"GUI/Keypad", u"Notation"},
              {u"Print", u"FaceName"},
              {u"GUI", u"Keypad"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.section.begin(), row.section.end()) + "/" +
                 std::string(row.name.begin(), row.name.end()));
    std::uint32_t u = 7;
    std::int32_t i = 7;
    std::u16string s = u"kept";
    std::string b = "kept";
    EXPECT_EQ(store.ReadUnsigned(row.section, row.name, u), SettingRead::Missing);
    EXPECT_EQ(store.ReadInteger(row.section, row.name, i), SettingRead::Missing);
    EXPECT_EQ(store.ReadString(row.section, row.name, s), SettingRead::Missing);
    EXPECT_EQ(store.ReadBytes(row.section, row.name, b), SettingRead::Missing);
    EXPECT_EQ(u, 7u);
    EXPECT_EQ(i, 7);
    EXPECT_TRUE(s == u"kept");
    EXPECT_EQ(b, "kept");
  }
}

TYPED_TEST_P(SettingsStoreContract, NumbersAreTextThatSpellsThem) {
  const struct {
    std::u16string_view text;
    SettingRead asUnsigned;
    std::uint32_t unsignedValue;
    SettingRead asInteger;
    std::int32_t integerValue;
  } rows[] = {
      {u"0", SettingRead::Ok, 0, SettingRead::Ok, 0},
      {u"12", SettingRead::Ok, 12, SettingRead::Ok, 12},
      {u"4294967295", SettingRead::Ok, 4294967295u, SettingRead::WrongType, 0},
      {u"4294967296", SettingRead::WrongType, 0, SettingRead::WrongType, 0},
      {u"2147483647", SettingRead::Ok, 2147483647u, SettingRead::Ok, INT32_MAX},
      {u"-2147483648", SettingRead::WrongType, 0, SettingRead::Ok, INT32_MIN},
      {u"-2147483649", SettingRead::WrongType, 0, SettingRead::WrongType, 0},
      {u"-1", SettingRead::WrongType, 0, SettingRead::Ok, -1},
      {u"", SettingRead::WrongType, 0, SettingRead::WrongType, 0},
      {u"-", SettingRead::WrongType, 0, SettingRead::WrongType, 0},
      {u"+5", SettingRead::WrongType, 0, SettingRead::WrongType, 0},
      {u" 5", SettingRead::WrongType, 0, SettingRead::WrongType, 0},
      {u"5x", SettingRead::WrongType, 0, SettingRead::WrongType, 0},
      {u"0x10", SettingRead::WrongType, 0, SettingRead::WrongType, 0},
      {u"text", SettingRead::WrongType, 0, SettingRead::WrongType, 0},
      {u"\uff15", SettingRead::WrongType, 0, SettingRead::WrongType, 0},  // full-width 5
  };
  ISettingsStore& store = this->Store();
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.text.begin(), row.text.end()));
    ASSERT_TRUE(store.WriteString(u"Preferences", u"Value", row.text));
    std::uint32_t u = 99;
    std::int32_t i = 99;
    EXPECT_EQ(store.ReadUnsigned(u"Preferences", u"Value", u), row.asUnsigned);
    if (row.asUnsigned == SettingRead::Ok) {
      EXPECT_EQ(u, row.unsignedValue);
    }
    EXPECT_EQ(store.ReadInteger(u"Preferences", u"Value", i), row.asInteger);
    if (row.asInteger == SettingRead::Ok) {
      EXPECT_EQ(i, row.integerValue);
    }
  }
}

TYPED_TEST_P(SettingsStoreContract, TextAndBytesAreDifferentTypes) {
  ISettingsStore& store = this->Store();
  ASSERT_TRUE(store.WriteBytes(u"GUI/BarState", u"State", "\x01\x02"));
  ASSERT_TRUE(store.WriteUnsigned(u"GUI/BarState", u"Count", 3));

  std::u16string text;
  std::uint32_t number = 0;
  std::string bytes;
  EXPECT_EQ(store.ReadString(u"GUI/BarState", u"State", text), SettingRead::WrongType);
  EXPECT_EQ(store.ReadUnsigned(u"GUI/BarState", u"State", number), SettingRead::WrongType);
  EXPECT_EQ(store.ReadBytes(u"GUI/BarState", u"Count", bytes), SettingRead::WrongType);
  ASSERT_EQ(store.ReadString(u"GUI/BarState", u"Count", text), SettingRead::Ok);
  EXPECT_TRUE(text == u"3");

  // A write replaces a value of the other type.
  ASSERT_TRUE(store.WriteString(u"GUI/BarState", u"State", u"now text"));
  EXPECT_EQ(store.ReadBytes(u"GUI/BarState", u"State", bytes), SettingRead::WrongType);
  ASSERT_EQ(store.ReadString(u"GUI/BarState", u"State", text), SettingRead::Ok);
  EXPECT_TRUE(text == u"now text");
}

REGISTER_TYPED_TEST_SUITE_P(SettingsStoreContract, EveryKindOfValueSurvivesReopening,
                            MissingValuesAreMissingForEveryReader, NumbersAreTextThatSpellsThem,
                            TextAndBytesAreDifferentTypes);

}  // namespace vora::testing
