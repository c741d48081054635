// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/CParcer.h"
#include "engine/CalculationDriver.h"
#include "engine/EngineFixture.h"
#include "engine/Nodes.h"
#include "math/MathError.h"
#include "memory/MemoryStore.h"
#include "settings/Preferences.h"

namespace NCalculatorText::testing {
namespace {

using vora::Complex;
using vora::MemoryStore;

constexpr const char* kUnset = "Warning|Memory|Uninitialized memory used, value forced to 0\n";

struct EvalCase {
  const char* expression;
  bool ok;
  double re;
  double im;
  const char* log;
};

class CNodeTest : public EngineTest {
 protected:
  void Check(const EvalCase& c) {
    SCOPED_TRACE(c.expression);
    vora::BeginCalculationRun(vora::GetPreference(vora::Preference::TrigonometricUnits));
    Complex out{};
    ASSERT_EQ(EvaluateExpression(U16(c.expression), out), c.ok);
    if (c.ok) {
      EXPECT_NEAR(out.re, c.re, 1e-12 * std::max(1.0, std::abs(c.re)));
      EXPECT_NEAR(out.im, c.im, 1e-12 * std::max(1.0, std::abs(c.im)));
    }
    EXPECT_EQ(LogText(), c.log);
    EXPECT_EQ(vora::EvaluationState::Get().currentOperation, 0);
  }
};

TEST_F(CNodeTest, ValuesOfOperatorsAndTerminals) {
  const EvalCase cases[] = {
      {"1-2-3", true, -4, 0, ""},
      {"1-2+3", true, 2, 0, ""},
      {"8/2/2", true, 2, 0, ""},
      {"2^3^2", true, 64, 0, ""},
      {"-2^2", true, -4, 0, ""},
      {"-3!", true, -6, 0, ""},
      {"2^3!", true, 64, 0, ""},
      {"(3!)!", true, 720, 0, ""},
      {"(2+1)!", true, 6, 0, ""},
      {"2*(-3)", true, -6, 0, ""},
      {"3-i*4", true, 3, -4, ""},
      {"e-1", true, vora::kE - 1, 0, ""},
      {"+pi", true, vora::kPi, 0, ""},
      {"sqrt(4)", true, 2, 0, ""},
      {"[1+2]*{3}", true, 9, 0, ""},
      {"12 3 + 1", true, 124, 0, ""},
      {"-(1+2*i)", true, -1, -2, ""},
      {"conj(1+2*i)+re(3+4*i)+im(5+6*i)*i", true, 4, 4, ""},
      {"sign(-3+4*i)+ceil(1.5-2.5*i)+floor(1.5)", true, 2, -1, ""},
      {"abs(3+4*i)", true, 5, 0, ""},
      {"arg(-1)", true, vora::kPi, 0, ""},
      {"1,5+0.5", true, 2, 0, ""},
  };
  for (const EvalCase& c : cases) Check(c);
}

TEST_F(CNodeTest, ReportsNameTheInnermostOperation) {
  const EvalCase cases[] = {
      {"1e400", false, 0, 0,
       "Error|Number|Operation resulted in overflow, too big positive number returned\n"},
      {"sin(1/0)", false, 0, 0, "Error|Division|Operation has singularity at 0\n"},
      {"2+abs(1e400)", false, 0, 0,
       "Error|Number|Operation resulted in overflow, too big positive number returned\n"},
      // An error in the left operand stops the right one: no memory read.
      {"1/0 + mem[q]", false, 0, 0, "Error|Division|Operation has singularity at 0\n"},
      {"(1/0) * (2->mem[r])", false, 0, 0, "Error|Division|Operation has singularity at 0\n"},
      {"mem[q]+1", true, 1, 0, kUnset},
      {"2^mem[q]", true, 1, 0, kUnset},
      {"x", false, 0, 0, "Error|None|Syntax error\n"},
  };
  for (const EvalCase& c : cases) Check(c);
  EXPECT_EQ(MemoryStore::Get().Find(u"r"), nullptr);
  EXPECT_EQ(MemoryStore::Get().Find(u"q"), nullptr);
  EXPECT_FALSE(MemoryStore::Get().memoryChanged);
}

TEST_F(CNodeTest, StoresAndReadsOfMemoryCells) {
  const EvalCase cases[] = {
      {"5 -> mem[q]", true, 5, 0, ""},
      {"(1->mem[a]) + mem[a]", true, 2, 0, ""},
      {"2->Mem[X]->mem[y]", true, 2, 0, ""},
      {"(7->mem[my cell])+mem[ my cell ]", true, 14, 0, ""},
      {"mem[x]*mem[Y]", true, 4, 0, ""},
      {"1/0 -> mem[z]", false, 0, 0, "Error|Division|Operation has singularity at 0\n"},
      {"5->mem[a]+1", false, 0, 0, "Error|None|Syntax error\n"},
      {"(5->mem[a])+1", true, 6, 0, ""},
  };
  for (const EvalCase& c : cases) Check(c);
  MemoryStore& store = MemoryStore::Get();
  ASSERT_NE(store.Find(u"q"), nullptr);
  EXPECT_EQ(store.Find(u"q")->value.re, 5.0);
  EXPECT_EQ(store.Find(u"a")->value.re, 5.0);
  EXPECT_EQ(store.Find(u"y")->value.re, 2.0);
  EXPECT_EQ(store.Find(u"my cell")->value.re, 7.0);
  EXPECT_EQ(store.Find(u"z"), nullptr);
  EXPECT_TRUE(store.memoryChanged);
}

TEST_F(CNodeTest, ReadingAMissingCellCreatesNothing) {
  Check({"mem[b]", true, 0, 0, kUnset});
  EXPECT_EQ(MemoryStore::Get().Count(), 0u);
  EXPECT_FALSE(MemoryStore::Get().memoryChanged);
  Check({"1->mem[b]", true, 1, 0, ""});
  MemoryStore::Get().memoryChanged = false;
  Check({"mem[b]", true, 1, 0, ""});
  EXPECT_TRUE(MemoryStore::Get().memoryChanged);
}

TEST_F(CNodeTest, RestoringATickedCellKeepsTheTick) {
  Check({"1->mem[t]", true, 1, 0, ""});
  MemoryStore::Get().SetIncluded(u"t", true);
  Check({"2->mem[t]", true, 2, 0, ""});
  EXPECT_TRUE(MemoryStore::Get().Find(u"t")->included);
}

TEST_F(CNodeTest, AngleUnitsApplyToTrigonometryButNotToArg) {
  vora::SetPreference(vora::Preference::TrigonometricUnits, 1);
  Check({"arg(i)", true, 1.5707963267948966, 0, ""});
  Check({"sin(90)", true, 1, 0, ""});
  Check({"arctg(1)", true, 45, 0, ""});
  vora::SetPreference(vora::Preference::TrigonometricUnits, 2);
  Check({"cos(200)", true, -1, 0, ""});
}

TEST_F(CNodeTest, LastResultIsReadAtEvaluation) {
  Check({"Rslt", true, 0, 0, ""});
  Check({"21*2", true, 42, 0, ""});
  Check({"Result+1", true, 43, 0, ""});
  Check({"1/0", false, 0, 0, "Error|Division|Operation has singularity at 0\n"});
  EXPECT_EQ(LastResult().re, 43.0);
}

// Depth and length that would exhaust a native call stack.
TEST_F(CNodeTest, DeepAndLongTreesEvaluate) {
  constexpr int kDepth = 100000;
  std::u16string nested;
  for (int k = 0; k < kDepth; ++k) nested += u"-abs(";
  nested += u"2";
  nested += std::u16string(kDepth, u')');
  Complex out{};
  EXPECT_TRUE(EvaluateExpression(nested, out));
  EXPECT_EQ(out.re, -2.0);

  std::u16string sum = u"0";
  for (int k = 0; k < 500000; ++k) sum += u"+1";
  EXPECT_TRUE(EvaluateExpression(sum, out));
  EXPECT_EQ(out.re, 500000.0);

  std::u16string product = u"1";
  for (int k = 0; k < 200000; ++k) product += u"*1";
  product += u"/0";
  EXPECT_FALSE(EvaluateExpression(product, out));
  EXPECT_EQ(LogText(), "Error|Division|Operation has singularity at 0\n");
}

}  // namespace
}  // namespace NCalculatorText::testing
