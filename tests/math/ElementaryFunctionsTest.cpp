// SPDX-License-Identifier: MIT
#include "math/ElementaryFunctions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/RecordingLog.h"

// The evaluation of one function node: codes, singular points, angle units,
// the reports of the reciprocal functions, factorial and power.

namespace vora {
namespace {

using testing::CoreStateTest;
using testing::RecordedEntry;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr LogStatus kError = LogStatus::Error;
constexpr LogStatus kWarning = LogStatus::Warning;

const std::u16string kUnderflow = u"Operation resulted in underflow, result accepted as 0";
const std::u16string kOverflow = u"Operation resulted in overflow, too big number returned";

OperandEvaluator Constant(Complex z) {
  return [z](Complex& value) {
    value = z;
    return true;
  };
}

class ElementaryEvaluationTest : public CoreStateTest {
 protected:
  bool Evaluate(FunctionId id, Complex z, Complex& result) {
    return EvaluateFunction(id, Constant(z), result);
  }
  void SetUnits(int units) { EvaluationState::Get().trigUnits = units; }
};

// One node evaluated with a constant operand: the result (when the statement
// goes on) and every log entry.
struct NodeCase {
  const char* name;
  FunctionId id;
  Complex operand;
  int units;
  bool ok;
  Complex expected;  // compared when ok
  std::vector<RecordedEntry> entries;
  double tolerance = 0;  // 0: exact
};

TEST_F(ElementaryEvaluationTest, ResultsAndReports) {
  const NodeCase cases[] = {
      {"sin 30 in degrees rounds 30·pi first",
       FunctionId::Sin,
       {30, 0},
       1,
       true,
       {0.49999999999999994, 0},
       {}},
      {"sin 100 in grads is exactly 1", FunctionId::Sin, {100, 0}, 2, true, {1, 0}, {}},
      {"cot 0",
       FunctionId::Cot,
       {0, 0},
       0,
       false,
       {},
       {{kError, u"Cotangent", u"Function has singularity at 0"}}},
      {"cot -0 in degrees",
       FunctionId::Cot,
       {-0.0, 0},
       1,
       false,
       {},
       {{kError, u"Cotangent", u"Function has singularity at 0"}}},
      {"csc 0 tests its denominator",
       FunctionId::Csc,
       {0, 0},
       0,
       false,
       {},
       {{kError, u"Cosecant", u"Function has singularity at 0"}}},
      {"csch 0",
       FunctionId::Csch,
       {0, 0},
       0,
       false,
       {},
       {{kError, u"Hyperbolic cosecant", u"Function has singularity at 0"}}},
      {"sec 1e3i: cos overflows, so 0 and a warning",
       FunctionId::Sec,
       {0, 1e3},
       0,
       true,
       {0, 0},
       {{kWarning, u"Secant", kUnderflow}}},
      {"csc in degrees of a huge imaginary angle",
       FunctionId::Csc,
       {0, 1e5},
       1,
       true,
       {0, 0},
       {{kWarning, u"Cosecant", kUnderflow}}},
      {"sech 800",
       FunctionId::Sech,
       {800, 0},
       0,
       true,
       {0, 0},
       {{kWarning, u"Hyperbolic secant", kUnderflow}}},
      {"arctan i",
       FunctionId::ArcTan,
       {0, 1},
       0,
       false,
       {},
       {{kError, u"Arctangent", u"Function has singularity at i"}}},
      {"arctan -i",
       FunctionId::ArcTan,
       {0, -1},
       0,
       false,
       {},
       {{kError, u"Arctangent", u"Function has singularity at \u2212i"}}},
      {"arccot i",
       FunctionId::ArcCot,
       {0, 1},
       1,
       false,
       {},
       {{kError, u"Arccotangent", u"Function has singularity at i"}}},
      {"arccot -i - 0i",
       FunctionId::ArcCot,
       {-0.0, -1},
       0,
       false,
       {},
       {{kError, u"Arccotangent", u"Function has singularity at \u2212i"}}},
      {"arcsec 0",
       FunctionId::ArcSec,
       {0, 0},
       0,
       false,
       {},
       {{kError, u"Arcsecant", u"Function has singularity at 0"}}},
      {"arccsc 0",
       FunctionId::ArcCsc,
       {0, 0},
       0,
       false,
       {},
       {{kError, u"Arccosecant", u"Function has singularity at 0"}}},
      {"coth 0",
       FunctionId::Coth,
       {0, 0},
       0,
       false,
       {},
       {{kError, u"Hyperbolic cotangent", u"Function has singularity at 0"}}},
      {"arth 1",
       FunctionId::ArTanh,
       {1, 0},
       0,
       false,
       {},
       {{kError, u"Archyperbolic tangent", u"Function has singularity at 1"}}},
      {"arth -1",
       FunctionId::ArTanh,
       {-1, 0},
       0,
       false,
       {},
       {{kError, u"Archyperbolic tangent", u"Function has singularity at -1"}}},
      {"arcth 1",
       FunctionId::ArCoth,
       {1, 0},
       0,
       false,
       {},
       {{kError, u"Archyperbolic cotangent", u"Function has singularity at 1"}}},
      {"arcth -1",
       FunctionId::ArCoth,
       {-1, 0},
       0,
       false,
       {},
       {{kError, u"Archyperbolic cotangent", u"Function has singularity at -1"}}},
      {"arsech 0",
       FunctionId::ArSech,
       {0, 0},
       0,
       false,
       {},
       {{kError, u"Archyperbolic secant", u"Function has singularity at 0"}}},
      {"arcsch 0",
       FunctionId::ArCsch,
       {0, 0},
       0,
       false,
       {},
       {{kError, u"Archyperbolic cosecant", u"Function has singularity at 0"}}},
      {"ln 0",
       FunctionId::Ln,
       {0, 0},
       0,
       false,
       {},
       {{kError, u"Natural logarithm", u"Function has singularity at 0"}}},
      {"lg 0",
       FunctionId::Lg,
       {0, 0},
       0,
       false,
       {},
       {{kError, u"Decimal logarithm", u"Function has singularity at 0"}}},
      {"exp 1000 overflows",
       FunctionId::Exp,
       {1000, 0},
       0,
       false,
       {},
       {{kError, u"Exponent", kOverflow}}},
      {"sinh 1000 overflows",
       FunctionId::Sinh,
       {1000, 0},
       0,
       false,
       {},
       {{kError, u"Hyperbolic sine", kOverflow}}},
      {"degrees: the conversion overflows under the function's code",
       FunctionId::Sin,
       {1e308, 0},
       1,
       false,
       {},
       {{kError, u"Sine", kOverflow}}},
      {"degrees: the conversion underflows, a warning",
       FunctionId::Tan,
       {5e-324, 0},
       1,
       true,
       {0, 0},
       {{kWarning, u"Tangent", kUnderflow}}},
      {"arcsin 1 in degrees", FunctionId::ArcSin, {1, 0}, 1, true, {90, 0}, {}, 2e-14},
      {"arctan 1 in grads", FunctionId::ArcTan, {1, 0}, 2, true, {50, 0}, {}, 1e-14},
      {"hyperbolic functions ignore the unit", FunctionId::Tanh, {0, 0}, 1, true, {0, 0}, {}},
  };
  for (const NodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    EvaluationState::ResetForTests();
    EvaluationState::Get().logReceiver = &log;
    log.entries.clear();
    SetUnits(c.units);
    Complex result{123, 456};
    EXPECT_EQ(Evaluate(c.id, c.operand, result), c.ok);
    EXPECT_EQ(EvaluationState::Get().evaluationOk, c.ok);
    if (c.ok) {
      EXPECT_NEAR(result.re, c.expected.re, c.tolerance);
      EXPECT_EQ(result.im, c.expected.im);
    }
    EXPECT_EQ(log.entries, c.entries);
  }
}

TEST_F(ElementaryEvaluationTest, CodeIsCurrentWhileRunningAndRestoredAfter) {
  EvaluationState& state = EvaluationState::Get();
  state.currentOperation = static_cast<int>(OperationCode::Addition);
  state.suppressOverflowReport = true;
  int seen = -1;
  bool suppressedSeen = true;
  Complex result;
  ASSERT_TRUE(EvaluateFunction(
      FunctionId::Sqrt,
      [&](Complex& z) {
        seen = state.currentOperation;
        suppressedSeen = state.suppressOverflowReport;
        z = {-4, 0};
        return true;
      },
      result));
  EXPECT_EQ(seen, static_cast<int>(OperationCode::SquareRoot));
  EXPECT_FALSE(suppressedSeen);
  EXPECT_EQ(state.currentOperation, static_cast<int>(OperationCode::Addition));
  EXPECT_FALSE(state.suppressOverflowReport);
  EXPECT_EQ(result.re, 0);
  EXPECT_EQ(result.im, 2);

  // A failing operand: nothing more is computed or reported, the code comes back.
  ASSERT_FALSE(EvaluateFunction(
      FunctionId::Ln, [](Complex&) { return ReportMathError(MathErrorKind::SyntaxError, 0, 0); },
      result));
  ASSERT_EQ(log.entries.size(), 1u);
  EXPECT_EQ(log.entries[0].context, u"Natural logarithm");
  EXPECT_EQ(state.currentOperation, static_cast<int>(OperationCode::Addition));
}

TEST_F(ElementaryEvaluationTest, EveryFunctionNamesItselfInItsReports) {
  // Each function fed an argument that makes it fail; the context is its own.
  struct Row {
    FunctionId id;
    Complex z;
    OperationCode code;
  };
  const Row rows[] = {
      {FunctionId::Sin, {0, 1e4}, OperationCode::Sine},
      {FunctionId::Cos, {0, 1e4}, OperationCode::Cosine},
      {FunctionId::Cosh, {1e4, 0}, OperationCode::HyperbolicCosine},
      {FunctionId::ArCosh, {kInf, 0}, OperationCode::ArhyperbolicCosine},
      {FunctionId::Exp, {1e4, 1}, OperationCode::Exponent},
      {FunctionId::Factorial, {0.5, 0}, OperationCode::Factorial},
      {FunctionId::Sqrt, {kInf, 0}, OperationCode::SquareRoot},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.id));
    log.entries.clear();
    EvaluationState::Get().evaluationOk = true;
    Complex result;
    EXPECT_FALSE(EvaluateFunction(row.id, Constant(row.z), result));
    ASSERT_FALSE(log.entries.empty());
    EXPECT_EQ(log.entries[0].context, OperationContext(static_cast<int>(row.code)));
    EXPECT_EQ(FunctionCode(row.id), row.code);
  }
}

TEST_F(ElementaryEvaluationTest, ReciprocalSeesOnlyItsOwnOverflow) {
  // An older overflow kind left in the state does not turn a finite secant
  // into the underflow warning, and the kind of the last report survives.
  EvaluationState& state = EvaluationState::Get();
  state.lastErrorKind = MathErrorKind::Overflow;
  Complex result;
  ASSERT_TRUE(Evaluate(FunctionId::Sec, {0, 0}, result));
  EXPECT_EQ(result.re, 1);
  EXPECT_EQ(result.im, 0);
  EXPECT_TRUE(log.entries.empty());
  EXPECT_EQ(state.lastErrorKind, MathErrorKind::Overflow);
}

TEST_F(ElementaryEvaluationTest, Factorial) {
  struct Row {
    const char* name;
    Complex z;
    bool ok;
    double expected;
    std::vector<RecordedEntry> entries;
  };
  const Row rows[] = {
      {"0!", {0, 0}, true, 1, {}},
      {"-0!", {-0.0, 0}, true, 1, {}},
      {"1!", {1, 0}, true, 1, {}},
      {"22! is exact and quiet", {22, 0}, true, 1124000727777607680000.0, {}},
      {"23! warns",
       {23, 0},
       true,
       25852016738884976640000.0,
       {{kWarning, u"Factorial",
         u"Operation resulted in partial loss of precision, result accepted as "
         u"2.5852016738884978213e+022"}}},
      {"170! is the last one",
       {170, 0},
       true,
       7.257415615307999e306,
       {{kWarning, u"Factorial",
         u"Operation resulted in partial loss of precision, result accepted as "
         u"7.257415615307999035e+306"}}},
      {"171! overflows",
       {171, 0},
       false,
       0,
       {{kError, u"Factorial",
         u"Operation resulted in overflow, too big positive number returned"}}},
      {"2.5!", {2.5, 0}, false, 0, {{kError, u"Factorial", u"Function is not defined for 2.5"}}},
      {"(-1)!", {-1, 0}, false, 0, {{kError, u"Factorial", u"Function is not defined for -1"}}},
      {"(2.5+i)!",
       {2.5, 1},
       false,
       0,
       {{kError, u"Factorial", u"Function is not defined for 2.5+i"}}},
      {"(3+0.5i)!",
       {3, 0.5},
       false,
       0,
       {{kError, u"Factorial", u"Function is not defined for 3+i\u00d70.5"}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EvaluationState::Get().evaluationOk = true;
    log.entries.clear();
    Complex result;
    EXPECT_EQ(Evaluate(FunctionId::Factorial, row.z, result), row.ok);
    if (row.ok) {
      EXPECT_EQ(result.re, row.expected);
      EXPECT_EQ(result.im, 0);
    }
    EXPECT_EQ(log.entries, row.entries);
  }
}

TEST_F(ElementaryEvaluationTest, Power) {
  struct Row {
    const char* name;
    Complex base;
    Complex exponent;
    bool ok;
    Complex expected;
    double tolerance;  // 0: exact
    std::vector<RecordedEntry> entries;
  };
  const std::vector<RecordedEntry> singularAtZero = {
      {kError, u"Power", u"Function has singularity at 0"}};
  const Row rows[] = {
      {"(-8)^(1/3) through the logarithm",
       {-8, 0},
       {1.0 / 3, 0},
       true,
       {1, 1.7320508075688772},
       4e-16,
       {}},
      {"(-2)^3 is exactly -8", {-2, 0}, {3, 0}, true, {-8, 0}, 0, {}},
      {"(-2)^-3", {-2, 0}, {-3, 0}, true, {-0.125, 0}, 0, {}},
      {"4^0.5 by the square root", {4, 0}, {0.5, 0}, true, {2, 0}, 0, {}},
      {"4^-0.5", {4, 0}, {-0.5, 0}, true, {0.5, 0}, 0, {}},
      {"(-4)^0.5", {-4, 0}, {0.5, 0}, true, {0, 2}, 0, {}},
      {"i^2 by squaring", {0, 1}, {2, 0}, true, {-1, 0}, 0, {}},
      {"(1+i)^-2", {1, 1}, {-2, 0}, true, {0, -0.5}, 0, {}},
      {"2^i with the real logarithm",
       {2, 0},
       {0, 1},
       true,
       {0.7692389013639721, 0.6389612763136348},
       2e-16,
       {}},
      {"10^0.3 real", {10, 0}, {0.3, 0}, true, {1.9952623149688795, 0}, 2.3e-16, {}},
      {"0^2", {0, 0}, {2, 0}, true, {0, 0}, 0, {}},
      {"0^0.5", {0, 0}, {0.5, 0}, true, {0, 0}, 0, {}},
      {"0^0", {0, 0}, {0, 0}, false, {}, 0, singularAtZero},
      {"0^-1", {0, 0}, {-1, 0}, false, {}, 0, singularAtZero},
      {"0^i", {0, 0}, {0, 1}, false, {}, 0, singularAtZero},
      {"2^2000 overflows", {2, 0}, {2000, 0}, false, {}, 0, {{kError, u"Power", kOverflow}}},
      {"an overflow of the library's pow comes through its hook",
       {10, 0},
       {1e6 + 0.5, 0},
       false,
       {},
       0,
       {{kError, u"Power", u"Operation resulted in overflow, too big positive number returned"}}},
      {"and so does its underflow, a warning",
       {10, 0},
       {-1e6 - 0.5, 0},
       true,
       {0, 0},
       0,
       {{kWarning, u"Power", kUnderflow}}},
      {"1e50^-4321 underflows, a warning",
       {1e50, 0},
       {-4321, 0},
       true,
       {0, 0},
       0,
       {{kWarning, u"Power", kUnderflow}}},
      {"(-1)^1e10: beyond 32 bits, through the logarithm",
       {-1, 0},
       {1e10, 0},
       true,
       {1, 0},
       1e-6,
       {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EvaluationState::Get().evaluationOk = true;
    log.entries.clear();
    Complex result;
    EXPECT_EQ(EvaluatePower(Constant(row.base), Constant(row.exponent), result), row.ok);
    if (row.ok) {
      EXPECT_NEAR(result.re, row.expected.re, row.tolerance);
      EXPECT_NEAR(result.im, row.expected.im, row.tolerance);
      if (row.expected.im == 0 && row.base.im == 0 && row.exponent.im == 0 && row.base.re > 0) {
        EXPECT_EQ(result.im, 0);
      }
    }
    EXPECT_EQ(log.entries, row.entries);
  }
}

TEST_F(ElementaryEvaluationTest, RealResultsStayRealThroughTheUnits) {
  const struct {
    FunctionId id;
    double x;
  } rows[] = {
      {FunctionId::ArcSin, 0.5}, {FunctionId::ArcCos, -0.3}, {FunctionId::ArcTan, 7},
      {FunctionId::ArcCot, -7},  {FunctionId::ArcSec, 3},    {FunctionId::ArcCsc, -1.5},
      {FunctionId::Sin, 1e10},   {FunctionId::Sec, 33},      {FunctionId::Cot, 0.25},
  };
  for (int units = 0; units <= 2; ++units) {
    for (const auto& row : rows) {
      SCOPED_TRACE(::testing::Message()
                   << "function " << static_cast<int>(row.id) << " units " << units);
      SetUnits(units);
      Complex result{1, 1};
      ASSERT_TRUE(Evaluate(row.id, {row.x, 0}, result));
      EXPECT_EQ(result.im, 0);
    }
  }
  SetUnits(1);
  Complex result;
  ASSERT_TRUE(Evaluate(FunctionId::ArcSin, {0.5, 0}, result));
  EXPECT_NEAR(result.re, 30, 1e-14);
}

}  // namespace
}  // namespace vora
