// SPDX-License-Identifier: MIT
#pragma once

#include "math/Complex.h"
#include "math/ElementaryFunctions.h"

/// Reference values of the calculator's functions from GNU MPC at 200 bits,
/// with the calculator's own conventions: the side of each branch cut that its
/// routines take, ArcCot and the area functions from their identities (with the
/// principal-value rules of ArCosh and ArCoth), ArSech from its formula. Used
/// by the tests and by the accuracy benchmark.

namespace vora::oracle {

/// A reference value rounded to long double, which resolves errors to about
/// 1/2048 of a double's unit in the last place.
struct WideValue {
  long double re = 0;
  long double im = 0;
};

/// The reference for id at z (exponent is Pow's second operand, ignored
/// otherwise). False where the function is not defined or the value is not
/// finite (singular points, overflow).
bool Reference(FunctionId id, Complex z, Complex exponent, WideValue& value);

/// The errors of the two parts of computed against exact, in units of the
/// last place of a double the size of |exact|.
struct UlpError {
  double re = 0;
  double im = 0;
};
UlpError ErrorInUlps(Complex computed, const WideValue& exact);

}  // namespace vora::oracle
