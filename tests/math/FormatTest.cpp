// SPDX-License-Identifier: MIT
#include "math/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "settings/Preferences.h"
#include "support/RecordingLog.h"

namespace vora {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct NumberRow {
  double x;
  std::u16string lower;
  std::u16string upper;
};

TEST(FormatNumberTest, TwentyDigitsAndThreeDigitExponents) {
  const NumberRow rows[] = {
      {2.5, u"2.5", u"2.5"},
      {0.1, u"0.10000000000000000555", u"0.10000000000000000555"},
      {1e19, u"10000000000000000000", u"10000000000000000000"},
      {1e20, u"1e+020", u"1E+020"},
      {1e21, u"1e+021", u"1E+021"},
      {1e-5, u"1.0000000000000000818e-005", u"1.0000000000000000818E-005"},
      {0.0001, u"0.00010000000000000000479", u"0.00010000000000000000479"},
      {1e300, u"1.0000000000000000525e+300", u"1.0000000000000000525E+300"},
      {-3, u"-3", u"-3"},
      {5e-324, u"4.9406564584124654418e-324", u"4.9406564584124654418E-324"},
      {kInf, u"inf", u"INF"},
      {-kInf, u"-inf", u"-INF"},
      {kNaN, u"nan", u"NAN"},
      {0.0, u"0", u"0"},
      {-0.0, u"-0", u"-0"},
  };
  for (const NumberRow& row : rows) {
    SCOPED_TRACE(row.x);
    EXPECT_EQ(FormatNumber(row.x, kFormatLower), row.lower);
    EXPECT_EQ(FormatNumber(row.x, kFormatUpper), row.upper);
  }
}

struct ComplexRow {
  Complex value;
  std::u16string text;
};

TEST(FormatComplexTest, SignsUnitAndMagnitude) {
  const ComplexRow rows[] = {
      {{2.5, 0}, u"2.5"},
      {{2, 1}, u"2+i"},
      {{2, -1}, u"2\u2212i"},
      {{2, 3}, u"2+i\u00D73"},
      {{-2, -0.5}, u"-2\u2212i\u00D70.5"},
      {{0, -1}, u"\u2212i"},
      {{0, -3}, u"\u2212i\u00D73"},
      {{0, 1}, u"i"},
      {{0, 3}, u"i\u00D73"},
      {{3, -4}, u"3\u2212i\u00D74"},
      {{-3, 4}, u"-3+i\u00D74"},
      {{0, 0}, u"0"},
      {{-0.0, 0}, u"0"},
      {{0, -0.0}, u"0"},
      {{-0.0, -0.0}, u"0"},
      {{2, -0.0}, u"2"},
      {{-0.0, 2}, u"i\u00D72"},
      {{1e20, 1e-5}, u"1e+020+i\u00D71.0000000000000000818e-005"},
  };
  for (const ComplexRow& row : rows) {
    SCOPED_TRACE(testing::Utf8(row.text));
    EXPECT_EQ(FormatComplex(row.value, kFormatLower, u'i'), row.text);
  }
  EXPECT_EQ(FormatComplex({0, 2}, kFormatLower, u'j'), u"j\u00D72");
  EXPECT_EQ(FormatComplex({1e20, -2e20}, kFormatUpper, u'i'), u"1E+020\u2212i\u00D72E+020");
}

class FormatAccessorTest : public testing::CoreStateTest {};

TEST_F(FormatAccessorTest, AccessorsFollowThePreferences) {
  EXPECT_EQ(NumberFormat(), kFormatLower);
  EXPECT_EQ(ImaginaryUnit(), u'i');
  EXPECT_EQ(ResultName(), u"Rslt");
  EXPECT_EQ(MemoryName(), u"Mem");
  SetPreference(Preference::NotationCase, 1);
  SetPreference(Preference::FormatI, 1);
  EXPECT_EQ(NumberFormat(), kFormatUpper);
  EXPECT_EQ(ImaginaryUnit(), u'j');
  EXPECT_EQ(FormatForDisplay({1e20, -1}), u"1E+020\u2212j");

  const std::u16string_view results[] = {u"Rslt",   u"rslt",   u"RSLT", u"Result",
                                         u"result", u"RESULT", u"Rslt", u"Rslt"};
  const std::u16string_view memories[] = {u"Mem",    u"mem",    u"MEM", u"Memory",
                                          u"memory", u"MEMORY", u"Mem", u"Mem"};
  const std::uint32_t values[] = {0, 1, 2, 3, 4, 5, 6, 0xFFFFFFFF};
  for (std::size_t i = 0; i < std::size(values); ++i) {
    SCOPED_TRACE(values[i]);
    SetPreference(Preference::FormatResult, values[i]);
    SetPreference(Preference::FormatMemory, values[i]);
    EXPECT_EQ(ResultName(), results[i]);
    EXPECT_EQ(MemoryName(), memories[i]);
  }
  SetPreference(Preference::NotationCase, 7);
  SetPreference(Preference::FormatI, 2);
  EXPECT_EQ(NumberFormat(), kFormatLower);
  EXPECT_EQ(ImaginaryUnit(), u'i');
}

}  // namespace
}  // namespace vora
