// SPDX-License-Identifier: MIT
#include "math/Complex.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "support/RecordingLog.h"

namespace vora {
namespace {

using testing::CoreStateTest;
using testing::RecordedEntry;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const std::u16string kOverflowZero = u"Operation resulted in overflow, too big number returned";
const std::u16string kUnderflowZero = u"Operation resulted in underflow, result accepted as 0";
const std::u16string kDivideByZero = u"Operation has singularity at 0";

enum class Op { Add, Subtract, Multiply, Divide };

struct CheckedCase {
  const char* name;
  Op op;
  Complex a, b;
  bool ok;
  std::optional<Complex> result;  // absent: not written
  std::vector<RecordedEntry> log;
};

class CheckedArithmeticTest : public CoreStateTest {};

TEST_F(CheckedArithmeticTest, ResultsAndReports) {
  const RecordedEntry mulOverflow{LogStatus::Error, u"Multiplication", kOverflowZero};
  const RecordedEntry mulUnderflow{LogStatus::Warning, u"Multiplication", kUnderflowZero};
  const RecordedEntry divSingular{LogStatus::Error, u"Division", kDivideByZero};
  const RecordedEntry addOverflow{LogStatus::Error, u"Addition", kOverflowZero};
  const std::vector<CheckedCase> cases = {
      {"sum", Op::Add, {1, 2}, {3, -4}, true, Complex{4, -2}, {}},
      {"sum overflows", Op::Add, {1e308, 0}, {1e308, 0}, false, std::nullopt, {addOverflow}},
      {"zero sum is no underflow", Op::Add, {1e-300, 0}, {-1e-300, 0}, true, Complex{0, 0}, {}},
      {"difference", Op::Subtract, {1, 2}, {3, -4}, true, Complex{-2, 6}, {}},
      {"product", Op::Multiply, {1, 2}, {3, 4}, true, Complex{-5, 10}, {}},
      {"product overflows", Op::Multiply, {1e308, 0}, {10, 0}, false, std::nullopt, {mulOverflow}},
      {"product underflows",
       Op::Multiply,
       {1e-200, 0},
       {1e-200, 0},
       true,
       Complex{0, 0},
       {mulUnderflow}},
      {"zero factor is no underflow", Op::Multiply, {0, 0}, {1e-200, 0}, true, Complex{0, 0}, {}},
      {"negative zero factor", Op::Multiply, {-0.0, -0.0}, {1e-200, 0}, true, Complex{0, 0}, {}},
      {"quotient by zero", Op::Divide, {1, 0}, {0, 0}, false, std::nullopt, {divSingular}},
      {"quotient by minus zero", Op::Divide, {1, 0}, {0, -0.0}, false, std::nullopt, {divSingular}},
      {"zero dividend", Op::Divide, {0, 0}, {5, 0}, true, Complex{0, 0}, {}},
      {"quotient equal parts", Op::Divide, {2, 2}, {1, 1}, true, Complex{2, 0}, {}},
      {"quotient underflows",
       Op::Divide,
       {1e-300, 0},
       {1e300, 0},
       true,
       Complex{0, 0},
       {{LogStatus::Warning, u"Division", kUnderflowZero}}},
      {"quotient overflows",
       Op::Divide,
       {1e300, 0},
       {1e-300, 0},
       false,
       std::nullopt,
       {{LogStatus::Error, u"Division", kOverflowZero}}},
  };
  for (const CheckedCase& c : cases) {
    SCOPED_TRACE(c.name);
    EvaluationState::ResetForTests();
    EvaluationState::Get().logReceiver = &log;
    log.entries.clear();
    const OperationCode code = c.op == Op::Add        ? OperationCode::Addition
                               : c.op == Op::Subtract ? OperationCode::Subtraction
                               : c.op == Op::Multiply ? OperationCode::Multiplication
                                                      : OperationCode::Division;
    const OperationScope scope(code);
    const Complex sentinel{123, 456};
    Complex result = sentinel;
    bool ok = false;
    switch (c.op) {
      case Op::Add:
        ok = Add(c.a, c.b, result);
        break;
      case Op::Subtract:
        ok = Subtract(c.a, c.b, result);
        break;
      case Op::Multiply:
        ok = Multiply(c.a, c.b, result);
        break;
      case Op::Divide:
        ok = Divide(c.a, c.b, result);
        break;
    }
    EXPECT_EQ(ok, c.ok);
    EXPECT_EQ(EvaluationState::Get().evaluationOk, c.ok);
    if (c.result) {
      EXPECT_EQ(result.re, c.result->re);
      EXPECT_EQ(result.im, c.result->im);
    }
    if (c.op == Op::Divide && !c.ok && c.b.re == 0 && c.b.im == 0) {
      EXPECT_EQ(result.re, sentinel.re) << "a division by zero writes no result";
    }
    EXPECT_EQ(log.entries, c.log);
  }
}

TEST(QuotientTest, SmithBranches) {
  // |c| < |d| takes the first branch.
  const Complex q1 = Quotient({1, 2}, {3, 4});
  EXPECT_NEAR(q1.re, 0.44, 1e-16);
  EXPECT_NEAR(q1.im, 0.08, 1e-16);
  // |c| = |d| takes the second branch, exactly.
  const Complex q2 = Quotient({2, 2}, {1, 1});
  EXPECT_EQ(q2.re, 2.0);
  EXPECT_EQ(q2.im, 0.0);
  // Smith's scaling keeps huge operands finite where the textbook formula overflows.
  const Complex q3 = Quotient({1e300, 1e300}, {1e300, 1e300});
  EXPECT_EQ(q3.re, 1.0);
  EXPECT_EQ(q3.im, 0.0);
  const Complex nan = Quotient({1, 0}, {0, 0});
  EXPECT_TRUE(std::isnan(nan.re));
  EXPECT_TRUE(std::isnan(nan.im));
}

TEST(QuotientTest, ReciprocalBranches) {
  const Complex r1 = Reciprocal(1, {0, 2});  // |c| < |d|
  EXPECT_EQ(r1.re, 0.0);
  EXPECT_EQ(r1.im, -0.5);
  const Complex r2 = Reciprocal(1, {4, 0});  // |c| >= |d|
  EXPECT_EQ(r2.re, 0.25);
  EXPECT_EQ(r2.im, -0.0);
  const Complex r3 = Reciprocal(2, {1, 1});
  EXPECT_EQ(r3.re, 1.0);
  EXPECT_EQ(r3.im, -1.0);
}

TEST(ModulusTest, ScaledWithoutOverflowOrUnderflow) {
  struct Row {
    const char* name;
    Complex z;
    double abs;
  };
  const Row rows[] = {
      {"3+4i", {3, 4}, 5},
      {"huge equal parts", {1e300, 1e300}, 1.4142135623730951e300},
      {"near the top of the range", {1.2e308, 1.2e308}, 1.697056274847714e308},
      {"tiny equal parts", {1e-320, 1e-320}, std::hypot(1e-320, 1e-320)},
      {"negligible part", {1, 1e-20}, 1},
      {"real negative", {-2, 0}, 2},
      {"zero", {0, -0.0}, 0},
      {"close parts", {1, 0.999999}, 1.4142128552664905},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_DOUBLE_EQ(Abs(row.z), row.abs);
  }
  int scale = 99;
  EXPECT_EQ(Modulus({0, 0}, scale), 0.0);
  EXPECT_EQ(scale, 0);
  EXPECT_EQ(Modulus({1e300, 0}, scale), 2.5e299);
  EXPECT_EQ(scale, 2);
  EXPECT_EQ(Modulus({0.5, 0}, scale), 2.0);
  EXPECT_EQ(scale, -2);
  EXPECT_EQ(Modulus({kNaN, 0}, scale), kInf);
  EXPECT_EQ(Modulus({1, -kInf}, scale), kInf);
}

class ComponentTest : public CoreStateTest {};

TEST_F(ComponentTest, ComponentWiseOperations) {
  auto same = [](Complex got, Complex want) {
    EXPECT_EQ(got.re, want.re);
    EXPECT_EQ(got.im, want.im);
    EXPECT_EQ(std::signbit(got.re), std::signbit(want.re));
  };
  same(ChangeSign({1, -2}), {-1, 2});
  same(Conjugate({1, -2}), {1, 2});
  same(RealPart({1, -2}), {1, 0});
  same(ImaginaryPart({1, -2}), {-2, 0});
  same(Argument({-1, 0}), {kPi, 0});
  same(Argument({-1, -0.0}), {kPi, 0});
  same(Argument({0, 0}), {0, 0});
  same(Argument({-0.0, -0.0}), {0, 0});
  same(Argument({-0.0, 2}), {kPi / 2, 0});
  same(Argument({0, -1}), {-kPi / 2, 0});
  same(Sign({-3, 0}), {-1, 0});
  same(Sign({kNaN, 2}), {0, 1});
  same(Ceil({1.2, -1.2}), {2, -1});
  same(Floor({1.2, -1.2}), {1, -2});
}

TEST_F(ComponentTest, AbsoluteValueReportsANonFiniteModulus) {
  const OperationScope scope(OperationCode::AbsoluteValue);
  Complex result;
  EXPECT_TRUE(AbsoluteValue({-3, 4}, result));
  EXPECT_EQ(result.re, 5.0);
  EXPECT_TRUE(log.entries.empty());
  EXPECT_FALSE(AbsoluteValue({kNaN, 1}, result));
  ASSERT_EQ(log.entries.size(), 1u);
  EXPECT_EQ(log.entries[0].context, u"Absolute value");
  EXPECT_EQ(log.entries[0].description,
            u"Operation resulted in overflow, too big positive number returned");
}

TEST(ConstantsTest, ExactBitPatterns) {
  EXPECT_EQ(std::bit_cast<std::uint64_t>(kPi), 0x400921FB54442D18u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(kE), 0x4005BF0A8B145769u);
  EXPECT_EQ(kImaginaryUnit.re, 0.0);
  EXPECT_EQ(kImaginaryUnit.im, 1.0);
}

TEST(ComplexTest, ZeroAndFiniteTests) {
  EXPECT_TRUE(IsZero({-0.0, 0.0}));
  EXPECT_TRUE(IsZero({0.0, -0.0}));
  EXPECT_FALSE(IsZero({0.0, 1e-320}));
  EXPECT_FALSE(IsZero({kNaN, 0}));
  EXPECT_TRUE(IsFinite({1e308, -1e308}));
  EXPECT_FALSE(IsFinite({kInf, 0}));
  EXPECT_FALSE(IsFinite({0, kNaN}));
}

}  // namespace
}  // namespace vora
