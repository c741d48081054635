// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <complex>

#include "math/ElementaryFunctions.h"
#include "math/Routines.h"
#include "support/RecordingLog.h"

// Values of the functions in radians: the documented edge cases, the two
// principal-value mends of the area functions, and the side each function
// takes on its branch cuts.

namespace vora {
namespace {

using testing::CoreStateTest;

constexpr double kHalfPi = 1.5707963267948966;
constexpr double kAcosh2 = 1.3169578969248166;
constexpr double kAtanh05 = 0.5493061443340549;

class ElementaryValuesTest : public CoreStateTest {
 protected:
  Complex Value(FunctionId id, Complex z) {
    Complex result{};
    EXPECT_TRUE(EvaluateFunction(
        id,
        [z](Complex& v) {
          v = z;
          return true;
        },
        result));
    EXPECT_TRUE(log.entries.empty());
    return result;
  }
};

// Within ulps units in the last place of |want| for each part; 0 means exact.
void ExpectClose(Complex got, Complex want, double ulps) {
  const double size = std::hypot(want.re, want.im);
  const double tolerance = size == 0 ? 0 : ulps * std::ldexp(1.0, std::ilogb(size) - 52);
  EXPECT_NEAR(got.re, want.re, tolerance) << "real part";
  EXPECT_NEAR(got.im, want.im, tolerance) << "imaginary part";
}

TEST_F(ElementaryValuesTest, DocumentedValues) {
  // The documented figures are double roundings; 1 ulp allows for the
  // correctly rounded neighbour.
  struct Row {
    const char* name;
    FunctionId id;
    Complex z;
    Complex expected;
    double ulps;
  };
  const Row rows[] = {
      {"arcsin 2", FunctionId::ArcSin, {2, 0}, {kHalfPi, -kAcosh2}, 1},
      {"arcsin -2", FunctionId::ArcSin, {-2, 0}, {-kHalfPi, kAcosh2}, 1},
      {"arcsin 0.5 is real", FunctionId::ArcSin, {0.5, 0}, {0.5235987755982989, 0}, 1},
      {"arccos 2", FunctionId::ArcCos, {2, 0}, {0, kAcosh2}, 1},
      {"arccos -2", FunctionId::ArcCos, {-2, 0}, {kPi, -kAcosh2}, 1},
      {"arctan 2i", FunctionId::ArcTan, {0, 2}, {kHalfPi, kAtanh05}, 1},
      {"arctan -2i", FunctionId::ArcTan, {0, -2}, {-kHalfPi, -kAtanh05}, 1},
      {"arccot -1", FunctionId::ArcCot, {-1, 0}, {2.356194490192345, 0}, 0},
      {"arccot 0", FunctionId::ArcCot, {0, 0}, {kHalfPi, 0}, 0},
      {"arccsc 0.5 equals arcsin 2", FunctionId::ArcCsc, {0.5, 0}, {kHalfPi, -kAcosh2}, 1},
      {"arcsec 0.5", FunctionId::ArcSec, {0.5, 0}, {0, kAcosh2}, 1},
      {"tan(1+400i): the real part underflows", FunctionId::Tan, {1, 400}, {0, 1}, 0},
      {"tan(1+800i)", FunctionId::Tan, {1, 800}, {0, 1}, 0},
      {"tan(pi/2) is huge, not singular",
       FunctionId::Tan,
       {kHalfPi, 0},
       {1.633123935319537e16, 0},
       1},
      {"lg -1", FunctionId::Lg, {-1, 0}, {0, 1.3643763538418412}, 1},
      {"ln -1", FunctionId::Ln, {-1, 0}, {0, kPi}, 0},
      {"ln -1 - 0i is taken from above", FunctionId::Ln, {-1, -0.0}, {0, kPi}, 0},
      {"sqrt -4", FunctionId::Sqrt, {-4, 0}, {0, 2}, 0},
      {"sqrt -4 - 0i", FunctionId::Sqrt, {-4, -0.0}, {0, 2}, 0},
      {"sqrt -4i", FunctionId::Sqrt, {0, -4}, {std::sqrt(2.0), -std::sqrt(2.0)}, 1},
      {"exp(i pi)", FunctionId::Exp, {0, kPi}, {-1, 1.2246467991473532e-16}, 1},
      {"cot(pi/4)", FunctionId::Cot, {0.7853981633974483, 0}, {1, 0}, 1},
      {"cot of tiny parts", FunctionId::Cot, {1e-170, 1e-170}, {5e169, -5e169}, 1},
      {"coth of tiny parts", FunctionId::Coth, {1e-170, 1e-170}, {5e169, -5e169}, 1},
      {"tanh(1+400i)", FunctionId::Tanh, {400, 1}, {1, 0}, 0},
      {"tanh(-800+i)", FunctionId::Tanh, {-800, 1}, {-1, 0}, 0},
      {"coth 500", FunctionId::Coth, {500, 0.5}, {1, 0}, 0},
      {"sin(1e-300+1e-300i)", FunctionId::Sin, {1e-300, 1e-300}, {1e-300, 1e-300}, 0},
      // The archyperbolic cosine takes the value with a non-negative real part.
      {"arch 2", FunctionId::ArCosh, {2, 0}, {kAcosh2, 0}, 1},
      {"arch -2", FunctionId::ArCosh, {-2, 0}, {kAcosh2, kPi}, 1},
      {"arch 0.5", FunctionId::ArCosh, {0.5, 0}, {0, 1.0471975511965979}, 1},
      {"arch 2i", FunctionId::ArCosh, {0, 2}, {1.4436354751788103, kHalfPi}, 1},
      {"arch -2i", FunctionId::ArCosh, {0, -2}, {1.4436354751788103, -kHalfPi}, 1},
      // The archyperbolic cotangent brings its imaginary part into (-pi/2, pi/2].
      {"arcth -2", FunctionId::ArCoth, {-2, 0}, {-kAtanh05, 0}, 1},
      {"arcth 2", FunctionId::ArCoth, {2, 0}, {kAtanh05, 0}, 1},
      {"arcth 0.5", FunctionId::ArCoth, {0.5, 0}, {kAtanh05, kHalfPi}, 1},
      {"arcth -0.5", FunctionId::ArCoth, {-0.5, 0}, {-kAtanh05, kHalfPi}, 1},
      {"arcth 0", FunctionId::ArCoth, {0, 0}, {0, kHalfPi}, 0},
      {"arsh -1e10 does not cancel", FunctionId::ArSinh, {-1e10, 0}, {-23.718998110500402, 0}, 1},
      {"arsh below -i takes the left side",
       FunctionId::ArSinh,
       {0, -1e300},
       {-691.4686750787737, -kHalfPi},
       1},
      {"arsech 0.5", FunctionId::ArSech, {0.5, 0}, {kAcosh2, 0}, 1},
      {"arcsch 0.5", FunctionId::ArCsch, {0.5, 0}, {1.4436354751788103, 0}, 1},
      {"arth 0.5", FunctionId::ArTanh, {0.5, 0}, {kAtanh05, 0}, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ExpectClose(Value(row.id, row.z), row.expected, row.ulps);
  }
}

TEST_F(ElementaryValuesTest, RealArgumentsInTheRealDomainGiveRealResults) {
  struct Row {
    FunctionId id;
    double lo;
    double hi;
  };
  // Ranges inside each real domain; 41 points across each, ends included.
  const Row rows[] = {
      {FunctionId::ArcSin, -1, 1},       {FunctionId::ArcCos, -1, 1},
      {FunctionId::ArcTan, -50, 50},     {FunctionId::ArcCot, -50, 50},
      {FunctionId::ArcSec, 1, 40},       {FunctionId::ArcSec, -40, -1},
      {FunctionId::ArcCsc, 1, 40},       {FunctionId::ArcCsc, -40, -1},
      {FunctionId::ArCosh, 1, 1e6},      {FunctionId::ArSinh, -1e6, 1e6},
      {FunctionId::ArTanh, -0.99, 0.99}, {FunctionId::ArCoth, 1.01, 300},
      {FunctionId::ArCoth, -300, -1.01}, {FunctionId::ArSech, 0.01, 1},
      {FunctionId::ArCsch, 0.01, 300},   {FunctionId::ArCsch, -300, -0.01},
      {FunctionId::Ln, 1e-5, 1e5},       {FunctionId::Lg, 1e-5, 1e5},
      {FunctionId::Sqrt, 0, 1e5},        {FunctionId::Exp, -700, 700},
      {FunctionId::Sin, -1e3, 1e3},      {FunctionId::Cos, -1e3, 1e3},
      {FunctionId::Tan, -1e3, 1e3},      {FunctionId::Sec, -1e3, 1e3},
      {FunctionId::Tanh, -30, 30},       {FunctionId::Cosh, -30, 30},
  };
  for (const Row& row : rows) {
    for (int k = 0; k <= 40; ++k) {
      const double x = row.lo + (row.hi - row.lo) * k / 40;
      SCOPED_TRACE(::testing::Message() << "function " << static_cast<int>(row.id) << " at " << x);
      EXPECT_EQ(Value(row.id, {x, 0}).im, 0);
    }
  }
}

TEST_F(ElementaryValuesTest, SideOfEachBranchCut) {
  // The value on the cut is the limit from the given side and not from the
  // other one.
  struct Row {
    const char* name;
    FunctionId id;
    Complex onCut;
    Complex side;
  };
  const Complex up{0, 1};
  const Complex down{0, -1};
  const Complex right{1, 0};
  const Complex left{-1, 0};
  const Row rows[] = {
      {"arcsin beyond 1, from below", FunctionId::ArcSin, {2, 0}, down},
      {"arcsin beyond -1, from above", FunctionId::ArcSin, {-2, 0}, up},
      {"arccos beyond 1, from below", FunctionId::ArcCos, {3, 0}, down},
      {"arccos beyond -1, from above", FunctionId::ArcCos, {-3, 0}, up},
      {"arctan above i, from the right", FunctionId::ArcTan, {0, 2}, right},
      {"arctan below -i, from the left", FunctionId::ArcTan, {0, -2}, left},
      {"arctan above i, also for -0", FunctionId::ArcTan, {-0.0, 2}, right},
      {"arccot above i, from the right", FunctionId::ArcCot, {0, 2}, right},
      {"arccot below -i, from the left", FunctionId::ArcCot, {0, -3}, left},
      {"arccsc in (0, 1), from above", FunctionId::ArcCsc, {0.5, 0}, up},
      {"arccsc in (-1, 0), from below", FunctionId::ArcCsc, {-0.5, 0}, down},
      {"arcsec in (0, 1), from above", FunctionId::ArcSec, {0.25, 0}, up},
      {"arcsec in (-1, 0), from below", FunctionId::ArcSec, {-0.25, 0}, down},
      {"arch below -1, from above", FunctionId::ArCosh, {-2, 0}, up},
      {"arch in (-1, 1), from above", FunctionId::ArCosh, {-0.5, 0}, up},
      {"arsh above i, from the right", FunctionId::ArSinh, {0, 2}, right},
      {"arsh below -i, from the left", FunctionId::ArSinh, {0, -2}, left},
      {"arth beyond 1, from below", FunctionId::ArTanh, {2, 0}, down},
      {"arth beyond -1, from above", FunctionId::ArTanh, {-2, 0}, up},
      {"arcth in (0, 1), from below", FunctionId::ArCoth, {0.5, 0}, down},
      {"arcth in (-1, 0), from below", FunctionId::ArCoth, {-0.5, 0}, down},
      {"arcsch in (0, i), from the left", FunctionId::ArCsch, {0, 0.5}, left},
      {"arcsch in (-i, 0), from the right", FunctionId::ArCsch, {0, -0.5}, right},
      {"ln of a negative real, from above", FunctionId::Ln, {-3, 0}, up},
      {"lg of a negative real, from above", FunctionId::Lg, {-3, -0.0}, up},
      {"sqrt of a negative real, from above", FunctionId::Sqrt, {-3, -0.0}, up},
  };
  constexpr double kStep = 1e-9;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Complex value = Value(row.id, row.onCut);
    const Complex near =
        Value(row.id, {row.onCut.re + kStep * row.side.re, row.onCut.im + kStep * row.side.im});
    const Complex far =
        Value(row.id, {row.onCut.re - kStep * row.side.re, row.onCut.im - kStep * row.side.im});
    EXPECT_LT(std::hypot(value.re - near.re, value.im - near.im), 1e-6);
    EXPECT_GT(std::hypot(value.re - far.re, value.im - far.im), 0.5);
  }
}

TEST_F(ElementaryValuesTest, ArSechOnTheNegativeAxisInvertsTheSecant) {
  // Either side of the cut is a valid choice there; the value must be one.
  for (const double x : {-0.25, -0.5, -0.9, -1.0, -2.0, -10.0}) {
    SCOPED_TRACE(x);
    const Complex v = Value(FunctionId::ArSech, {x, 0});
    const std::complex<double> sech = 1.0 / std::cosh(std::complex<double>(v.re, v.im));
    EXPECT_NEAR(sech.real(), x, 1e-14 * std::fabs(x));
    EXPECT_NEAR(sech.imag(), 0, 1e-14);
  }
}

TEST(ScaledRoutinesTest, FiniteWhereTheProductIsRepresentable) {
  struct Row {
    const char* name;
    double (*routine)(double, double);
    double arg;
    double scale;
    double expected;
    double relative;  // 0: exact
  };
  const Row rows[] = {
      {"sinh 720 alone overflows", ScaledSinh, 720, 1e-10,
       0.5e-10 * std::exp(360.0) * std::exp(360.0), 1e-15},
      {"cosh -720 alone overflows", ScaledCosh, -720, -1e-10,
       -0.5e-10 * std::exp(360.0) * std::exp(360.0), 1e-15},
      {"exp 750 alone overflows", ScaledExp, 750, 1e-100,
       1e-100 * std::exp(375.0) * std::exp(375.0), 1e-15},
      {"a zero scale gives zero", ScaledSinh, 1e5, 0, 0, 0},
      {"a zero scale gives zero for cosh", ScaledCosh, -1e5, 0, 0, 0},
      {"a zero scale gives zero for exp", ScaledExp, 1e300, 0, 0, 0},
      {"far below the range", ScaledExp, -1e5, 3, 0, 0},
      {"beyond any double", ScaledCosh, 1e5, 1e-300, std::numeric_limits<double>::infinity(), 0},
      {"sinh 0", ScaledSinh, 0, 5, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const double got = row.routine(row.arg, row.scale);
    if (row.relative == 0)
      EXPECT_EQ(got, row.expected);
    else
      EXPECT_NEAR(got, row.expected, row.relative * std::fabs(row.expected));
  }
}

TEST(Log1pTest, SeriesAndLogarithm) {
  // log1p of the C library as the reference on both sides of the 0.1 switch.
  for (const double v :
       {0.0, 1e-300, -1e-17, 1e-9, -3e-5, 0.0999, -0.0999, 0.1, -0.1, 0.5, -0.75, 3.0, 1e10}) {
    SCOPED_TRACE(v);
    EXPECT_NEAR(Log1p(v), std::log1p(v), 1.2e-16 * std::fabs(std::log1p(v)));
  }
}

}  // namespace
}  // namespace vora
