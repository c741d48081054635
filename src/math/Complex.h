// SPDX-License-Identifier: MIT
#pragma once

/// The complex value of every calculation, memory cell and printed number, and
/// its arithmetic. The checked operations report through ReportMathError and
/// return the evaluation-OK flag; the primitives (Quotient, Reciprocal,
/// Modulus) never report and leave the checks to their callers.

namespace vora {

/// Two IEEE doubles, real part first. A real number has im == 0; every zero
/// test is an exact comparison with 0.0, so -0.0 counts as zero.
struct Complex {
  double re = 0.0;
  double im = 0.0;
};

inline constexpr double kPi = 3.141592653589793;  // 0x400921FB54442D18
inline constexpr double kE = 2.718281828459045;   // 0x4005BF0A8B145769
inline constexpr Complex kImaginaryUnit{0.0, 1.0};

constexpr bool IsZero(Complex z) {
  return z.re == 0.0 && z.im == 0.0;
}
bool IsFinite(Complex z);

/// Checked operations: the result is written (except by a Divide through
/// zero) and the evaluation-OK flag is returned after the checks.
bool Add(Complex a, Complex b, Complex& result);
bool Subtract(Complex a, Complex b, Complex& result);
bool Multiply(Complex a, Complex b, Complex& result);
bool Divide(Complex a, Complex b, Complex& result);

/// a / b by Smith's method; division by zero gives NaN parts.
Complex Quotient(Complex a, Complex b);
/// x / z by Smith's method.
Complex Reciprocal(double x, Complex z);
/// |z| = result * 2^scale, computed without intermediate overflow or
/// underflow; +infinity when a part is not finite.
double Modulus(Complex z, int& scale);
/// |z| with the scale of Modulus applied.
double Abs(Complex z);

Complex ChangeSign(Complex z);
Complex Conjugate(Complex z);
Complex RealPart(Complex z);
Complex ImaginaryPart(Complex z);
/// atan2 in radians; zero parts count as +0.0, so arg(-1) = +pi and arg(-0) = 0.
Complex Argument(Complex z);
/// (Abs(z), 0); reports Overflow with that value when it is not finite.
bool AbsoluteValue(Complex z, Complex& result);
Complex Sign(Complex z);
Complex Ceil(Complex z);
Complex Floor(Complex z);

}  // namespace vora
