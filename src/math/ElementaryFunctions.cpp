// SPDX-License-Identifier: MIT
#include "math/ElementaryFunctions.h"

#include <cassert>
#include <cmath>
#include <iterator>
#include <limits>

#include "math/Libm.h"
#include "math/Routines.h"

namespace vora {

namespace {

enum class Units { None, In, Out };

// The points a function rejects before computing. Denominator: the reciprocal
// functions test their denominator after computing it; Own: Factorial's and
// Power's own rules.
enum class Singular { None, Zero, PlusMinusI, PlusMinusOne, Denominator, Own };

enum class Kind { Plain, Reciprocal, Factorial, Power };

struct FunctionEntry {
  FunctionId id;
  OperationCode code;
  Units units;
  Singular singular;
  Kind kind;
  // The routine; for the reciprocal functions, the denominator.
  Complex (*routine)(Complex);
  // The reciprocal computed from the unrounded denominator.
  Complex (*reciprocalValue)(Complex);
};

using C = OperationCode;
using F = FunctionId;
using U = Units;
using S = Singular;
using K = Kind;

constexpr FunctionEntry kFunctions[] = {
    {F::Sin, C::Sine, U::In, S::None, K::Plain, Sin, nullptr},
    {F::Cos, C::Cosine, U::In, S::None, K::Plain, Cos, nullptr},
    {F::Tan, C::Tangent, U::In, S::None, K::Plain, Tan, nullptr},
    {F::Cot, C::Cotangent, U::In, S::Zero, K::Plain, Cot, nullptr},
    {F::Sec, C::Secant, U::In, S::Denominator, K::Reciprocal, Cos, SecantValue},
    {F::Csc, C::Cosecant, U::In, S::Denominator, K::Reciprocal, Sin, CosecantValue},
    {F::ArcSin, C::Arcsine, U::Out, S::None, K::Plain, ArcSin, nullptr},
    {F::ArcCos, C::Arccosine, U::Out, S::None, K::Plain, ArcCos, nullptr},
    {F::ArcTan, C::Arctangent, U::Out, S::PlusMinusI, K::Plain, ArcTan, nullptr},
    {F::ArcCot, C::Arccotangent, U::Out, S::PlusMinusI, K::Plain, ArcCot, nullptr},
    {F::ArcSec, C::Arcsecant, U::Out, S::Zero, K::Plain, ArcSec, nullptr},
    {F::ArcCsc, C::Arccosecant, U::Out, S::Zero, K::Plain, ArcCsc, nullptr},
    {F::Cosh, C::HyperbolicCosine, U::None, S::None, K::Plain, Cosh, nullptr},
    {F::Sinh, C::HyperbolicSine, U::None, S::None, K::Plain, Sinh, nullptr},
    {F::Tanh, C::HyperbolicTangent, U::None, S::None, K::Plain, Tanh, nullptr},
    {F::Coth, C::HyperbolicCotangent, U::None, S::Zero, K::Plain, Coth, nullptr},
    {F::Sech, C::HyperbolicSecant, U::None, S::Denominator, K::Reciprocal, Cosh,
     HyperbolicSecantValue},
    {F::Csch, C::HyperbolicCosecant, U::None, S::Denominator, K::Reciprocal, Sinh,
     HyperbolicCosecantValue},
    {F::ArCosh, C::ArhyperbolicCosine, U::None, S::None, K::Plain, ArCosh, nullptr},
    {F::ArSinh, C::ArhyperbolicSine, U::None, S::None, K::Plain, ArSinh, nullptr},
    {F::ArTanh, C::ArhyperbolicTangent, U::None, S::PlusMinusOne, K::Plain, ArTanh, nullptr},
    {F::ArCoth, C::ArhyperbolicCotangent, U::None, S::PlusMinusOne, K::Plain, ArCoth, nullptr},
    {F::ArSech, C::ArhyperbolicSecant, U::None, S::Zero, K::Plain, ArSech, nullptr},
    {F::ArCsch, C::ArhyperbolicCosecant, U::None, S::Zero, K::Plain, ArCsch, nullptr},
    {F::Ln, C::NaturalLogarithm, U::None, S::Zero, K::Plain, Log, nullptr},
    {F::Lg, C::DecimalLogarithm, U::None, S::Zero, K::Plain, Log10, nullptr},
    {F::Pow, C::Power, U::None, S::Own, K::Power, nullptr, nullptr},
    {F::Exp, C::Exponent, U::None, S::None, K::Plain, Exp, nullptr},
    {F::Factorial, C::Factorial, U::None, S::Own, K::Factorial, nullptr, nullptr},
    {F::Sqrt, C::SquareRoot, U::None, S::None, K::Plain, Sqrt, nullptr},
};

constexpr bool TableFollowsIds() {
  for (std::size_t i = 0; i < std::size(kFunctions); ++i)
    if (static_cast<std::size_t>(kFunctions[i].id) != i) return false;
  return std::size(kFunctions) == static_cast<std::size_t>(FunctionId::Sqrt) + 1;
}
static_assert(TableFollowsIds(), "the table lists every function once, in FunctionId order");

const FunctionEntry& EntryOf(FunctionId id) {
  return kFunctions[static_cast<int>(id)];
}

bool IsSingular(Singular singular, Complex z) {
  switch (singular) {
    case Singular::Zero:
      return IsZero(z);
    case Singular::PlusMinusI:
      return z.re == 0 && (z.im == 1 || z.im == -1);
    case Singular::PlusMinusOne:
      return z.im == 0 && (z.re == 1 || z.re == -1);
    case Singular::None:
    case Singular::Denominator:
    case Singular::Own:
      return false;
  }
  return false;
}

bool ReportNonFinite(const Complex& result) {
  const EvaluationState& state = EvaluationState::Get();
  if (state.evaluationOk && !IsFinite(result))
    return ReportMathError(MathErrorKind::Overflow, 0.0, 0.0);
  return state.evaluationOk;
}

// 1 / f(z) for secant, cosecant and their hyperbolic kin. An overflowing
// denominator means a result too small to show: a warning and 0.
bool EvaluateReciprocal(const FunctionEntry& entry, Complex z, Complex& result) {
  EvaluationState& state = EvaluationState::Get();
  // Only an overflow recorded while the denominator is computed counts; an
  // Overflow kind left in the state by an earlier report must not.
  const MathErrorKind before = state.lastErrorKind;
  state.lastErrorKind = MathErrorKind::NoError;
  state.suppressOverflowReport = true;
  const Complex w = entry.routine(z);
  state.suppressOverflowReport = false;
  const bool overflowed = state.lastErrorKind == MathErrorKind::Overflow;
  if (state.lastErrorKind == MathErrorKind::NoError) state.lastErrorKind = before;

  if (overflowed || (state.evaluationOk && !IsFinite(w))) {
    result = {0.0, 0.0};
    return ReportMathError(MathErrorKind::Underflow, 0.0, 0.0);
  }
  if (!state.evaluationOk) return false;
  if (IsZero(w)) return ReportMathError(MathErrorKind::Singularity, z);
  if (!Divide({1.0, 0.0}, w, result)) return false;
  // The checks are those of the division; the digits come from the unrounded
  // denominator, which the rounding of w would otherwise cost.
  if (!IsZero(result)) {
    const Complex refined = entry.reciprocalValue(z);
    if (IsFinite(refined)) result = refined;
  }
  return state.evaluationOk;
}

// The multiplication first, then the division, both checked: the rounding
// of the product (30·pi in degrees) is part of the result, and an overflow
// or underflow is reported under the function's code.
bool ConvertUnits(Complex z, bool toRadians, Complex& result) {
  const int units = EvaluationState::Get().trigUnits;
  if (units != 1 && units != 2) {
    result = z;
    return EvaluationState::Get().evaluationOk;
  }
  const Complex circle{units == 1 ? 180.0 : 200.0, 0.0};
  const Complex pi{kPi, 0.0};
  Complex product;
  if (!Multiply(z, toRadians ? pi : circle, product)) return false;
  return Divide(product, toRadians ? circle : pi, result);
}

}  // namespace

OperationCode FunctionCode(FunctionId id) {
  return EntryOf(id).code;
}

bool ToRadians(Complex z, Complex& result) {
  return ConvertUnits(z, true, result);
}

bool FromRadians(Complex z, Complex& result) {
  return ConvertUnits(z, false, result);
}

bool Factorial(Complex z, Complex& result) {
  const double x = z.re;
  if (z.im != 0 || x < 0 || LibmCall(::floor, x) != x) {
    result = {std::numeric_limits<double>::quiet_NaN(), 0.0};
    return ReportMathError(MathErrorKind::NotDefined, z);
  }
  if (x > 170) {
    const double inf = std::numeric_limits<double>::infinity();
    result = {inf, 0.0};
    return ReportMathError(MathErrorKind::Overflow, inf, 0.0);
  }
  const int n = static_cast<int>(x);
  long double product = 1;
  for (int k = 2; k <= n; ++k) product *= k;
  result = {static_cast<double>(product), 0.0};
  // 23! is the first factorial a double cannot hold exactly.
  if (n > 22) return ReportMathError(MathErrorKind::PartialLoss, result.re, 0.0);
  return EvaluationState::Get().evaluationOk;
}

bool EvaluateFunction(FunctionId id, const OperandEvaluator& operand, Complex& result) {
  const FunctionEntry& entry = EntryOf(id);
  assert(entry.kind != Kind::Power && "the power node goes through EvaluatePower");
  if (entry.kind == Kind::Power) return false;

  const OperationScope scope(entry.code);
  Complex z;
  if (!operand(z)) return false;
  if (IsSingular(entry.singular, z)) return ReportMathError(MathErrorKind::Singularity, z);
  if (entry.units == Units::In && !ToRadians(z, z)) return false;

  Complex value;
  switch (entry.kind) {
    case Kind::Plain:
      value = entry.routine(z);
      break;
    case Kind::Reciprocal:
      if (!EvaluateReciprocal(entry, z, value)) return false;
      break;
    case Kind::Factorial:
      if (!Factorial(z, value)) {
        result = value;
        return false;
      }
      break;
    case Kind::Power:
      return false;
  }
  if (!ReportNonFinite(value)) return false;
  if (entry.units == Units::Out && !FromRadians(value, value)) return false;
  result = value;
  return EvaluationState::Get().evaluationOk;
}

bool EvaluatePower(const OperandEvaluator& base, const OperandEvaluator& exponent,
                   Complex& result) {
  const OperationScope scope(OperationCode::Power);
  Complex b;
  Complex p;
  if (!base(b) || !exponent(p)) return false;
  const bool positiveRealExponent = p.im == 0 && p.re > 0;
  if (IsZero(b) && !positiveRealExponent) return ReportMathError(MathErrorKind::Singularity, b);
  const Complex value = Pow(b, p);
  if (!ReportNonFinite(value)) return false;
  result = value;
  return EvaluationState::Get().evaluationOk;
}

}  // namespace vora
