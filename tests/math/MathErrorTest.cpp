// SPDX-License-Identifier: MIT
#include "math/MathError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <limits>
#include <vector>

#include "math/Libm.h"
#include "support/RecordingLog.h"

namespace vora {
namespace {

using testing::CoreStateTest;
using testing::RecordedEntry;

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(OperationContextTest, EveryCodeAndUndefined) {
  const std::u16string_view expected[] = {u"None",
                                          u"Number",
                                          u"Division",
                                          u"Multiplication",
                                          u"Addition",
                                          u"Subtraction",
                                          u"Sine",
                                          u"Cosine",
                                          u"Tangent",
                                          u"Cotangent",
                                          u"Secant",
                                          u"Cosecant",
                                          u"Arcsine",
                                          u"Arccosine",
                                          u"Arctangent",
                                          u"Arccotangent",
                                          u"Arcsecant",
                                          u"Arccosecant",
                                          u"Hyperbolic cosine",
                                          u"Hyperbolic sine",
                                          u"Hyperbolic tangent",
                                          u"Hyperbolic cotangent",
                                          u"Hyperbolic secant",
                                          u"Hyperbolic cosecant",
                                          u"Archyperbolic cosine",
                                          u"Archyperbolic sine",
                                          u"Archyperbolic tangent",
                                          u"Archyperbolic cotangent",
                                          u"Archyperbolic secant",
                                          u"Archyperbolic cosecant",
                                          u"Natural logarithm",
                                          u"Decimal logarithm",
                                          u"Power",
                                          u"Exponent",
                                          u"Factorial",
                                          u"Memory",
                                          u"Square root",
                                          u"Absolute value"};
  for (int code = 0; code < 38; ++code) {
    SCOPED_TRACE(code);
    EXPECT_EQ(OperationContext(code), expected[code]);
  }
  EXPECT_EQ(OperationContext(static_cast<int>(OperationCode::AbsoluteValue)), u"Absolute value");
  EXPECT_EQ(OperationContext(38), u"Undefined");
  EXPECT_EQ(OperationContext(-1), u"Undefined");
}

struct ReportCase {
  const char* name;
  MathErrorKind kind;
  OperationCode code;
  Complex value;
  LogStatus status;
  std::u16string description;
};

class ReportMathErrorTest : public CoreStateTest {};

TEST_F(ReportMathErrorTest, EveryKindBuildsItsEntry) {
  const std::vector<ReportCase> cases = {
      {"syntax",
       MathErrorKind::SyntaxError,
       OperationCode::None,
       {},
       LogStatus::Error,
       u"Syntax error"},
      {"uninitialized",
       MathErrorKind::UninitializedMemory,
       OperationCode::Memory,
       {},
       LogStatus::Warning,
       u"Uninitialized memory used, value forced to 0"},
      {"overflow positive",
       MathErrorKind::Overflow,
       OperationCode::Number,
       {kInf, 0},
       LogStatus::Error,
       u"Operation resulted in overflow, too big positive number returned"},
      {"overflow negative",
       MathErrorKind::Overflow,
       OperationCode::Exponent,
       {-kInf, 0},
       LogStatus::Error,
       u"Operation resulted in overflow, too big negative number returned"},
      {"overflow zero",
       MathErrorKind::Overflow,
       OperationCode::Addition,
       {0, 5},
       LogStatus::Error,
       u"Operation resulted in overflow, too big number returned"},
      {"underflow",
       MathErrorKind::Underflow,
       OperationCode::Multiplication,
       {0, 0},
       LogStatus::Warning,
       u"Operation resulted in underflow, result accepted as 0"},
      {"underflow shows re only",
       MathErrorKind::Underflow,
       OperationCode::Exponent,
       {1e-310, 7},
       LogStatus::Warning,
       u"Operation resulted in underflow, result accepted as 9.9999999999999694493e-311"},
      {"not defined",
       MathErrorKind::NotDefined,
       OperationCode::Factorial,
       {2.5, 1},
       LogStatus::Error,
       u"Function is not defined for 2.5+i"},
      {"singularity of a function",
       MathErrorKind::Singularity,
       OperationCode::NaturalLogarithm,
       {0, 0},
       LogStatus::Error,
       u"Function has singularity at 0"},
      {"singularity of a division",
       MathErrorKind::Singularity,
       OperationCode::Division,
       {0, 0},
       LogStatus::Error,
       u"Operation has singularity at 0"},
      {"singularity at a complex point",
       MathErrorKind::Singularity,
       OperationCode::Arctangent,
       {0, -1},
       LogStatus::Error,
       u"Function has singularity at \u2212i"},
      {"partial loss",
       MathErrorKind::PartialLoss,
       OperationCode::Factorial,
       {0.5, 0},
       LogStatus::Warning,
       u"Operation resulted in partial loss of precision, result accepted as 0.5"},
      {"total loss",
       MathErrorKind::TotalLoss,
       OperationCode::Sine,
       {-2, 0},
       LogStatus::Warning,
       u"Operation resulted in total loss of precision, result accepted as -2"},
  };
  for (const ReportCase& c : cases) {
    SCOPED_TRACE(c.name);
    EvaluationState::ResetForTests();
    EvaluationState::Get().logReceiver = &log;
    log.entries.clear();
    EvaluationState::Get().currentOperation = static_cast<int>(c.code);
    const bool ok = ReportMathError(c.kind, c.value);
    const bool error = c.status == LogStatus::Error;
    EXPECT_EQ(ok, !error);
    EXPECT_EQ(EvaluationState::Get().evaluationOk, !error);
    EXPECT_EQ(EvaluationState::Get().lastErrorKind, c.kind);
    const std::vector<RecordedEntry> expected = {
        {c.status, std::u16string(OperationContext(static_cast<int>(c.code))), c.description}};
    EXPECT_EQ(log.entries, expected);
  }
}

TEST_F(ReportMathErrorTest, ValuesFollowTheDisplayPreferences) {
  SetPreference(Preference::FormatI, 1);
  SetPreference(Preference::NotationCase, 1);
  EvaluationState::Get().currentOperation = static_cast<int>(OperationCode::Factorial);
  ReportMathError(MathErrorKind::NotDefined, 2.5, 1);
  ReportMathError(MathErrorKind::Underflow, 1e-300, 0);
  ASSERT_EQ(log.entries.size(), 2u);
  EXPECT_EQ(log.entries[0].description, u"Function is not defined for 2.5+j");
  EXPECT_EQ(log.entries[1].description,
            u"Operation resulted in underflow, result accepted as 1.0000000000000000251E-300");
}

TEST_F(ReportMathErrorTest, WarningsKeepEvaluationGoingAndTheLastKindWins) {
  ReportMathError(MathErrorKind::Underflow, 0, 0);
  EXPECT_TRUE(ReportMathError(MathErrorKind::UninitializedMemory, 0, 0));
  EXPECT_EQ(log.entries.size(), 2u);
  EXPECT_TRUE(EvaluationState::Get().evaluationOk);
  EXPECT_EQ(EvaluationState::Get().lastErrorKind, MathErrorKind::UninitializedMemory);
}

TEST_F(ReportMathErrorTest, SuppressedOverflowOnlySetsTheKind) {
  EvaluationState::Get().suppressOverflowReport = true;
  EXPECT_TRUE(ReportMathError(MathErrorKind::Overflow, 0, 0));
  EXPECT_TRUE(log.entries.empty());
  EXPECT_TRUE(EvaluationState::Get().evaluationOk);
  EXPECT_EQ(EvaluationState::Get().lastErrorKind, MathErrorKind::Overflow);
  // Other errors are not suppressed.
  EXPECT_FALSE(ReportMathError(MathErrorKind::Singularity, 0, 0));
  EXPECT_EQ(log.entries.size(), 1u);
}

TEST_F(ReportMathErrorTest, WithoutAReceiverTheStateStillChanges) {
  EvaluationState::Get().logReceiver = nullptr;
  EXPECT_FALSE(ReportMathError(MathErrorKind::NotDefined, 1, 0));
  EXPECT_FALSE(EvaluationState::Get().evaluationOk);
  EXPECT_EQ(EvaluationState::Get().lastErrorKind, MathErrorKind::NotDefined);
}

TEST_F(ReportMathErrorTest, BeginCalculationRunResetsAndClearsTheLog) {
  const std::pair<unsigned, int> units[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {0xFFFFFFFF, 0}};
  for (const auto& [preference, expected] : units) {
    SCOPED_TRACE(preference);
    EvaluationState& state = EvaluationState::Get();
    state.evaluationOk = false;
    state.currentOperation = 12;
    state.lastErrorKind = MathErrorKind::Overflow;
    state.suppressOverflowReport = true;
    ReportMathError(MathErrorKind::Underflow, 0, 0);
    const int clears = log.clears;
    BeginCalculationRun(preference);
    EXPECT_TRUE(state.evaluationOk);
    EXPECT_EQ(state.currentOperation, 0);
    EXPECT_EQ(state.lastErrorKind, MathErrorKind::NoError);
    EXPECT_FALSE(state.suppressOverflowReport);
    EXPECT_EQ(state.trigUnits, expected);
    EXPECT_EQ(log.clears, clears + 1);
    EXPECT_TRUE(log.entries.empty());
  }
}

TEST_F(ReportMathErrorTest, OperationScopeNestsAndClearsSuppression) {
  {
    const OperationScope outer(OperationCode::Secant);
    EvaluationState::Get().suppressOverflowReport = true;
    {
      const OperationScope inner(OperationCode::Cosine);
      EXPECT_EQ(EvaluationState::Get().currentOperation, 7);
      EXPECT_FALSE(EvaluationState::Get().suppressOverflowReport);
      EvaluationState::Get().suppressOverflowReport = true;
    }
    EXPECT_EQ(EvaluationState::Get().currentOperation, 10);
    EXPECT_FALSE(EvaluationState::Get().suppressOverflowReport);
  }
  EXPECT_EQ(EvaluationState::Get().currentOperation, 0);
}

TEST_F(ReportMathErrorTest, LibraryErrorTypesMapToReports) {
  struct Row {
    int type;
    std::vector<RecordedEntry> log;
    bool ok;
  };
  const std::vector<Row> rows = {
      {kLibDomain, {{LogStatus::Error, u"Sine", u"Function is not defined for -2"}}, false},
      {kLibSingularity, {{LogStatus::Error, u"Sine", u"Function has singularity at -2"}}, false},
      {kLibOverflow,
       {{LogStatus::Error, u"Sine",
         u"Operation resulted in overflow, too big positive number returned"}},
       false},
      {kLibUnderflow,
       {{LogStatus::Warning, u"Sine", u"Operation resulted in underflow, result accepted as inf"}},
       true},
      {kLibTotalLoss,
       {{LogStatus::Warning, u"Sine",
         u"Operation resulted in total loss of precision, result accepted as inf"}},
       true},
      {kLibPartialLoss,
       {{LogStatus::Warning, u"Sine",
         u"Operation resulted in partial loss of precision, result accepted as inf"}},
       true},
      {0, {}, true},
      {7, {}, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.type);
    EvaluationState::ResetForTests();
    EvaluationState::Get().logReceiver = &log;
    log.entries.clear();
    const OperationScope scope(OperationCode::Sine);
    EXPECT_EQ(OnMathLibraryError(row.type, -2.0, kInf), 1);
    EXPECT_EQ(log.entries, row.log);
    EXPECT_EQ(EvaluationState::Get().evaluationOk, row.ok);
  }
}

double Identity(double x) {
  return x;
}

TEST_F(ReportMathErrorTest, LibmCallReportsTheRoutinesErrors) {
  struct Row {
    const char* name;
    double (*routine)(double);
    double x;
    MathErrorKind kind;
  };
  const Row rows[] = {
      {"log 0 is a pole", [](double x) { return std::log(x); }, 0.0, MathErrorKind::Singularity},
      {"log of a negative", [](double x) { return std::log(x); }, -1.0, MathErrorKind::NotDefined},
      {"sqrt of a negative", [](double x) { return std::sqrt(x); }, -4.0,
       MathErrorKind::NotDefined},
      {"exp overflows", [](double x) { return std::exp(x); }, 1000.0, MathErrorKind::Overflow},
      {"exp underflows", [](double x) { return std::exp(x); }, -1000.0, MathErrorKind::Underflow},
      {"ordinary call", [](double x) { return std::exp(x); }, 1.0, MathErrorKind::NoError},
      {"no routine error", Identity, 3.0, MathErrorKind::NoError},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EvaluationState::ResetForTests();
    EvaluationState::Get().logReceiver = &log;
    log.entries.clear();
    errno = 1234;
    std::feclearexcept(FE_ALL_EXCEPT);
    LibmCall(row.routine, row.x);
    EXPECT_EQ(EvaluationState::Get().lastErrorKind, row.kind);
    EXPECT_EQ(log.entries.size(), row.kind == MathErrorKind::NoError ? 0u : 1u);
    EXPECT_EQ(errno, 1234) << "the caller's errno is restored";
  }
  const double p = LibmCall([](double x, double y) { return std::pow(x, y); }, 0.0, -1.0);
  EXPECT_EQ(p, kInf);
  EXPECT_EQ(EvaluationState::Get().lastErrorKind, MathErrorKind::Singularity);
}

}  // namespace
}  // namespace vora
