// SPDX-License-Identifier: MIT
#include "engine/CalculationDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "engine/EngineFixture.h"
#include "math/Format.h"
#include "math/MathError.h"
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

// The statement loop as first written: every change is made to the text in
// place, statement by statement.
bool ReferenceEvaluateStatements(std::u16string& text, const std::u16string& copy,
                                 std::ptrdiff_t& position) {
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; };
  std::ptrdiff_t shift = 0;
  std::size_t s = 0;
  while (s < copy.size()) {
    if (copy[s] == u';') {
      ++s;
      continue;
    }
    const std::size_t stop = std::min(copy.find(u';', s), copy.size());
    const std::size_t n = stop - s;
    const auto at = static_cast<std::ptrdiff_t>(s);
    if (position != -1 && (position < at || position > at + static_cast<std::ptrdiff_t>(n))) {
      s = stop;
      continue;
    }
    const std::u16string statement = copy.substr(s, n);
    std::size_t q = statement.rfind(u'=');
    std::size_t r;
    if (q != std::u16string::npos) {
      r = q + 1;
      while (r < n && blank(statement[r])) ++r;
      if (r == n) r = q + 1;
    } else {
      q = n;
      while (q > 0 && blank(statement[q - 1])) --q;
      if (q == 0) {
        s = stop;
        continue;
      }
      r = q + 1;
    }
    std::ptrdiff_t d = 0;
    for (std::size_t k = q; k < n; ++k) {
      if (blank(statement[k])) continue;
      text.erase(static_cast<std::size_t>(at + shift + static_cast<std::ptrdiff_t>(k) - d), 1);
      ++d;
    }
    vora::Complex value{};
    if (!EvaluateExpression(statement.substr(0, q), value)) return false;
    const std::u16string result =
        vora::FormatComplex(value, vora::NumberFormat(), vora::ImaginaryUnit());
    text.insert(static_cast<std::size_t>(at + shift + static_cast<std::ptrdiff_t>(q)), u"=");
    text.insert(static_cast<std::size_t>(at + shift + static_cast<std::ptrdiff_t>(r)), result);
    shift += 1 + static_cast<std::ptrdiff_t>(result.size()) - d;
    if (position != -1) {
      const std::size_t c = copy.find(u';', static_cast<std::size_t>(position));
      position = c == std::u16string::npos ? static_cast<std::ptrdiff_t>(text.size())
                                           : static_cast<std::ptrdiff_t>(c) + shift + 1;
      return true;
    }
    s = stop;
  }
  position = static_cast<std::ptrdiff_t>(text.size());
  return true;
}

TEST_F(CalculationDriverTest, AgreesWithInPlaceEditing) {
  static const char16_t* const kPieces[] = {
      u"1",   u"+",    u"2",        u" ",      u"\n", u";",      u";;",       u"=",    u"= 5",
      u"=7 ", u"/*",   u"*/",       u"// c\n", u"x",  u"mem[a]", u"->mem[a]", u"Rslt", u"1/0",
      u"\t",  u"\r\n", u"sqrt(-4)", u"mem[q]", u"*3", u"(",      u")"};
  constexpr std::size_t kCount = sizeof kPieces / sizeof kPieces[0];
  std::mt19937 random(99);
  for (int round = 0; round < 3000; ++round) {
    std::u16string sheet;
    const std::size_t pieces = 1 + random() % 24;
    for (std::size_t k = 0; k < pieces; ++k) sheet += kPieces[random() % kCount];
    const std::ptrdiff_t caret =
        random() % 3 == 0 ? -1 : static_cast<std::ptrdiff_t>(random() % (sheet.size() + 2));
    SCOPED_TRACE(Utf8(sheet) + " @" + std::to_string(caret));

    std::u16string copy = sheet;
    if (!BlankComments(copy)) continue;

    vora::MemoryStore::ResetForTests();
    ResetLastResultForTests();
    vora::BeginCalculationRun(0);
    std::u16string expected = sheet;
    std::ptrdiff_t expectedPosition = caret;
    const bool expectedOk = ReferenceEvaluateStatements(expected, copy, expectedPosition);
    const std::string expectedLog = LogText();

    vora::MemoryStore::ResetForTests();
    ResetLastResultForTests();
    vora::BeginCalculationRun(0);
    std::u16string text = sheet;
    std::ptrdiff_t position = caret;
    ASSERT_EQ(EvaluateStatements(text, copy, position), expectedOk);
    ASSERT_EQ(Utf8(text), Utf8(expected));
    ASSERT_EQ(position, expectedPosition);
    ASSERT_EQ(LogText(), expectedLog);
  }
}

TEST_F(CalculationDriverTest, ACopyOfAnotherLengthChangesNothing) {
  std::u16string text = u"1+1; 2";
  std::ptrdiff_t position = -1;
  EXPECT_FALSE(EvaluateStatements(text, u"1+1", position));
  EXPECT_EQ(text, u"1+1; 2");
  EXPECT_EQ(position, -1);
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
