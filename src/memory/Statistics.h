// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "math/Complex.h"
#include "memory/MemoryStore.h"

/// The six sample statistics of memory cells in complex arithmetic, the choice
/// of cells and the texts the statistics pane shows. Nothing here reports to
/// the log or shows anything; the pane only displays these results.

namespace vora {

enum class StatisticRow : int {
  Mean,
  Variance,
  StandardDeviation,
  AverageDeviation,
  Skewness,
  Kurtosis,
};
inline constexpr std::size_t kStatisticCount = 6;

/// The pane's labels, top to bottom.
inline constexpr std::array<std::u16string_view, kStatisticCount> kStatisticLabels = {
    u"Mean (average)",    u"Variance", u"Standard deviation",
    u"Average deviation", u"Skewness", u"Kurtosis"};

inline constexpr std::u16string_view kOnlyOneCellQuestion =
    u"Only one cell selected\nCalculate for all cells?";

struct StatisticValue {
  Complex value;
  bool computed = false;
};

struct StatisticsResult {
  std::array<StatisticValue, kStatisticCount> values{};
  const StatisticValue& operator[](StatisticRow row) const {
    return values[static_cast<std::size_t>(row)];
  }
};

/// Skewness and kurtosis are left uncomputed when the variance is exactly 0.
/// Fewer than two values give not-a-number results rather than a failure.
StatisticsResult ComputeStatistics(std::span<const Complex> values);

/// "Cannot be calculated", the value with the display preferences, "Undefined"
/// (a part is NaN) or "Overflow: too big number" (a part is infinite).
std::u16string StatisticText(const StatisticValue& value);

/// The values to use, in the order of cells: the ticked ones when two or more
/// are ticked, all when none is; with exactly one ticked, confirm is asked
/// kOnlyOneCellQuestion and No (or an unset confirm) gives nullopt.
std::optional<std::vector<Complex>> ChooseStatisticsValues(
    std::span<const MemoryCell> cells, const std::function<bool(std::u16string_view)>& confirm);

/// The six rows "label", "text" for every cell of the store, in store order.
std::array<std::pair<std::u16string_view, std::u16string>, kStatisticCount> StatisticsOfAllCells();

}  // namespace vora
