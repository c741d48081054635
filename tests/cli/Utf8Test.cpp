// SPDX-License-Identifier: MIT
#include "cli/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace vora::cli {
namespace {

using namespace std::string_literals;

TEST(Utf8Test, DecodesWellFormedInputToTheSameCodeUnits) {
  struct Row {
    std::string bytes;
    std::u16string units;
  };
  const Row rows[] = {
      {"", u""},
      {"1+2=3", u"1+2=3"},
      {"3\xE2\x88\x92i\xC3\x97"
       "4",
       u"3\u2212i\u00D74"},                 // minus sign, multiplication sign
      {"\xCF\x80", u"\u03C0"},              // two bytes
      {"\xEF\xBF\xBF", u"\uFFFF"},          // top of the first plane
      {"\xF0\x9F\x98\x80", u"\U0001F600"},  // a pair
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},  // the last code point
      {"a\0b"s, u"a\0b"s},                  // NUL is a character like any other
      {"\xEF\xBB\xBF"
       "1",
       u"\uFEFF1"},  // a mark is kept; the caller drops it
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.bytes);
    std::u16string out;
    Utf8Error error;
    ASSERT_TRUE(DecodeUtf8(row.bytes, out, error)) << error.reason;
    EXPECT_EQ(out, row.units);
  }
}

TEST(Utf8Test, RefusesMalformedInputAndSaysWhere) {
  struct Row {
    std::string bytes;
    std::size_t offset;
    std::string_view reason;
  };
  const Row rows[] = {
      {"12\x80", 2, "unexpected continuation byte"},
      {"\xC0\xAF", 0, "invalid lead byte"},  // overlong '/' has an impossible lead
      {"\xE0\x80\xAF", 0, "overlong encoding"},
      {"\xF0\x82\x82\xAC", 0, "overlong encoding"},
      {"a\xED\xA0\x80", 1, "encoded surrogate"},  // a lone surrogate is not UTF-8
      {"\xF4\x90\x80\x80", 0, "code point above U+10FFFF"},
      {"\xF5\x80\x80\x80", 0, "invalid lead byte"},
      {"\xFF", 0, "invalid lead byte"},
      {"ab\xE2\x88", 2, "truncated sequence"},  // cut at the end
      {"\xE2\x88"
       "1",
       0, "truncated sequence"},                      // interrupted by ASCII
      {"\xFE\xFF\x00\x31"s, 0, "invalid lead byte"},  // UTF-16 is not UTF-8
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.bytes);
    std::u16string out = u"stale";
    Utf8Error error;
    EXPECT_FALSE(DecodeUtf8(row.bytes, out, error));
    EXPECT_EQ(error.offset, row.offset);
    EXPECT_EQ(error.reason, row.reason);
    EXPECT_TRUE(out.empty());
  }
}

TEST(Utf8Test, EncodesEveryCodeUnitIncludingLoneSurrogates) {
  struct Row {
    std::u16string units;
    std::string bytes;
  };
  const Row rows[] = {
      {u"2+i\u00D73",
       "2+i\xC3\x97"
       "3"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {u"a\0b"s, "a\0b"s},
      {std::u16string(1, char16_t{0xD800}), "\xED\xA0\x80"},  // lone high
      {std::u16string(1, char16_t{0xDFFF}), "\xED\xBF\xBF"},  // lone low
      {std::u16string{char16_t{0xDC00}, char16_t{0xD800}}, "\xED\xB0\x80\xED\xA0\x80"},  // reversed
      {std::u16string{u'x', char16_t{0xD83D}}, "x\xED\xA0\xBD"},  // high at the very end
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.bytes));
    EXPECT_EQ(EncodeUtf8(row.units), row.bytes);
  }
}

TEST(Utf8Test, WellFormedTextRoundTrips) {
  std::u16string text;
  for (char32_t c = 1; c < 0x10000; c += 97) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    text += static_cast<char16_t>(c);
  }
  text += u"\U00010000\U0010FFFF";
  std::u16string back;
  Utf8Error error;
  ASSERT_TRUE(DecodeUtf8(EncodeUtf8(text), back, error));
  EXPECT_EQ(back, text);
}

}  // namespace
}  // namespace vora::cli
