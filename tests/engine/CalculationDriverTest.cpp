// SPDX-License-Identifier: MIT
#include "engine/CalculationDriver.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/EngineFixture.h"
#include "memory/MemoryStore.h"
#include "settings/Preferences.h"

namespace NCalculatorText::testing {
namespace {

using vora::testing::Utf8;

constexpr const char* kSyntax = "Error|None|Syntax error\n";

struct RunCase {
  const char* text;
  std::ptrdiff_t position;
  const char* expectedText;
  std::ptrdiff_t expectedPosition;  // -2: the length of the expected text
  bool ok;
  const char* log;
};

class CalculationDriverTest : public EngineTest {
 protected:
  void Check(const RunCase& c) {
    SCOPED_TRACE(c.text);
    log.entries.clear();
    std::u16string text = U16(c.text);
    std::ptrdiff_t position = c.position;
    EXPECT_EQ(RunCalculation(text, position), c.ok);
    EXPECT_EQ(Utf8(text), c.expectedText);
    const std::u16string expected = U16(c.expectedText);
    EXPECT_EQ(position, c.expectedPosition == -2 ? static_cast<std::ptrdiff_t>(expected.size())
                                                 : c.expectedPosition);
    EXPECT_EQ(LogText(), c.log);
  }
};

TEST_F(CalculationDriverTest, CalculateAllRewritesResults) {
  const RunCase cases[] = {
      {"1+2", -1, "1+2=3", -2, true, ""},
      {"1+2 = 5", -1, "1+2 = 3", -2, true, ""},
      {"1+2 =  ", -1, "1+2 =3  ", -2, true, ""},
      {"1+2 \n", -1, "1+2=3 \n", -2, true, ""},
      {"1+2 /* note */ = 7 // old", -1, "1+2 /* note */ = 3 // old", -2, true, ""},
      {"2+2 = 7\n8", -1, "2+2 = 4\n", -2, true, ""},
      {"2; Rslt*3", -1, "2=2; Rslt*3=6", -2, true, ""},
      {";;1+1;;", -1, ";;1+1=2;;", -2, true, ""},
      {"/* only */; \n ;1", -1, "/* only */; \n ;1=1", -2, true, ""},
      {"1+1 /*/ 2", -1, "1+1 /*/ 2=13", -2, true, ""},
      {"1 // x = 4\n+2", -1, "1 // x = 4\n+2=3", -2, true, ""},
      {"", -1, "", 0, true, ""},
      {"   \n", -1, "   \n", -2, true, ""},
      // Results written in the display form read back as the same value.
      {"3-4*i; 3-i*4 = 3\xE2\x88\x92i\xC3\x97"
       "4",
       -1,
       "3-4*i=3\xE2\x88\x92i\xC3\x97"
       "4; 3-i*4 = 3\xE2\x88\x92i\xC3\x97"
       "4",
       -2, true, ""},
  };
  for (const RunCase& c : cases) Check(c);
}

TEST_F(CalculationDriverTest, FailuresStopTheRunAndKeepThePosition) {
  const RunCase cases[] = {
      // The expression of "a = b = 5" is "a = b".
      {"a = b = 5", -1, "a = b  ", -1, false, kSyntax},
      {"= 5", 3, " ", 3, false, kSyntax},
      {"1; 1/0 = 9; 5", -1, "1=1; 1/0  ; 5", -1, false,
       "Error|Division|Operation has singularity at 0\n"},
      {"/* open", -1, "/* open", -1, false, kSyntax},
      {"1+1; 2 /* open", 0, "1+1; 2 /* open", 0, false, kSyntax},
      {"1+1 /*/ */", -1, "1+1 /*/ */", -1, false, kSyntax},
      {"3 = 1 = 2 // c\n; 4=", -1, "3 = 1   // c\n; 4=", -1, false, kSyntax},
      {"1+1 = 2; x = 3", 9, "1+1 = 2; x  ", 9, false, kSyntax},
  };
  for (const RunCase& c : cases) Check(c);
}

TEST_F(CalculationDriverTest, CalculateAtCaretTouchesOneStatement) {
  const RunCase cases[] = {
      {"1=0;2=0;3=0", 5, "1=0;2=2;3=0", 8, true, ""},
      {"1;2;3", 3, "1;2=2;3", 6, true, ""},   // right before the ";"
      {"1;2;3", 4, "1;2;3=3", -2, true, ""},  // the last statement
      {"1;  2  ; 3", 2, "1;  2=2  ; 3", 10, true, ""},
      {"1;;2", 2, "1;;2", -2, true, ""},  // between the two ";"
      {"1;2", 99, "1;2", -2, true, ""},
      {"1; /* c */ ;2", 5, "1; /* c */ ;2", -2, true, ""},
      {"7 = 1\n; 2", 0, "7 = 7\n; 2", 7, true, ""},
  };
  for (const RunCase& c : cases) Check(c);
}

TEST_F(CalculationDriverTest, LastResultFollowsSuccessfulStatementsOnly) {
  std::u16string text = u"6*7";
  std::ptrdiff_t position = -1;
  ASSERT_TRUE(RunCalculation(text, position));
  EXPECT_EQ(LastResult().re, 42.0);

  text = u"Rslt+1; 1/0; 5";
  position = -1;
  EXPECT_FALSE(RunCalculation(text, position));
  EXPECT_EQ(LastResult().re, 43.0);
  EXPECT_EQ(Utf8(text), "Rslt+1=43; 1/0; 5");
}

TEST_F(CalculationDriverTest, RunStartsFromTheAngleUnitAndAnEmptyLog) {
  vora::SetPreference(vora::Preference::TrigonometricUnits, 1);
  std::u16string text = u"1/0";
  std::ptrdiff_t position = -1;
  EXPECT_FALSE(RunCalculation(text, position));
  text = u"cos(60)";
  position = -1;
  EXPECT_TRUE(RunCalculation(text, position));
  EXPECT_EQ(LogText(), "");  // the division error of the previous run is gone
  EXPECT_EQ(vora::EvaluationState::Get().trigUnits, 1);
  EXPECT_NEAR(LastResult().re, 0.5, 1e-15);
}

TEST_F(CalculationDriverTest, BlankCommentsKeepsPositions) {
  struct Case {
    const char* text;
    bool ok;
    const char* blanked;
  } const cases[] = {
      {"a/*b*/c", true, "a     c"},    {"a//b\nc", true, "a    c"},
      {"a//b", true, "a   "},          {"/*x", false, ""},
      {"/*/x", true, "   x"},          {"/*/", true, "   "},
      {"// /* \n1", true, "       1"}, {"/* // */1", true, "        1"},
      {"1/2*3", true, "1/2*3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::u16string copy = U16(c.text);
    EXPECT_EQ(BlankComments(copy), c.ok);
    if (c.ok) {
      EXPECT_EQ(Utf8(copy), c.blanked);
    }
  }
}

TEST_F(CalculationDriverTest, UnusualCodeUnitsPassThrough) {
  // A lone surrogate and a NUL in a comment and between statements.
  std::u16string text = u"1+1 /* \xD800 */;";
  text += u'\0';
  text += u";\xDC00";
  std::u16string expected = u"1+1=2 /* \xD800 */;";
  expected += u'\0';
  expected += u";\xDC00";
  std::ptrdiff_t position = -1;
  EXPECT_FALSE(RunCalculation(text, position));  // the NUL and the surrogate are no numbers
  EXPECT_EQ(text, expected);
}

TEST_F(CalculationDriverTest, LargeWorksheetsKeepEveryStatement) {
  std::u16string text;
  std::u16string expected;
  for (int k = 0; k < 20000; ++k) {
    const std::u16string n = U16(std::to_string(k));
    text += n + u"+1 = old;\n";
    expected += n + u"+1 = " + U16(std::to_string(k + 1)) + u";\n";
  }
  std::ptrdiff_t position = -1;
  ASSERT_TRUE(RunCalculation(text, position));
  EXPECT_EQ(text, expected);
  EXPECT_EQ(position, static_cast<std::ptrdiff_t>(text.size()));
}

}  // namespace
}  // namespace NCalculatorText::testing
