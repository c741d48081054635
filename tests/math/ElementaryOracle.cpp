// SPDX-License-Identifier: MIT
#include "math/ElementaryOracle.h"

#include <mpc.h>
#include <mpfr.h>

#include <cmath>
#include <limits>

namespace vora::oracle {

namespace {

constexpr mpfr_prec_t kBits = 200;
constexpr double kR = 1.3407807929942596e+154;

// One MPC number of kBits, freed with its scope.
class Number {
 public:
  Number() { mpc_init2(value_, kBits); }
  Number(const Number&) = delete;
  Number& operator=(const Number&) = delete;
  ~Number() { mpc_clear(value_); }
  mpc_ptr get() { return value_; }
  mpfr_ptr re() { return mpc_realref(value_); }
  mpfr_ptr im() { return mpc_imagref(value_); }

 private:
  mpc_t value_;
};

void Set(Number& n, Complex z) {
  mpc_set_d_d(n.get(), z.re, z.im, MPC_RNDNN);
}

bool IsRealZero(mpfr_ptr x) {
  return mpfr_zero_p(x) != 0;
}
void SetSignedZero(mpfr_ptr x, bool negative) {
  mpfr_set_zero(x, negative ? -1 : 1);
}

// |x| > 1 for an MPFR number.
bool BeyondOne(mpfr_ptr x) {
  return mpfr_cmpabs_ui(x, 1) > 0;
}

void HalfPiMinus(Number& n) {
  mpfr_t halfPi;
  mpfr_init2(halfPi, kBits);
  mpfr_const_pi(halfPi, MPFR_RNDN);
  mpfr_div_2ui(halfPi, halfPi, 1, MPFR_RNDN);
  mpfr_sub(n.re(), halfPi, n.re(), MPFR_RNDN);
  mpfr_neg(n.im(), n.im(), MPFR_RNDN);
  mpfr_clear(halfPi);
}

// Multiply by i (sign 1) or by -i (sign -1): (x, y) -> (-y, x) or (y, -x).
void TimesI(Number& n, int sign) {
  mpc_mul_i(n.get(), n.get(), sign, MPC_RNDNN);
}

// The real axis beyond ±1: counter-clockwise continuity, so x > 1 is reached
// from below and x < -1 from above.
void ArcSin(Number& n) {
  if (IsRealZero(n.im()) && BeyondOne(n.re())) SetSignedZero(n.im(), mpfr_sgn(n.re()) > 0);
  mpc_asin(n.get(), n.get(), MPC_RNDNN);
}

void ArcCos(Number& n) {
  if (IsRealZero(n.im()) && BeyondOne(n.re())) SetSignedZero(n.im(), mpfr_sgn(n.re()) > 0);
  mpc_acos(n.get(), n.get(), MPC_RNDNN);
}

// The imaginary axis beyond ±i: +pi/2 above i, -pi/2 below -i.
void ArcTan(Number& n) {
  if (IsRealZero(n.re()) && BeyondOne(n.im())) SetSignedZero(n.re(), mpfr_sgn(n.im()) < 0);
  mpc_atan(n.get(), n.get(), MPC_RNDNN);
}

// pi/2 - ArcTan(z), the real part in [0, pi], or with reduced in
// (-pi/2, pi/2] (for the archyperbolic cotangent). Far from the origin, where
// the difference would cancel, as ArcTan(1/z) brought into that range.
void ArcCot(Number& n, bool reduced = false) {
  mpfr_t size;
  mpfr_t pi;
  mpfr_inits2(kBits, size, pi, static_cast<mpfr_ptr>(nullptr));
  mpfr_const_pi(pi, MPFR_RNDN);
  mpc_abs(size, n.get(), MPFR_RNDN);
  if (mpfr_cmp_ui(size, 2) <= 0) {
    // Reduced: pi/2 - v exceeds pi/2 exactly when v < 0, and is then -pi/2 - v
    // (formed so, as pi/2 - v could round to pi/2).
    ArcTan(n);
    mpfr_div_2ui(size, pi, 1, MPFR_RNDN);
    if (reduced && mpfr_sgn(n.re()) < 0) {
      mpfr_neg(size, size, MPFR_RNDN);
      mpfr_sub(n.re(), size, n.re(), MPFR_RNDN);
      mpfr_neg(n.im(), n.im(), MPFR_RNDN);
    } else {
      mpfr_sub(n.re(), size, n.re(), MPFR_RNDN);
      mpfr_neg(n.im(), n.im(), MPFR_RNDN);
    }
  } else {
    const int reSign = mpfr_sgn(n.re());
    const int imSign = mpfr_sgn(n.im());
    mpc_ui_div(n.get(), 1, n.get(), MPC_RNDNN);
    mpc_atan(n.get(), n.get(), MPC_RNDNN);
    if (reSign < 0 && !reduced)
      mpfr_add(n.re(), n.re(), pi, MPFR_RNDN);
    else if (reSign == 0 && imSign < 0 && !reduced)
      mpfr_set(n.re(), pi, MPFR_RNDN);
    else if (reSign == 0)
      mpfr_set_zero(n.re(), 1);
  }
  mpfr_clears(size, pi, static_cast<mpfr_ptr>(nullptr));
}

bool ArcCsc(Number& n) {
  if (mpc_cmp_si_si(n.get(), 0, 0) == 0) return false;
  mpc_ui_div(n.get(), 1, n.get(), MPC_RNDNN);
  // A real argument stays real: no signed zero from the division.
  if (IsRealZero(n.im())) mpfr_set_zero(n.im(), 1);
  ArcSin(n);
  return true;
}

// A zero imaginary part counts as +0: the logarithm of a negative real has
// imaginary part +pi, the square root of one is on the positive imaginary axis.
void PlusZero(Number& n) {
  if (IsRealZero(n.im())) mpfr_set_zero(n.im(), 1);
}

void Log(Number& n) {
  PlusZero(n);
  mpc_log(n.get(), n.get(), MPC_RNDNN);
}

void Reciprocal(Number& n) {
  mpc_ui_div(n.get(), 1, n.get(), MPC_RNDNN);
}

// tan(x + iy) = (sin 2x + i·sinh 2y) / (cos 2x + cosh 2y). mpc_tan takes
// seconds once |y| is in the thousands; this form stays fast and loses only
// a few of the 200 bits next to the poles.
void Tan(Number& n) {
  // Far from the real axis the real part is below any double and the
  // imaginary part is ±1 to far more than double precision.
  if (mpfr_cmpabs_ui(n.im(), 2000) > 0) {
    const int sign = mpfr_sgn(n.im());
    mpfr_set_zero(n.re(), 1);
    mpfr_set_si(n.im(), sign, MPFR_RNDN);
    return;
  }
  mpfr_t twoX;
  mpfr_t twoY;
  mpfr_t den;
  mpfr_t t;
  mpfr_inits2(kBits, twoX, twoY, den, t, static_cast<mpfr_ptr>(nullptr));
  mpfr_mul_2ui(twoX, n.re(), 1, MPFR_RNDN);
  mpfr_mul_2ui(twoY, n.im(), 1, MPFR_RNDN);
  mpfr_cos(den, twoX, MPFR_RNDN);
  mpfr_cosh(t, twoY, MPFR_RNDN);
  mpfr_add(den, den, t, MPFR_RNDN);
  mpfr_sin(t, twoX, MPFR_RNDN);
  mpfr_div(n.re(), t, den, MPFR_RNDN);
  mpfr_sinh(t, twoY, MPFR_RNDN);
  mpfr_div(n.im(), t, den, MPFR_RNDN);
  mpfr_clears(twoX, twoY, den, t, static_cast<mpfr_ptr>(nullptr));
}

// tanh z = -i·tan(i·z).
void Tanh(Number& n) {
  TimesI(n, 1);
  Tan(n);
  TimesI(n, -1);
}

bool Compute(FunctionId id, Complex z, Complex exponent, Number& n) {
  Set(n, z);
  switch (id) {
    case FunctionId::Sin:
      mpc_sin(n.get(), n.get(), MPC_RNDNN);
      return true;
    case FunctionId::Cos:
      mpc_cos(n.get(), n.get(), MPC_RNDNN);
      return true;
    case FunctionId::Tan:
      Tan(n);
      return true;
    case FunctionId::Cot:
      Tan(n);
      Reciprocal(n);
      return true;
    case FunctionId::Sec:
      mpc_cos(n.get(), n.get(), MPC_RNDNN);
      Reciprocal(n);
      return true;
    case FunctionId::Csc:
      mpc_sin(n.get(), n.get(), MPC_RNDNN);
      Reciprocal(n);
      return true;
    case FunctionId::ArcSin:
      ArcSin(n);
      return true;
    case FunctionId::ArcCos:
      ArcCos(n);
      return true;
    case FunctionId::ArcTan:
      ArcTan(n);
      return true;
    case FunctionId::ArcCot:
      ArcCot(n);
      return true;
    case FunctionId::ArcSec:
      if (!ArcCsc(n)) return false;
      HalfPiMinus(n);
      return true;
    case FunctionId::ArcCsc:
      return ArcCsc(n);
    case FunctionId::Cosh:
      mpc_cosh(n.get(), n.get(), MPC_RNDNN);
      return true;
    case FunctionId::Sinh:
      mpc_sinh(n.get(), n.get(), MPC_RNDNN);
      return true;
    case FunctionId::Tanh:
      Tanh(n);
      return true;
    case FunctionId::Coth:
      Tanh(n);
      Reciprocal(n);
      return true;
    case FunctionId::Sech:
      mpc_cosh(n.get(), n.get(), MPC_RNDNN);
      Reciprocal(n);
      return true;
    case FunctionId::Csch:
      mpc_sinh(n.get(), n.get(), MPC_RNDNN);
      Reciprocal(n);
      return true;
    case FunctionId::ArCosh: {
      // The one of ±i·ArcCos(z) whose real part is not negative.
      ArcCos(n);
      TimesI(n, 1);
      if (mpfr_sgn(n.re()) < 0) mpc_neg(n.get(), n.get(), MPC_RNDNN);
      return true;
    }
    case FunctionId::ArSinh:
      TimesI(n, 1);
      ArcSin(n);
      TimesI(n, -1);
      return true;
    case FunctionId::ArTanh:
      TimesI(n, 1);
      ArcTan(n);
      TimesI(n, -1);
      return true;
    case FunctionId::ArCoth:
      // i·ArcCot(i·z) with the imaginary part in (-pi/2, pi/2].
      TimesI(n, 1);
      ArcCot(n, true);
      TimesI(n, 1);
      return true;
    case FunctionId::ArSech: {
      if (IsZero(z)) return false;
      // ln(1 + w) - ln z, with w = sqrt(1 + z)·sqrt(1 - z) off the unit strip
      // and sqrt(1 - z²) on it; the square roots, like the calculator's, take
      // a zero imaginary part as +0.
      Number w;
      Number t;
      if (std::fabs(z.re) > 1 || std::fabs(z.im) > kR) {
        mpc_add_ui(w.get(), n.get(), 1, MPC_RNDNN);
        PlusZero(w);
        mpc_sqrt(w.get(), w.get(), MPC_RNDNN);
        mpc_ui_sub(t.get(), 1, n.get(), MPC_RNDNN);
        PlusZero(t);
        mpc_sqrt(t.get(), t.get(), MPC_RNDNN);
        mpc_mul(w.get(), w.get(), t.get(), MPC_RNDNN);
      } else {
        mpc_sqr(w.get(), n.get(), MPC_RNDNN);
        mpc_ui_sub(w.get(), 1, w.get(), MPC_RNDNN);
        PlusZero(w);
        mpc_sqrt(w.get(), w.get(), MPC_RNDNN);
      }
      mpc_add_ui(w.get(), w.get(), 1, MPC_RNDNN);
      Log(w);
      Log(n);
      mpc_sub(n.get(), w.get(), n.get(), MPC_RNDNN);
      return true;
    }
    case FunctionId::ArCsch:
      TimesI(n, 1);
      if (!ArcCsc(n)) return false;
      TimesI(n, 1);
      return true;
    case FunctionId::Ln:
      if (IsZero(z)) return false;
      Log(n);
      return true;
    case FunctionId::Lg:
      if (IsZero(z)) return false;
      PlusZero(n);
      mpc_log10(n.get(), n.get(), MPC_RNDNN);
      return true;
    case FunctionId::Pow: {
      if (IsZero(z)) {
        if (exponent.im != 0 || exponent.re <= 0) return false;
        mpc_set_ui(n.get(), 0, MPC_RNDNN);
        return true;
      }
      PlusZero(n);
      Number p;
      Set(p, exponent);
      mpc_pow(n.get(), n.get(), p.get(), MPC_RNDNN);
      return true;
    }
    case FunctionId::Exp:
      mpc_exp(n.get(), n.get(), MPC_RNDNN);
      return true;
    case FunctionId::Factorial: {
      if (z.im != 0 || z.re < 0 || std::floor(z.re) != z.re || z.re > 170) return false;
      mpfr_fac_ui(n.re(), static_cast<unsigned long>(z.re), MPFR_RNDN);
      mpfr_set_zero(n.im(), 1);
      return true;
    }
    case FunctionId::Sqrt:
      PlusZero(n);
      mpc_sqrt(n.get(), n.get(), MPC_RNDNN);
      return true;
  }
  return false;
}

long double UlpOf(long double magnitude) {
  constexpr long double kSmallest = 0x1p-1074L;
  if (magnitude < 0x1p-1022L) return kSmallest;
  return std::ldexp(1.0L, std::ilogb(magnitude) - 52);
}

}  // namespace

bool Reference(FunctionId id, Complex z, Complex exponent, WideValue& value) {
  Number n;
  if (!Compute(id, z, exponent, n)) return false;
  value.re = mpfr_get_ld(n.re(), MPFR_RNDN);
  value.im = mpfr_get_ld(n.im(), MPFR_RNDN);
  // Beyond the double range the calculator reports an overflow instead.
  constexpr long double kMax = std::numeric_limits<double>::max();
  return std::isfinite(value.re) && std::isfinite(value.im) && std::fabs(value.re) <= kMax &&
         std::fabs(value.im) <= kMax;
}

UlpError ErrorInUlps(Complex computed, const WideValue& exact) {
  const long double ulp = UlpOf(std::hypot(exact.re, exact.im));
  const auto error = [ulp](double got, long double want) {
    if (std::isnan(got)) return std::numeric_limits<double>::infinity();
    return static_cast<double>(std::fabs(static_cast<long double>(got) - want) / ulp);
  };
  return {error(computed.re, exact.re), error(computed.im, exact.im)};
}

}  // namespace vora::oracle
