// SPDX-License-Identifier: MIT
#include "math/Routines.h"

#include <cmath>
#include <limits>

#include "math/Libm.h"

// Everything below runs in long double (64-bit significand on x86-64) and is
// rounded to double once, at the end. The formulas below subtract nearly
// equal terms in places (pi minus an angle near pi, 1 - x² near the branch
// points, ln P - ln Q next to ±i), and the eleven extra bits absorb that loss.
// The wider exponent range also keeps the Kahan forms from overflowing in
// intermediates whose final value is representable. Branches and their
// thresholds stay those of double.

namespace vora {

namespace {

using LD = long double;

struct Wide {
  LD re;
  LD im;
};

constexpr LD kPiL = 3.14159265358979323846264338327950288L;
constexpr LD kHalfPiL = kPiL / 2;
constexpr LD kLog10E = 0.43429448190325182765112891891660508L;
// ln 2 split into a short high part, exact when multiplied by a small integer,
// and the rest.
constexpr LD kLn2High = 0.693145751953125L;
constexpr LD kLn2Low = 1.42860682030941723212138194e-6L;
constexpr LD kSqrtHalf = 0.70710678118654752440084436210484904L;
constexpr LD kInf = std::numeric_limits<LD>::infinity();

// ln(sqrt(DBL_MAX)), ln(DBL_MAX), sqrt of the smallest subnormal, sqrt(DBL_MAX).
constexpr double kLh = 354.891356446692;
constexpr double kLm = 709.782712893384;
constexpr double kSm = 2.2227587494850775e-162;
constexpr double kR = 1.3407807929942596e+154;
constexpr int kSeriesLength = 16;
constexpr double kSqrt3Eps = 2.5809568279517847e-8;
constexpr double kSqrt15Eps = 1.8250120749944284e-8;
constexpr double kSqrtEps = 1.4901161193847656e-8;
constexpr double kTenEps = 2.220446049250313e-15;
constexpr double kTwo53 = 9007199254740992.0;
// Beyond this |argument| sinh, cosh and exp leave the long double range; the
// scaled products are then decided without calling them.
constexpr LD kWideExpLimit = 11000;

LD Sinl(LD x) {
  return LibmCall(::sinl, x);
}
LD Cosl(LD x) {
  return LibmCall(::cosl, x);
}
LD Tanl(LD x) {
  return LibmCall(::tanl, x);
}
LD Sinhl(LD x) {
  return LibmCall(::sinhl, x);
}
LD Coshl(LD x) {
  return LibmCall(::coshl, x);
}
LD Expl(LD x) {
  return LibmCall(::expl, x);
}
LD Logl(LD x) {
  return LibmCall(::logl, x);
}
LD Log1pl(LD x) {
  return LibmCall(::log1pl, x);
}
LD Sqrtl(LD x) {
  return LibmCall(::sqrtl, x);
}
LD Atan2l(LD y, LD x) {
  return LibmCall(::atan2l, y, x);
}
LD Powl(LD x, LD y) {
  return LibmCall(::powl, x, y);
}

Wide ToWide(Complex z) {
  return {z.re, z.im};
}
Complex ToDouble(Wide w) {
  return {static_cast<double>(w.re), static_cast<double>(w.im)};
}

Wide operator+(Wide a, Wide b) {
  return {a.re + b.re, a.im + b.im};
}
Wide operator-(Wide a, Wide b) {
  return {a.re - b.re, a.im - b.im};
}
Wide operator-(Wide a) {
  return {-a.re, -a.im};
}
Wide operator*(Wide a, Wide b) {
  return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
Wide Scale(Wide a, LD k) {
  return {a.re * k, a.im * k};
}
Wide TimesI(Wide a) {
  return {-a.im, a.re};
}
Wide TimesMinusI(Wide a) {
  return {a.im, -a.re};
}
Wide Conj(Wide a) {
  return {a.re, -a.im};
}
Wide AddReal(Wide a, LD x) {
  return {a.re + x, a.im};
}
bool IsWideZero(Wide a) {
  return a.re == 0 && a.im == 0;
}

// Smith's division, as for doubles.
Wide Quotient(Wide a, Wide b) {
  if (std::fabs(b.re) < std::fabs(b.im)) {
    const LD r = b.re / b.im;
    const LD den = b.re * r + b.im;
    return {(a.re * r + a.im) / den, (a.im * r - a.re) / den};
  }
  const LD r = b.im / b.re;
  const LD den = b.re + b.im * r;
  return {(a.im * r + a.re) / den, (a.im - a.re * r) / den};
}
Wide Reciprocal(Wide z) {
  return Quotient({1, 0}, z);
}

// |z| as max·sqrt(1 + r²) with r = min/max <= 1: nothing overflows.
LD WideAbs(Wide z) {
  const LD a = std::fabs(z.re);
  const LD b = std::fabs(z.im);
  if (std::isinf(a) || std::isinf(b)) return kInf;
  const LD big = a >= b ? a : b;
  const LD small = a >= b ? b : a;
  if (big == 0) return 0;
  const LD r = small / big;
  return big * Sqrtl(1 + r * r);
}

// ln|z| = ln f + k·ln 2 + ½·ln(1 + r²) with max(|x|, |y|) = f·2^k and f in
// [√½, √2): exact scaling, no cancellation of ln f against k·ln 2 near |z| = 1.
LD LogAbs(Wide z) {
  const LD a = std::fabs(z.re);
  const LD b = std::fabs(z.im);
  if (std::isinf(a) || std::isinf(b)) return kInf;
  const LD big = a >= b ? a : b;
  const LD small = a >= b ? b : a;
  if (big == 0) return -kInf;
  int k = 0;
  LD f = std::frexp(big, &k);
  if (f < kSqrtHalf) {
    f *= 2;
    --k;
  }
  const LD r = small / big;
  LD result = Logl(f) + k * kLn2Low + k * kLn2High;
  if (r != 0) result += Log1pl(r * r) / 2;
  return result;
}

// atan2 with a zero imaginary part taken as +0.
LD Arg(Wide z) {
  if (IsWideZero(z)) return 0;
  return Atan2l(z.im == 0 ? LD{0} : z.im, z.re);
}

Wide WideLog(Wide z) {
  return {LogAbs(z), Arg(z)};
}

Wide WideSqrt(Wide z) {
  if (IsWideZero(z)) return {0, 0};
  if (!std::isfinite(z.re) || !std::isfinite(z.im)) return {kInf, kInf};
  const LD m = WideAbs(z);
  const LD rho = Sqrtl((std::fabs(z.re) + m) / 2);
  if (z.re >= 0) return {rho, z.im / (2 * rho)};
  if (z.im < 0) return {-z.im / (2 * rho), -rho};
  return {z.im / (2 * rho), rho};
}

LD WideScaledSinh(LD y, LD s) {
  if (s == 0 || y == 0) return s * std::copysign(LD{0}, y);
  if (std::fabs(y) > kWideExpLimit) return s * std::copysign(kInf, y);
  return s * Sinhl(y);
}

LD WideScaledCosh(LD y, LD s) {
  if (s == 0) return s;
  if (std::fabs(y) > kWideExpLimit) return s * kInf;
  return s * Coshl(y);
}

LD WideScaledExp(LD x, LD s) {
  if (s == 0) return s;
  if (x > kWideExpLimit) return s * kInf;
  if (x < -kWideExpLimit) return s * 0;
  return s * Expl(x);
}

Wide WideExp(Wide z) {
  return {WideScaledExp(z.re, Cosl(z.im)), WideScaledExp(z.re, Sinl(z.im))};
}

Wide WideSin(Wide z) {
  return {WideScaledCosh(z.im, Sinl(z.re)), WideScaledSinh(z.im, Cosl(z.re))};
}
Wide WideCos(Wide z) {
  return {WideScaledCosh(z.im, Cosl(z.re)), -WideScaledSinh(z.im, Sinl(z.re))};
}
Wide WideSinh(Wide z) {
  return {WideScaledSinh(z.re, Cosl(z.im)), WideScaledCosh(z.re, Sinl(z.im))};
}
Wide WideCosh(Wide z) {
  return {WideScaledCosh(z.re, Cosl(z.im)), WideScaledSinh(z.re, Sinl(z.im))};
}

LD SignOne(bool positive) {
  return positive ? 1 : -1;
}

// Kahan's form: tan z from t = tan x and s = sinh y.
Wide WideTan(Wide z) {
  const LD x = z.re;
  const LD y = z.im;
  const LD t = Tanl(x);
  if (std::fabs(y) > kLm) return {0, SignOne(y >= 0)};
  if (std::fabs(y) > kLh) {
    const LD s = Sinhl(y);
    return {t / (t * t + 1) / s / s, SignOne(y >= 0)};
  }
  if (y == 0) return {t, 0};
  const LD s = Sinhl(y);
  const LD beta = t * t + 1;
  const LD d = 1 + beta * s * s;
  return {t / d, Sqrtl(s * s + 1) * beta * s / d};
}

Wide WideCot(Wide z) {
  const LD x = z.re;
  const LD y = z.im;
  const LD t = Tanl(x);
  if (std::fabs(y) > kLm) return {0, SignOne(y < 0)};
  const LD s = Sinhl(-y);
  if (std::fabs(y) > kLh) return {t / (t * t + 1) / s / s, SignOne(y < 0)};
  if (y == 0) return {1 / t, 0};
  if (std::fabs(t) >= kSm) {
    const LD beta = t * t + 1;
    const LD d = t * t + beta * s * s;
    return {t / d, Sqrtl(s * s + 1) * beta * s / d};
  }
  if (std::fabs(s) >= kSm) return {t / s / s, Sqrtl(s * s + 1) / s};
  if (t == 0) return {0, 1 / s};
  const LD d = t + s * (s / t);
  return {1 / d, (t + s / t) / d};
}

Wide WideTanh(Wide z) {
  const LD x = z.re;
  const LD y = z.im;
  const LD t = Tanl(y);
  if (std::fabs(x) > kLm) return {SignOne(x >= 0), 0};
  if (std::fabs(x) > kLh) {
    const LD s = Sinhl(x);
    return {SignOne(x >= 0), t / (t * t + 1) / s / s};
  }
  if (x == 0) return {0, t};
  const LD s = Sinhl(x);
  const LD beta = t * t + 1;
  const LD d = beta * s * s + 1;
  return {Sqrtl(s * s + 1) * beta * s / d, t / d};
}

Wide WideCoth(Wide z) {
  const LD x = z.re;
  const LD y = z.im;
  const LD t = Tanl(y);
  if (std::fabs(x) > kLm) return {SignOne(x >= 0), 0};
  const LD s = Sinhl(x);
  if (std::fabs(x) > kLh) return {SignOne(x >= 0), -(t / (t * t + 1) / s / s)};
  if (x == 0) return {0, -1 / t};
  if (std::fabs(t) >= kSm) {
    const LD beta = t * t + 1;
    const LD d = t * t + beta * s * s;
    return {Sqrtl(s * s + 1) * beta * s / d, -t / d};
  }
  if (std::fabs(s) >= kSm) return {Sqrtl(s * s + 1) / s, -(t / s / s)};
  if (t == 0) return {1 / s, 0};
  const LD d = t + s * (s / t);
  return {(t + s / t) / d, -1 / d};
}

// Maclaurin series of arcsine and arctangent with kSeriesLength terms, by
// Horner's rule in z².
Wide ArcSinSeries(Wide z) {
  const Wide z2 = z * z;
  Wide sum{0, 0};
  for (int h = 2 * kSeriesLength - 1; h >= 1; h -= 2)
    sum = AddReal(Scale(z2 * sum, LD(h) / (h + 1)), LD{1} / h);
  return z * sum;
}

Wide ArcTanSeries(Wide z) {
  const Wide z2 = z * z;
  Wide sum{0, 0};
  for (int h = 2 * kSeriesLength - 1; h >= 1; h -= 2) sum = AddReal(-(z2 * sum), LD{1} / h);
  return z * sum;
}

// An argument of ArcSin or ArcCos with z - 1 and z + 1 beside it. Formed from
// a double z they are exact; ArcCsc passes its rounded reciprocal with the
// two differences formed from the exact z, since next to ±1 the square root
// would magnify the rounding of the reciprocal.
struct Shifted {
  Wide z;
  Wide minusOne;
  Wide plusOne;
};

Shifted ShiftedOf(Wide z) {
  return {z, AddReal(z, -1), AddReal(z, 1)};
}

// ln(1 + u) for small u: ln|1 + u| = ½·ln(1 + 2·re u + |u|²) without forming
// 1 + u, whose rounding would swamp a logarithm close to 0.
Wide LogOnePlus(Wide u) {
  const LD norm = u.re * (2 + u.re) + u.im * u.im;
  const LD im = u.im == 0 ? LD{0} : u.im;
  return {Log1pl(norm) / 2, Atan2l(im, 1 + u.re)};
}

// ln(w + s) with w folded into the right half-plane and s = ±sqrt(w² - 1)
// chosen to point the same way as w, shared by ArcSin and ArcCos.
Wide LogOfFoldedSum(const Shifted& arg) {
  const bool fold = arg.z.re < 0;
  const Wide w = fold ? -arg.z : arg.z;
  const Wide wMinusOne = fold ? -arg.plusOne : arg.minusOne;
  const Wide wPlusOne = fold ? -arg.minusOne : arg.plusOne;
  const LD a = w.re;
  const LD b = w.im;
  // (w - 1)·(w + 1) is (a² - b² - 1) + i·2ab with a² - 1 taken as (a - 1)(a + 1).
  Wide s = (a > 1 || std::fabs(b) > kR) ? WideSqrt(wMinusOne) * WideSqrt(wPlusOne)
                                        : WideSqrt(wMinusOne * wPlusOne);
  bool keep = false;
  if (a == 0 || b == 0) {
    keep = s.im >= 0;
  } else {
    const int signs = (a > 0 ? 1 : -1) * (b > 0 ? 1 : -1);
    keep = signs == (s.im < 0 ? -1 : 1);
  }
  if (!keep) s = -s;
  const Wide u = wMinusOne + s;
  if (WideAbs(u) < 0.5L) return LogOnePlus(u);
  Wide sum = w + s;
  // On the imaginary axis below the origin b + sqrt(b² + 1) cancels; it equals
  // 1 / (sqrt(b² + 1) - b) exactly.
  if (a == 0 && b < 0 && s.im > 0) sum.im = 1 / (s.im - b);
  return WideLog(sum);
}

// On [-1, 1] the exact value is real; a rounding residue would also pick the
// wrong sign in the area functions built on these.
Wide RealOnSegment(Wide z, Wide value) {
  if (z.im == 0 && std::fabs(z.re) <= 1) value.im = 0;
  return value;
}

// An angle as a multiple of pi/2 plus the rest, so that ArcSec's pi/2 minus
// an arcsine close to pi/2 is formed without cancelling.
struct Angle {
  int halfPis;
  Wide rest;
};

Wide ValueOf(Angle a) {
  return {a.halfPis * kHalfPiL + a.rest.re, a.rest.im};
}

Angle ArcSinAngle(const Shifted& arg) {
  const Wide z = arg.z;
  const LD m = WideAbs(z);
  if (m <= 0.1L) {
    if (m < kSqrt3Eps) return {0, z};
    return {0, ArcSinSeries(z)};
  }
  const Wide l = LogOfFoldedSum(arg);
  // r = (pi/2 + im L, -re L); it exceeds pi/2 exactly when im L > 0.
  Angle r{1, {l.im, -l.re}};
  if (l.im > 0) r = {1, {-l.im, l.re}};
  if (ValueOf(r).re <= -kHalfPiL) r = {-3, -r.rest};
  if (z.re < 0) r = {-r.halfPis, -r.rest};
  r.rest = RealOnSegment(z, r.rest);
  return r;
}

Wide WideArcSin(Wide z) {
  return ValueOf(ArcSinAngle(ShiftedOf(z)));
}

Wide WideArcCos(Wide z) {
  const LD m = WideAbs(z);
  if (m <= 0.1L) {
    if (m < kSqrt3Eps) return {kHalfPiL - z.re, -z.im};
    const Wide series = ArcSinSeries(z);
    return {kHalfPiL - series.re, -series.im};
  }
  const Wide l = LogOfFoldedSum(ShiftedOf(z));
  Wide p{-l.im, l.re};
  if (p.re < 0) p = {l.im, -l.re};
  if (p.re >= kPiL) p = {2 * kPiL - p.re, -p.im};
  if (z.re < 0) p = {kPiL - p.re, -p.im};
  return RealOnSegment(z, p);
}

// ln(1 + v) by its series for |v| <= 0.1: terms while they still count against
// the partial sum (for v < 0 they all have the same sign).
LD WideLog1p(LD v) {
  if (std::fabs(v) > 0.1L) return Logl(1 + v);
  if (v == 0) return v;
  constexpr LD kTermLimit = 0x1p-64L;
  LD power = v;
  LD sum = v;
  for (int k = 2; k < 100; ++k) {
    power *= v;
    const LD term = (k % 2 == 0 ? -power : power) / k;
    if (std::fabs(term) < kTermLimit * std::fabs(sum)) break;
    sum += term;
  }
  return sum;
}

// The pieces shared by ArcTan and ArcCot: atan2 arguments 2x and
// D = 1 - x² - y² (scaled down by max(|x|, |y|) far from the origin), and
// ln P - ln Q with P = x² + (y + 1)², Q = x² + (1 - y)².
struct ArcTanParts {
  LD twoX;
  LD d;
  LD logRatio;
};

ArcTanParts ArcTanPartsOf(Wide z, LD m) {
  const LD x = z.re;
  const LD y = z.im;
  if (m > kTwo53) {
    const LD big = std::fabs(x) >= std::fabs(y) ? std::fabs(x) : std::fabs(y);
    const LD xr = x / big;
    const LD yr = y / big;
    // 4y / Q with Q = x² + (1 - y)² scaled by its larger term; taking x² + y²
    // for Q instead would be off by up to 2/|z| relative, two units at 2^53.
    const LD oneMinusY = 1 - y;
    const LD qBig = std::fabs(x) >= std::fabs(oneMinusY) ? std::fabs(x) : std::fabs(oneMinusY);
    const LD qx = x / qBig;
    const LD qy = oneMinusY / qBig;
    const LD v = 4 * (y / qBig) / (qBig * (qx * qx + qy * qy));
    return {2 * x / big, 1 / big - big * (xr * xr + yr * yr), WideLog1p(v)};
  }
  const LD d = (1 - y) * (1 + y) - x * x;
  const LD p = x * x + (y + 1) * (y + 1);
  const LD q = x * x + (1 - y) * (1 - y);
  // Where P and Q are close, ln P - ln Q = ln(1 + 4y/Q) keeps the digits that
  // the difference of two logarithms would cancel.
  if (std::fabs(4 * y) < q / 2) return {2 * x, d, Log1pl(4 * y / q)};
  LD logP = 0;
  LD logQ = 0;
  const bool nearSingular = std::fabs(d) <= kSqrtEps && (p < kTenEps || q < kTenEps);
  if (nearSingular && (y + 1) * (y + 1) == 0)
    logP = 2 * Logl(std::fabs(x));
  else
    logP = Logl(p);
  if (nearSingular && (1 - y) * (1 - y) == 0)
    logQ = 2 * Logl(std::fabs(x));
  else
    logQ = Logl(q);
  return {2 * x, d, logP - logQ};
}

// On the imaginary axis the sign of x picks the side of the cut: +0 above the
// origin, -0 below.
Wide SideOfCut(Wide z) {
  if (z.re == 0) z.re = z.im >= 0 ? LD{0} : -LD{0};
  return z;
}

Wide WideArcTan(Wide z) {
  const LD m = WideAbs(z);
  if (m <= 0.1L) {
    if (m < kSqrt15Eps) return z;
    return ArcTanSeries(z);
  }
  const ArcTanParts parts = ArcTanPartsOf(SideOfCut(z), m);
  return {Atan2l(parts.twoX, parts.d) / 2, parts.logRatio / 4};
}

// reduced: the real part taken modulo pi into (-pi/2, pi/2] instead of
// [0, pi], formed directly so that nothing near pi is subtracted from pi.
Wide WideArcCot(Wide z, bool reduced = false) {
  const LD m = WideAbs(z);
  // pi/2 - v exceeds pi/2 exactly when v < 0; reduced, it is then -pi/2 - v.
  const auto halfPiMinus = [reduced](LD v) {
    return reduced && v < 0 ? -kHalfPiL - v : kHalfPiL - v;
  };
  if (m <= 0.1L) {
    if (m < kSqrt15Eps) return {halfPiMinus(z.re), -z.im};
    const Wide series = ArcTanSeries(z);
    return {halfPiMinus(series.re), -series.im};
  }
  const ArcTanParts parts = ArcTanPartsOf(z, m);
  LD re = 0;
  if (z.re == 0 && parts.d < 0) {
    re = z.im >= 0 || reduced ? LD{0} : kPiL;
  } else if (parts.twoX <= 0 || -parts.twoX <= parts.d) {
    const LD angle = Atan2l(parts.twoX, parts.d);
    // pi/2 - angle/2 exceeds pi/2 exactly when angle < 0; less pi, that is
    // -atan2(-2x, -D)/2.
    re = reduced && angle < 0 ? -Atan2l(-parts.twoX, -parts.d) / 2 : kHalfPiL - angle / 2;
  } else {
    re = Atan2l(parts.twoX, -parts.d) / 2;
  }
  return {re, -parts.logRatio / 4};
}

// ArcCsc as an Angle; ArcSec is pi/2 minus it.
Angle ArcCscAngle(Wide z) {
  if (WideAbs(z) >= 1) {
    // 1/z - 1 = (1 - z)/z and 1/z + 1 = (1 + z)/z from the exact z.
    const Wide oneMinusZ{1 - z.re, -z.im};
    const Wide onePlusZ{1 + z.re, z.im};
    return ArcSinAngle({Reciprocal(z), Quotient(oneMinusZ, z), Quotient(onePlusZ, z)});
  }
  // Fold into the first quadrant.
  const Wide w{std::fabs(z.re), std::fabs(z.im)};
  const LD c = w.re;
  const LD d = w.im;
  const Wide s = WideSqrt({(c - 1) * (c + 1) - d * d, 2 * c * d});
  const LD v = d <= c ? s.im - (d / c) * s.re : (c / d) * s.im - s.re;
  const Wide u = v >= 0 ? Wide{s.re, 1 + s.im} : Wide{-s.re, 1 - s.im};
  const Wide cu = Conj(w) * u;
  // atan2(Y, X) is pi/2 - atan2(X, Y) for Y > 0; kept apart from the pi/2 it
  // leaves ArcSec = pi/2 - ArcCsc without cancellation next to ±1.
  const LD y = cu.im == 0 ? LD{0} : cu.im;
  // |U|² = 1 ± 2·im s + |s|²: ln|U| without forming 1 ± im s.
  const LD side = v >= 0 ? 1 : -1;
  const LD logAbsU = Log1pl(2 * side * s.im + s.re * s.re + s.im * s.im) / 2;
  const LD logRatio = -(logAbsU - LogAbs(w));
  Angle r =
      y > 0 ? Angle{1, {-Atan2l(cu.re, y), logRatio}} : Angle{0, {Atan2l(y, cu.re), logRatio}};
  // Unfold.
  const auto conj = [](Angle a) { return Angle{a.halfPis, Conj(a.rest)}; };
  if (z.re >= 0) return z.im >= 0 ? r : conj(r);
  r = z.im <= 0 ? r : conj(r);
  return {-r.halfPis, -r.rest};
}

Wide WideArcCsc(Wide z) {
  return ValueOf(ArcCscAngle(z));
}

Wide WideArcSec(Wide z) {
  const Angle c = ArcCscAngle(z);
  return ValueOf({1 - c.halfPis, -c.rest});
}

Wide WideArCosh(Wide z) {
  const Wide a = WideArcCos(z);
  const Wide r = TimesI(a);
  return r.re < 0 ? TimesMinusI(a) : r;
}

// i·ArcCot(i·z) with the imaginary part in (-pi/2, pi/2]: the real part of
// ArcCot reduced modulo pi.
Wide WideArCoth(Wide z) {
  return TimesI(WideArcCot(TimesI(z), true));
}

Wide WideArSech(Wide z) {
  const LD x = z.re;
  const LD y = z.im;
  const Wide w = (std::fabs(x) > 1 || std::fabs(y) > kR)
                     ? WideSqrt(AddReal(z, 1)) * WideSqrt(AddReal(-z, 1))
                     : WideSqrt({(1 - x) * (1 + x) + y * y, -2 * x * y});
  // ln(1 + w) without forming 1 + w where w is small (z next to ±1).
  const Wide logOnePlusW = WideAbs(w) < 0.5L ? LogOnePlus(w) : WideLog(AddReal(w, 1));
  return logOnePlusW - WideLog(z);
}

constexpr unsigned long long kSquaringLimit = 64;

// Real part of base^n by repeated squaring; the caller takes the reciprocal
// for a negative n.
LD RealPower(LD base, unsigned long long n) {
  LD result = 1;
  while (n != 0) {
    if (n & 1) result *= base;
    n >>= 1;
    if (n != 0) base *= base;
  }
  return result;
}

Wide ComplexPower(Wide base, unsigned long long n) {
  Wide result{1, 0};
  while (n != 0) {
    if (n & 1) result = result * base;
    n >>= 1;
    if (n != 0) base = base * base;
  }
  return result;
}

// The real arguments whose result is real.
enum class RealDomain {
  All,
  UnitSegment,      // [-1, 1]
  OpenUnitSegment,  // (-1, 1)
  OutsideOpenUnit,  // |x| >= 1
  OutsideUnit,      // |x| > 1
  FromOne,          // [1, inf)
  Positive,         // (0, inf)
  NonNegative,      // [0, inf)
  UpToOne,          // (0, 1]
};

bool InRealDomain(Complex z, RealDomain domain) {
  if (z.im != 0 || std::isnan(z.re)) return false;
  const double x = z.re;
  switch (domain) {
    case RealDomain::All:
      return true;
    case RealDomain::UnitSegment:
      return std::fabs(x) <= 1;
    case RealDomain::OpenUnitSegment:
      return std::fabs(x) < 1;
    case RealDomain::OutsideOpenUnit:
      return std::fabs(x) >= 1;
    case RealDomain::OutsideUnit:
      return std::fabs(x) > 1;
    case RealDomain::FromOne:
      return x >= 1;
    case RealDomain::Positive:
      return x > 0;
    case RealDomain::NonNegative:
      return x >= 0;
    case RealDomain::UpToOne:
      return x > 0 && x <= 1;
  }
  return false;
}

// Rounds the wide result and clears an imaginary rounding residue where the
// exact value is real.
Complex Finish(Wide result, Complex z, RealDomain domain = RealDomain::All) {
  Complex r = ToDouble(result);
  if (InRealDomain(z, domain)) r.im = 0;
  return r;
}

}  // namespace

double ScaledSinh(double y, double s) {
  return static_cast<double>(WideScaledSinh(y, s));
}
double ScaledCosh(double y, double s) {
  return static_cast<double>(WideScaledCosh(y, s));
}
double ScaledExp(double x, double s) {
  return static_cast<double>(WideScaledExp(x, s));
}

Complex Sin(Complex z) {
  return Finish(WideSin(ToWide(z)), z);
}
Complex Cos(Complex z) {
  return Finish(WideCos(ToWide(z)), z);
}
Complex Tan(Complex z) {
  return Finish(WideTan(ToWide(z)), z);
}
Complex Cot(Complex z) {
  return Finish(WideCot(ToWide(z)), z);
}
Complex Sinh(Complex z) {
  return Finish(WideSinh(ToWide(z)), z);
}
Complex Cosh(Complex z) {
  return Finish(WideCosh(ToWide(z)), z);
}
Complex Tanh(Complex z) {
  return Finish(WideTanh(ToWide(z)), z);
}
Complex Coth(Complex z) {
  return Finish(WideCoth(ToWide(z)), z);
}

Complex SecantValue(Complex z) {
  return Finish(Reciprocal(WideCos(ToWide(z))), z);
}
Complex CosecantValue(Complex z) {
  return Finish(Reciprocal(WideSin(ToWide(z))), z);
}
Complex HyperbolicSecantValue(Complex z) {
  return Finish(Reciprocal(WideCosh(ToWide(z))), z);
}
Complex HyperbolicCosecantValue(Complex z) {
  return Finish(Reciprocal(WideSinh(ToWide(z))), z);
}

Complex ArcSin(Complex z) {
  return Finish(WideArcSin(ToWide(z)), z, RealDomain::UnitSegment);
}
Complex ArcCos(Complex z) {
  return Finish(WideArcCos(ToWide(z)), z, RealDomain::UnitSegment);
}
Complex ArcTan(Complex z) {
  return Finish(WideArcTan(ToWide(z)), z);
}
Complex ArcCot(Complex z) {
  return Finish(WideArcCot(ToWide(z)), z);
}

Complex ArcSec(Complex z) {
  return Finish(WideArcSec(ToWide(z)), z, RealDomain::OutsideOpenUnit);
}
Complex ArcCsc(Complex z) {
  return Finish(WideArcCsc(ToWide(z)), z, RealDomain::OutsideOpenUnit);
}

Complex ArCosh(Complex z) {
  return Finish(WideArCosh(ToWide(z)), z, RealDomain::FromOne);
}
Complex ArSinh(Complex z) {
  return Finish(TimesMinusI(WideArcSin(TimesI(ToWide(z)))), z);
}
Complex ArTanh(Complex z) {
  return Finish(TimesMinusI(WideArcTan(TimesI(ToWide(z)))), z, RealDomain::OpenUnitSegment);
}
Complex ArCoth(Complex z) {
  return Finish(WideArCoth(ToWide(z)), z, RealDomain::OutsideUnit);
}
Complex ArSech(Complex z) {
  return Finish(WideArSech(ToWide(z)), z, RealDomain::UpToOne);
}
Complex ArCsch(Complex z) {
  return Finish(TimesI(WideArcCsc(TimesI(ToWide(z)))), z);
}

Complex Log(Complex z) {
  return Finish(WideLog(ToWide(z)), z, RealDomain::Positive);
}
Complex Log10(Complex z) {
  const Wide l = WideLog(ToWide(z));
  return Finish({l.re * kLog10E, l.im * kLog10E}, z, RealDomain::Positive);
}
Complex Exp(Complex z) {
  return Finish(WideExp(ToWide(z)), z);
}
Complex Sqrt(Complex z) {
  return Finish(WideSqrt(ToWide(z)), z, RealDomain::NonNegative);
}

Complex Pow(Complex base, Complex exponent) {
  if (exponent.im != 0) {
    const Wide logBase =
        base.im == 0 && base.re > 0 ? Wide{Logl(base.re), 0} : WideLog(ToWide(base));
    return ToDouble(WideExp(ToWide(exponent) * logBase));
  }
  const double e = exponent.re;
  // The exponent truncated to a 32-bit integer; out of range it cannot equal e.
  const bool inRange = e > -2147483649.0 && e < 2147483648.0;
  const long long n = inRange ? static_cast<long long>(e) : 0;
  if (inRange && static_cast<double>(n) == e) {
    const unsigned long long k =
        n < 0 ? static_cast<unsigned long long>(-n) : static_cast<unsigned long long>(n);
    // Squaring loses about one bit per doubling of the exponent; up to
    // kSquaringLimit that stays far below double precision, above it the
    // logarithm is more accurate (the result stays real for a real base).
    if (base.im == 0) {
      // pow takes the negative exponent itself: a result too small for long
      // double underflows there instead of overflowing in base^|n|.
      if (k > kSquaringLimit) return {static_cast<double>(Powl(base.re, static_cast<LD>(n))), 0};
      const LD p = RealPower(base.re, k);
      return {static_cast<double>(n < 0 ? 1 / p : p), 0};
    }
    if (k > kSquaringLimit) return ToDouble(WideExp(Scale(WideLog(ToWide(base)), n)));
    const Wide p = ComplexPower(ToWide(base), k);
    return ToDouble(n < 0 ? Reciprocal(p) : p);
  }
  if (base.im == 0 && base.re > 0) {
    if (e == 0.5) return {static_cast<double>(Sqrtl(base.re)), 0};
    if (e == -0.5) return {static_cast<double>(1 / Sqrtl(base.re)), 0};
    return {static_cast<double>(Powl(base.re, e)), 0};
  }
  if (e == 0.5) return Sqrt(base);
  if (e == -0.5) return ToDouble(Reciprocal(WideSqrt(ToWide(base))));
  return ToDouble(WideExp(Scale(WideLog(ToWide(base)), e)));
}

double Log1p(double v) {
  return static_cast<double>(WideLog1p(v));
}

}  // namespace vora
