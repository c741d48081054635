// SPDX-License-Identifier: MIT
#include "memory/Statistics.h"

#include <cmath>

#include "math/Format.h"
#include "math/Routines.h"

namespace vora {

namespace {

// Plain floating-point products and sums: the statistics report nothing, so
// none of the checked operations is used here (Sqrt reports nothing either).
Complex Times(Complex a, Complex b) {
  return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
Complex Square(Complex z) {
  return {z.re * z.re - z.im * z.im, 2.0 * z.re * z.im};
}
Complex Plus(Complex a, Complex b) {
  return {a.re + b.re, a.im + b.im};
}
Complex Minus(Complex a, Complex b) {
  return {a.re - b.re, a.im - b.im};
}
Complex Over(Complex z, double n) {
  return {z.re / n, z.im / n};
}

}  // namespace

StatisticsResult ComputeStatistics(std::span<const Complex> values) {
  const double n = static_cast<double>(values.size());
  Complex sum;
  for (Complex x : values) sum = Plus(sum, x);
  const Complex mean = Over(sum, n);

  Complex s1, s2, s3, s4;
  double absoluteSum = 0.0;
  for (Complex x : values) {
    const Complex d = Minus(x, mean);
    const Complex d2 = Square(d);
    const Complex d3 = Times(d2, d);
    const Complex d4 = Times(d3, d);
    s1 = Plus(s1, d);
    s2 = Plus(s2, d2);
    s3 = Plus(s3, d3);
    s4 = Plus(s4, d4);
    absoluteSum += Abs(d);
  }

  // S1 is zero in exact arithmetic; subtracting S1^2/n takes out the rounding.
  const Complex variance = Over(Minus(s2, Over(Square(s1), n)), n - 1.0);
  // The root routine turns a NaN into infinities; an undefined variance must
  // give an undefined deviation, not an overflow.
  const bool undefined = std::isnan(variance.re) || std::isnan(variance.im);
  const Complex deviation =
      undefined ? Complex{variance.re + variance.im, variance.re + variance.im} : Sqrt(variance);

  StatisticsResult result;
  auto set = [&result](StatisticRow row, Complex value) {
    result.values[static_cast<std::size_t>(row)] = {value, true};
  };
  set(StatisticRow::Mean, mean);
  set(StatisticRow::Variance, variance);
  set(StatisticRow::StandardDeviation, deviation);
  set(StatisticRow::AverageDeviation, {absoluteSum / n, 0.0});
  if (IsZero(variance)) return result;

  const Complex nVariance{n * variance.re, n * variance.im};
  set(StatisticRow::Skewness, Quotient(s3, Times(nVariance, deviation)));
  Complex kurtosis = Quotient(s4, Times(variance, nVariance));
  kurtosis.re -= 3.0;
  set(StatisticRow::Kurtosis, kurtosis);
  return result;
}

std::u16string StatisticText(const StatisticValue& value) {
  if (!value.computed) return u"Cannot be calculated";
  if (IsFinite(value.value)) return FormatForDisplay(value.value);
  if (std::isnan(value.value.re) || std::isnan(value.value.im)) return u"Undefined";
  return u"Overflow: too big number";
}

std::optional<std::vector<Complex>> ChooseStatisticsValues(
    std::span<const MemoryCell> cells, const std::function<bool(std::u16string_view)>& confirm) {
  std::vector<Complex> ticked;
  std::vector<Complex> all;
  for (const MemoryCell& cell : cells) {
    all.push_back(cell.value);
    if (cell.included) ticked.push_back(cell.value);
  }
  if (ticked.size() >= 2) return ticked;
  if (ticked.size() == 1 && !(confirm && confirm(kOnlyOneCellQuestion))) return std::nullopt;
  return all;
}

std::array<std::pair<std::u16string_view, std::u16string>, kStatisticCount> StatisticsOfAllCells() {
  std::vector<Complex> values;
  MemoryStore::Get().ForEach([&values](const MemoryCell& cell) { values.push_back(cell.value); });
  const StatisticsResult result = ComputeStatistics(values);
  std::array<std::pair<std::u16string_view, std::u16string>, kStatisticCount> rows;
  for (std::size_t i = 0; i < kStatisticCount; ++i)
    rows[i] = {kStatisticLabels[i], StatisticText(result.values[i])};
  return rows;
}

}  // namespace vora
