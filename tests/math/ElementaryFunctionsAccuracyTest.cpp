// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>

#include "math/ElementaryFunctions.h"
#include "math/ElementaryOracle.h"
#include "support/RecordingLog.h"

// A handful of points per function checked against GNU MPC: each part within
// one unit in the last place of the modulus of the exact value. The full grid
// and the comparison with the C++ library live in the accuracy benchmark.

namespace vora {
namespace {

using testing::CoreStateTest;

class ElementaryAccuracyTest : public CoreStateTest {};

struct Point {
  double re;
  double im;
};

// Small, moderate and large arguments in several quadrants, and points close
// to the branch points ±1 and ±i where formulas on 1 - z² lose digits.
constexpr Point kPoints[] = {
    {0.03, -0.07}, {0.4, 0.3},       {-0.9, 0.2},   {1.5, -2.5},       {-7, -3},
    {0.999999, 0}, {1.000001, 1e-7}, {-1, 1e-9},    {1e-8, 1.0000001}, {-3e-8, -0.9999999},
    {60, 0.5},     {-1e5, 2e5},      {1e16, -3e15}, {2e-170, -1e-170}, {0, 3},
};

TEST_F(ElementaryAccuracyTest, AgreesWithMpcWithinOneUlpOfTheModulus) {
  const FunctionId functions[] = {
      FunctionId::Sin,    FunctionId::Cos,    FunctionId::Tan,    FunctionId::Cot,
      FunctionId::Sec,    FunctionId::Csc,    FunctionId::ArcSin, FunctionId::ArcCos,
      FunctionId::ArcTan, FunctionId::ArcCot, FunctionId::ArcSec, FunctionId::ArcCsc,
      FunctionId::Cosh,   FunctionId::Sinh,   FunctionId::Tanh,   FunctionId::Coth,
      FunctionId::Sech,   FunctionId::Csch,   FunctionId::ArCosh, FunctionId::ArSinh,
      FunctionId::ArTanh, FunctionId::ArCoth, FunctionId::ArSech, FunctionId::ArCsch,
      FunctionId::Ln,     FunctionId::Lg,     FunctionId::Exp,    FunctionId::Sqrt,
  };
  for (const FunctionId id : functions) {
    for (const Point& p : kPoints) {
      const Complex z{p.re, p.im};
      oracle::WideValue exact;
      if (!oracle::Reference(id, z, {}, exact)) continue;
      SCOPED_TRACE(::testing::Message() << "function " << static_cast<int>(id) << " at " << p.re
                                        << (p.im < 0 ? " - " : " + ") << std::fabs(p.im) << "i");
      EvaluationState::Get().evaluationOk = true;
      Complex result;
      if (!EvaluateFunction(
              id,
              [z](Complex& v) {
                v = z;
                return true;
              },
              result)) {
        ADD_FAILURE() << "evaluation failed where the value is representable";
        continue;
      }
      const oracle::UlpError error = oracle::ErrorInUlps(result, exact);
      EXPECT_LE(error.re, 1.0);
      EXPECT_LE(error.im, 1.0);
    }
  }
}

TEST_F(ElementaryAccuracyTest, PowerAgreesWithMpc) {
  // The error grows with |exponent·ln base|; for these it stays within one
  // unit.
  const struct {
    Complex base;
    Complex exponent;
  } rows[] = {
      {{-8, 0}, {1.0 / 3, 0}},
      {{2, 0}, {0, 1}},
      {{1.5, -0.5}, {2.5, 0}},
      {{3, 4}, {-7, 0}},
      {{0.7, 0}, {-12.3, 0}},
      {{-2, 1}, {0.5, 0.25}},
      {{1e10, 0}, {0.1, 0}},
      {{0, 1}, {13, 0}},
      // Large integer exponents, by the logarithm rather than by squaring.
      {{1.000000001, 0}, {1e9, 0}},
      {{0.99999, 0.00001}, {3000, 0}},
      {{-1.0000001, 0}, {-12345, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.base.re << "+" << row.base.im << "i ^ "
                                      << row.exponent.re << "+" << row.exponent.im << "i");
    oracle::WideValue exact;
    ASSERT_TRUE(oracle::Reference(FunctionId::Pow, row.base, row.exponent, exact));
    Complex result;
    ASSERT_TRUE(EvaluatePower(
        [&](Complex& v) {
          v = row.base;
          return true;
        },
        [&](Complex& v) {
          v = row.exponent;
          return true;
        },
        result));
    const oracle::UlpError error = oracle::ErrorInUlps(result, exact);
    EXPECT_LE(error.re, 1.0);
    EXPECT_LE(error.im, 1.0);
  }
}

}  // namespace
}  // namespace vora
