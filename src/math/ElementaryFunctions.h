// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "math/Complex.h"
#include "math/MathError.h"

/// The thirty functions of the expression language and the one evaluation
/// piece that every function node of the expression tree calls: it makes the
/// function's code current, evaluates the operand, rejects singular points,
/// converts angle units and reports a non-finite result.

namespace vora {

enum class FunctionId : int {
  Sin,
  Cos,
  Tan,
  Cot,
  Sec,
  Csc,
  ArcSin,
  ArcCos,
  ArcTan,
  ArcCot,
  ArcSec,
  ArcCsc,
  Cosh,
  Sinh,
  Tanh,
  Coth,
  Sech,
  Csch,
  ArCosh,
  ArSinh,
  ArTanh,
  ArCoth,
  ArSech,
  ArCsch,
  Ln,
  Lg,
  Pow,
  Exp,
  Factorial,
  Sqrt,
};

/// Evaluates a child of the node into its argument; returns evaluationOk.
using OperandEvaluator = std::function<bool(Complex&)>;

/// The whole evaluation of a one-operand function node (every id but Pow).
bool EvaluateFunction(FunctionId id, const OperandEvaluator& operand, Complex& result);

/// The whole evaluation of the power node base ^ exponent.
bool EvaluatePower(const OperandEvaluator& base, const OperandEvaluator& exponent, Complex& result);

/// Angle conversion by trigUnits through the checked Multiply and Divide.
bool ToRadians(Complex z, Complex& result);
bool FromRadians(Complex z, Complex& result);

/// The operation code that names the function in log entries.
OperationCode FunctionCode(FunctionId id);

/// n! for a non-negative integer n, in extended precision, with its own
/// reports: not defined elsewhere (result NaN), overflow above 170, partial
/// loss of precision above 22. Returns evaluationOk.
bool Factorial(Complex z, Complex& result);

}  // namespace vora
