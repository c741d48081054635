// SPDX-License-Identifier: MIT
#include "math/Complex.h"

#include <cmath>

#include "math/MathError.h"

namespace vora {

bool IsFinite(Complex z) {
  return std::isfinite(z.re) && std::isfinite(z.im);
}

namespace {

// The overflow check shared by all four operations; the value shown is 0.
bool CheckFinite(Complex result) {
  if (!IsFinite(result)) return ReportMathError(MathErrorKind::Overflow, 0.0, 0.0);
  return EvaluationState::Get().evaluationOk;
}

}  // namespace

bool Add(Complex a, Complex b, Complex& result) {
  result = {a.re + b.re, a.im + b.im};
  return CheckFinite(result);
}

bool Subtract(Complex a, Complex b, Complex& result) {
  result = {a.re - b.re, a.im - b.im};
  return CheckFinite(result);
}

bool Multiply(Complex a, Complex b, Complex& result) {
  result = {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
  if (!IsFinite(result)) return ReportMathError(MathErrorKind::Overflow, 0.0, 0.0);
  if (IsZero(result) && !IsZero(a) && !IsZero(b))
    return ReportMathError(MathErrorKind::Underflow, 0.0, 0.0);
  return EvaluationState::Get().evaluationOk;
}

bool Divide(Complex a, Complex b, Complex& result) {
  if (IsZero(b)) return ReportMathError(MathErrorKind::Singularity, b);
  result = Quotient(a, b);
  if (!IsFinite(result)) return ReportMathError(MathErrorKind::Overflow, 0.0, 0.0);
  if (IsZero(result) && !IsZero(a)) return ReportMathError(MathErrorKind::Underflow, 0.0, 0.0);
  return EvaluationState::Get().evaluationOk;
}

Complex Quotient(Complex a, Complex b) {
  const double c = b.re;
  const double d = b.im;
  if (std::fabs(c) < std::fabs(d)) {
    const double r = c / d;
    const double den = c * r + d;
    return {(a.re * r + a.im) / den, (a.im * r - a.re) / den};
  }
  const double r = d / c;
  const double den = c + d * r;
  return {(a.im * r + a.re) / den, (a.im - a.re * r) / den};
}

Complex Reciprocal(double x, Complex z) {
  const double c = z.re;
  const double d = z.im;
  if (std::fabs(c) < std::fabs(d)) {
    const double r = c / d;
    const double den = d + c * r;
    return {x * r / den, -(x / den)};
  }
  const double r = d / c;
  const double den = c + d * r;
  return {x / den, -(x * r / den)};
}

double Modulus(Complex z, int& scale) {
  scale = 0;
  if (!IsFinite(z)) return HUGE_VAL;
  double a = std::fabs(z.re);
  double b = std::fabs(z.im);
  if (a < b) std::swap(a, b);
  if (a == 0.0) return 0.0;
  // Scaling by a power of two keeps q*q + 1 and the sums below in range.
  if (a >= 1.0) {
    scale = 2;
    a *= 0.25;
    b *= 0.25;
  } else {
    scale = -2;
    a *= 4.0;
    b *= 4.0;
  }
  const double t = a - b;
  if (t == a) return a;
  if (b < t) {
    const double q = a / b;
    return a + b / (std::sqrt(q * q + 1.0) + q);
  }
  // a and b are close: 1 + sqrt(2) is carried in two parts for extra precision.
  const double q = t / b;
  const double r = (q + 2.0) * q;
  const double s =
      r / (1.4142135623730951 + std::sqrt(r + 2.0)) + 1.434125237597392e-7 + q + 2.4142134189605713;
  return a + b / s;
}

double Abs(Complex z) {
  int scale = 0;
  const double m = Modulus(z, scale);
  return scale == 0 ? m : std::ldexp(m, scale);
}

Complex ChangeSign(Complex z) {
  return {-z.re, -z.im};
}
Complex Conjugate(Complex z) {
  return {z.re, -z.im};
}
Complex RealPart(Complex z) {
  return {z.re, 0.0};
}
Complex ImaginaryPart(Complex z) {
  return {z.im, 0.0};
}

Complex Argument(Complex z) {
  // A negative real has argument +pi, never -pi; and since -0.0 counts as zero
  // everywhere, a zero of either sign has argument 0, not atan2's pi.
  const double im = z.im == 0.0 ? 0.0 : z.im;
  const double re = z.re == 0.0 ? 0.0 : z.re;
  return {std::atan2(im, re), 0.0};
}

bool AbsoluteValue(Complex z, Complex& result) {
  result = {Abs(z), 0.0};
  if (!std::isfinite(result.re)) return ReportMathError(MathErrorKind::Overflow, result);
  return EvaluationState::Get().evaluationOk;
}

namespace {
double SignOf(double x) {
  if (x < 0.0) return -1.0;
  if (x > 0.0) return 1.0;
  return 0.0;
}
}  // namespace

Complex Sign(Complex z) {
  return {SignOf(z.re), SignOf(z.im)};
}
Complex Ceil(Complex z) {
  return {std::ceil(z.re), std::ceil(z.im)};
}
Complex Floor(Complex z) {
  return {std::floor(z.re), std::floor(z.im)};
}

}  // namespace vora
