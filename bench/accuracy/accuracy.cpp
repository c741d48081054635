// SPDX-License-Identifier: MIT
// Accuracy of the elementary functions over a fixed grid of complex arguments,
// against GNU MPC at 200 bits, next to the C++ library's std::complex
// functions on the same grid. Errors are in units of the last place of the
// modulus of the exact value, per part: worst and median.

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <functional>
#include <limits>
#include <numbers>
#include <random>
#include <string_view>
#include <vector>

#include "math/ElementaryFunctions.h"
#include "math/ElementaryOracle.h"
#include "math/MathError.h"

namespace {

using vora::Complex;
using vora::FunctionId;
using C = std::complex<double>;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kPi = std::numbers::pi;

// Tiny to huge magnitudes in 24 directions, points on and next to the branch
// points ±1 and ±i, on both sides of the cuts and on them with either zero,
// and the special places of the trigonometric functions.
std::vector<Complex> Grid() {
  std::vector<Complex> grid;
  const double magnitudes[] = {1e-300, 1e-20, 1e-8, 1e-3, 0.05, 0.3, 0.7,  0.99, 1,     1.01,
                               1.3,    3,     10,   100,  1e4,  1e8, 1e16, 1e50, 1e150, 1e300};
  for (const double m : magnitudes) {
    for (int k = 0; k < 24; ++k) {
      const double angle = k * kPi / 12 + (k % 3 == 1 ? 0.01 : 0);
      Complex z{m * std::cos(angle), m * std::sin(angle)};
      if (k == 0) z = {m, 0};  // the axes exactly
      if (k == 6) z = {0, m};
      if (k == 12) z = {-m, 0};
      if (k == 18) z = {0, -m};
      grid.push_back(z);
    }
  }
  // Axes with both signs of zero.
  for (const double m : {0.5, 0.999, 1.5, 3.0, 1e10}) {
    for (const double s : {1.0, -1.0}) {
      grid.push_back({s * m, 0.0});
      grid.push_back({s * m, -0.0});
      grid.push_back({0.0, s * m});
      grid.push_back({-0.0, s * m});
    }
  }
  grid.push_back({0.0, 0.0});
  grid.push_back({-0.0, -0.0});
  // Next to the branch points.
  const Complex branchPoints[] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  for (const Complex p : branchPoints) {
    for (const double d : {1e-15, 1e-9, 1e-4}) {
      for (int k = 0; k < 8; ++k) {
        const double angle = k * kPi / 4;
        grid.push_back({p.re + d * std::cos(angle), p.im + d * std::sin(angle)});
      }
    }
  }
  // Near the poles and zeros of the trigonometric functions, and far up.
  for (int k = -4; k <= 4; ++k) {
    const double x = k * kPi / 2;
    for (const double d : {0.0, 1e-12, -1e-7}) grid.push_back({x + d, d});
  }
  for (const double y : {20.0, 354.0, 400.0, 709.0, 800.0}) {
    grid.push_back({1, y});
    grid.push_back({-2, -y});
    grid.push_back({y, 1});
    grid.push_back({-y, 0.5});
  }
  // A fixed pseudo-random scatter: magnitudes from 1e-20 to 1e20, and points
  // at distances from 1e-16 to 0.1 of the unit circle and of ±1, ±i.
  std::mt19937_64 engine(20261211);
  const auto uniform = [&engine] { return static_cast<double>(engine() >> 11) * 0x1p-53; };
  for (int k = 0; k < 1500; ++k) {
    const double m = std::pow(10.0, 40 * uniform() - 20);
    const double angle = 2 * kPi * uniform();
    grid.push_back({m * std::cos(angle), m * std::sin(angle)});
  }
  for (int k = 0; k < 1000; ++k) {
    const double d = std::pow(10.0, 15 * uniform() - 16);
    const double angle = 2 * kPi * uniform();
    const double direction = 2 * kPi * uniform();
    if (k % 2 == 0) {
      const double m = 1 + (uniform() < 0.5 ? d : -d);
      grid.push_back({m * std::cos(angle), m * std::sin(angle)});
    } else {
      const Complex p = branchPoints[k / 2 % 4];
      grid.push_back({p.re + d * std::cos(direction), p.im + d * std::sin(direction)});
    }
  }
  return grid;
}

// Below the normal range a double holds fewer digits and the checked
// operations report an underflow; such values are left out of the figures.
bool Subnormal(const vora::oracle::WideValue& exact) {
  const long double size = std::hypot(exact.re, exact.im);
  return size != 0 && size < std::numeric_limits<double>::min();
}

struct Errors {
  std::vector<double> re;
  std::vector<double> im;
  int failed = 0;  // no finite value where the exact one is representable
  double worst = -1;
  Complex worstAt{};
  Complex failedAt{};
};

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
  return v[v.size() / 2];
}

double Worst(const std::vector<double>& v) {
  return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

void Record(Errors& e, Complex at, Complex got, const vora::oracle::WideValue& exact) {
  if (!std::isfinite(got.re) || !std::isfinite(got.im)) {
    ++e.failed;
    e.failedAt = at;
    return;
  }
  const vora::oracle::UlpError error = vora::oracle::ErrorInUlps(got, exact);
  e.re.push_back(error.re);
  e.im.push_back(error.im);
  if (std::max(error.re, error.im) > e.worst) {
    e.worst = std::max(error.re, error.im);
    e.worstAt = at;
  }
}

bool showWorst = false;

// Ours: the whole node evaluation in radians, reports included.
Complex Ours(FunctionId id, Complex z, Complex p) {
  vora::BeginCalculationRun(0);
  const auto constant = [](Complex v) {
    return [v](Complex& out) {
      out = v;
      return true;
    };
  };
  Complex result{kInf, kInf};
  const bool ok = id == FunctionId::Pow ? vora::EvaluatePower(constant(z), constant(p), result)
                                        : vora::EvaluateFunction(id, constant(z), result);
  return ok ? result : Complex{kInf, kInf};
}

C Inv(C z) {
  return 1.0 / z;
}

// The C++ library: the reciprocal functions as 1/f, their inverses as f(1/z),
// arccot with its real part taken into [0, pi] as ours.
C Library(FunctionId id, C z, C p) {
  switch (id) {
    case FunctionId::Sin:
      return std::sin(z);
    case FunctionId::Cos:
      return std::cos(z);
    case FunctionId::Tan:
      return std::tan(z);
    case FunctionId::Cot:
      return Inv(std::tan(z));
    case FunctionId::Sec:
      return Inv(std::cos(z));
    case FunctionId::Csc:
      return Inv(std::sin(z));
    case FunctionId::ArcSin:
      return std::asin(z);
    case FunctionId::ArcCos:
      return std::acos(z);
    case FunctionId::ArcTan:
      return std::atan(z);
    case FunctionId::ArcCot: {
      C r = std::atan(Inv(z));
      if (r.real() < 0 || (r.real() == 0 && z.real() == 0 && z.imag() < 0)) r += kPi;
      return r;
    }
    case FunctionId::ArcSec:
      return std::acos(Inv(z));
    case FunctionId::ArcCsc:
      return std::asin(Inv(z));
    case FunctionId::Cosh:
      return std::cosh(z);
    case FunctionId::Sinh:
      return std::sinh(z);
    case FunctionId::Tanh:
      return std::tanh(z);
    case FunctionId::Coth:
      return Inv(std::tanh(z));
    case FunctionId::Sech:
      return Inv(std::cosh(z));
    case FunctionId::Csch:
      return Inv(std::sinh(z));
    case FunctionId::ArCosh:
      return std::acosh(z);
    case FunctionId::ArSinh:
      return std::asinh(z);
    case FunctionId::ArTanh:
      return std::atanh(z);
    case FunctionId::ArCoth:
      return std::atanh(Inv(z));
    case FunctionId::ArSech:
      return std::acosh(Inv(z));
    case FunctionId::ArCsch:
      return std::asinh(Inv(z));
    case FunctionId::Ln:
      return std::log(z);
    case FunctionId::Lg:
      return std::log10(z);
    case FunctionId::Pow:
      return std::pow(z, p);
    case FunctionId::Exp:
      return std::exp(z);
    case FunctionId::Factorial:
      return std::tgamma(z.real() + 1);
    case FunctionId::Sqrt:
      return std::sqrt(z);
  }
  return {kInf, kInf};
}

// The library's conventions on a cut may differ from ours; it gets the better
// of the two zero signs of a part that is zero.
Complex LibraryBest(FunctionId id, Complex z, Complex p, const vora::oracle::WideValue& exact) {
  const C a = Library(id, {z.re, z.im}, {p.re, p.im});
  Complex best{a.real(), a.imag()};
  if (z.re != 0 && z.im != 0) return best;
  const C b = Library(id, {z.re == 0 ? -z.re : z.re, z.im == 0 ? -z.im : z.im}, {p.re, p.im});
  const Complex other{b.real(), b.imag()};
  if (!std::isfinite(other.re) || !std::isfinite(other.im)) return best;
  if (!std::isfinite(best.re) || !std::isfinite(best.im)) return other;
  const auto size = [&](Complex c) {
    const vora::oracle::UlpError e = vora::oracle::ErrorInUlps(c, exact);
    return std::max(e.re, e.im);
  };
  return size(other) < size(best) ? other : best;
}

struct Row {
  const char* name;
  FunctionId id;
};

void PrintFigures(const char* who, const Errors& e) {
  std::printf("  %-5s %9.3g %9.3g %8.3f %8.3f %5d", who, Worst(e.re), Worst(e.im), Median(e.re),
              Median(e.im), e.failed);
}

void Report(const char* name, const Errors& ours, const Errors& library, std::size_t points) {
  std::printf("%-7s %5zu", name, points);
  PrintFigures("ours", ours);
  PrintFigures("glibc", library);
  std::printf("\n");
  if (showWorst) {
    std::printf("        worst at: ours %.17g%+.17gi, glibc %.17g%+.17gi\n", ours.worstAt.re,
                ours.worstAt.im, library.worstAt.re, library.worstAt.im);
    if (ours.failed > 0)
      std::printf("        ours failed at %.17g%+.17gi\n", ours.failedAt.re, ours.failedAt.im);
  }
}

}  // namespace

// --worst also prints where each worst figure was found.
int main(int argc, char** argv) {
  showWorst = argc > 1 && std::string_view(argv[1]) == "--worst";
  const Row rows[] = {
      {"sin", FunctionId::Sin},       {"cos", FunctionId::Cos},
      {"tan", FunctionId::Tan},       {"cot", FunctionId::Cot},
      {"sec", FunctionId::Sec},       {"csc", FunctionId::Csc},
      {"arcsin", FunctionId::ArcSin}, {"arccos", FunctionId::ArcCos},
      {"arctan", FunctionId::ArcTan}, {"arccot", FunctionId::ArcCot},
      {"arcsec", FunctionId::ArcSec}, {"arccsc", FunctionId::ArcCsc},
      {"ch", FunctionId::Cosh},       {"sh", FunctionId::Sinh},
      {"th", FunctionId::Tanh},       {"cth", FunctionId::Coth},
      {"sch", FunctionId::Sech},      {"csch", FunctionId::Csch},
      {"arch", FunctionId::ArCosh},   {"arsh", FunctionId::ArSinh},
      {"arth", FunctionId::ArTanh},   {"arcth", FunctionId::ArCoth},
      {"arsch", FunctionId::ArSech},  {"arcsch", FunctionId::ArCsch},
      {"ln", FunctionId::Ln},         {"lg", FunctionId::Lg},
      {"exp", FunctionId::Exp},       {"sqrt", FunctionId::Sqrt},
  };
  const std::vector<Complex> grid = Grid();
  std::printf("Errors in ulps of |exact value| (GNU MPC, 200 bits); 'fail': no finite value\n");
  std::printf("where the exact one is a finite double.\n\n");
  std::printf("%-7s %5s  %-5s %9s %9s %8s %8s %5s  %-5s %9s %9s %8s %8s %5s\n", "func", "pts", "",
              "worst re", "worst im", "med re", "med im", "fail", "", "worst re", "worst im",
              "med re", "med im", "fail");
  for (const Row& row : rows) {
    Errors ours;
    Errors library;
    std::size_t points = 0;
    for (const Complex z : grid) {
      vora::oracle::WideValue exact;
      if (!vora::oracle::Reference(row.id, z, {}, exact) || Subnormal(exact)) continue;
      ++points;
      Record(ours, z, Ours(row.id, z, {}), exact);
      Record(library, z, LibraryBest(row.id, z, {}, exact), exact);
    }
    Report(row.name, ours, library, points);
  }

  // Power: a coarse grid of bases against assorted exponents, and apart
  // from them exponents in the thousands and beyond, where every method's
  // error grows with |p·ln b|.
  const auto power = [&grid](const char* name, const std::vector<Complex>& exponents) {
    Errors ours;
    Errors library;
    std::size_t points = 0;
    for (std::size_t i = 0; i < grid.size(); i += 7) {
      const Complex b = grid[i];
      for (const Complex p : exponents) {
        vora::oracle::WideValue exact;
        if (!vora::oracle::Reference(FunctionId::Pow, b, p, exact) || Subnormal(exact)) continue;
        ++points;
        Record(ours, b, Ours(FunctionId::Pow, b, p), exact);
        Record(library, b, LibraryBest(FunctionId::Pow, b, p, exact), exact);
      }
    }
    Report(name, ours, library, points);
  };
  power("pow", {{2, 0},
                {3, 0},
                {-3, 0},
                {10, 0},
                {0.5, 0},
                {-0.5, 0},
                {1.0 / 3, 0},
                {2.5, 0},
                {-7.25, 0},
                {1, 1},
                {0.5, -2},
                {30, 0},
                {100.5, 0}});
  power("pow big", {{1000, 0}, {-4321, 0}, {1e6, 0}, {2e4, 0.5}});

  // Factorial: every n the double range holds (glibc: tgamma(n + 1)).
  {
    Errors ours;
    Errors library;
    std::size_t points = 0;
    for (int n = 0; n <= 170; ++n) {
      const Complex z{static_cast<double>(n), 0};
      vora::oracle::WideValue exact;
      if (!vora::oracle::Reference(FunctionId::Factorial, z, {}, exact)) continue;
      ++points;
      Record(ours, z, Ours(FunctionId::Factorial, z, {}), exact);
      Record(library, z, LibraryBest(FunctionId::Factorial, z, {}, exact), exact);
    }
    Report("n!", ours, library, points);
  }
  return 0;
}
