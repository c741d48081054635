// SPDX-License-Identifier: MIT
#pragma once

#include "math/Complex.h"

/// The raw complex routines behind the function nodes. Each takes the argument
/// in radians and returns the principal value; none reports by itself, except
/// that a domain or range error inside a real routine of the math library is
/// reported through the library hook while the routine runs. Singular points,
/// angle units and the overflow check of the result are the caller's
/// (EvaluateFunction).
///
/// The intermediates are long double; only the returned value is rounded to
/// double. A real argument inside a function's real domain gives a result
/// whose imaginary part is exactly zero.

namespace vora {

/// s·sinh(y), s·cosh(y) and s·e^x, finite whenever the product is
/// representable even where sinh, cosh or exp alone would overflow; a zero s
/// gives a zero product.
double ScaledSinh(double y, double s);
double ScaledCosh(double y, double s);
double ScaledExp(double x, double s);

Complex Sin(Complex z);
Complex Cos(Complex z);
Complex Tan(Complex z);
Complex Cot(Complex z);
Complex Sinh(Complex z);
Complex Cosh(Complex z);
Complex Tanh(Complex z);
Complex Coth(Complex z);

/// Reciprocals of Cos, Sin, Cosh and Sinh computed from the unrounded
/// denominator. For refining a checked division only: no check or report.
Complex SecantValue(Complex z);
Complex CosecantValue(Complex z);
Complex HyperbolicSecantValue(Complex z);
Complex HyperbolicCosecantValue(Complex z);

Complex ArcSin(Complex z);
Complex ArcCos(Complex z);
Complex ArcTan(Complex z);
Complex ArcCot(Complex z);
Complex ArcSec(Complex z);
Complex ArcCsc(Complex z);

/// The area functions. ArCosh has the non-negative real part and ArCoth the
/// imaginary part in (-pi/2, pi/2]: the principal values.
Complex ArCosh(Complex z);
Complex ArSinh(Complex z);
Complex ArTanh(Complex z);
Complex ArCoth(Complex z);
Complex ArSech(Complex z);
Complex ArCsch(Complex z);

/// ln z with arg in (-pi, pi]; a zero imaginary part counts as +0, so the
/// logarithm of a negative real has imaginary part +pi.
Complex Log(Complex z);
Complex Log10(Complex z);
Complex Exp(Complex z);
/// Principal square root (real part >= 0); -4 - 0i gives 2i.
Complex Sqrt(Complex z);
/// base^exponent; integer exponents by repeated squaring, so a real base with
/// an integer exponent gives a real result.
Complex Pow(Complex base, Complex exponent);
/// ln(1 + v), by its series for |v| <= 0.1.
double Log1p(double v);

}  // namespace vora
