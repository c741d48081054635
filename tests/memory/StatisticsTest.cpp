// SPDX-License-Identifier: MIT
#include "memory/Statistics.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "support/RecordingLog.h"

namespace vora {
namespace {

using testing::CoreStateTest;

std::string Narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

class StatisticsTest : public CoreStateTest {
 protected:
  void SetUp() override {
    CoreStateTest::SetUp();
    MemoryStore::ResetForTests();
  }
  void TearDown() override {
    MemoryStore::ResetForTests();
    CoreStateTest::TearDown();
  }
};

constexpr double kNotComputed = std::numeric_limits<double>::quiet_NaN();

TEST_F(StatisticsTest, TheWorkedExamples) {
  const double root2 = std::sqrt(2.0);
  const struct {
    const char* label;
    std::vector<Complex> values;
    // mean, variance, standard deviation, average deviation, skewness,
    // kurtosis; a NaN real part marks "not computed".
    std::array<Complex, kStatisticCount> expected;
  } rows[] = {
      {"1, 2, 3, 4",
       {{1, 0}, {2, 0}, {3, 0}, {4, 0}},
       {{{2.5, 0},
         {5.0 / 3.0, 0},
         {std::sqrt(5.0 / 3.0), 0},
         {1, 0},
         {0, 0},
         {10.25 / (4.0 * 25.0 / 9.0) - 3.0, 0}}}},
      {"two equal cells",
       {{7, 0}, {7, 0}},
       {{{7, 0}, {0, 0}, {0, 0}, {0, 0}, {kNotComputed, 0}, {kNotComputed, 0}}}},
      {"i and -i", {{0, 1}, {0, -1}}, {{{0, 0}, {-2, 0}, {0, root2}, {1, 0}, {0, 0}, {-2.75, 0}}}},
      {"complex cells, not just their moduli",
       {{1, 1}, {-1, -1}},
       // d = +-(1+i): d^2 = 2i, so the variance is 4i and its root 2^(1/2)(1+i);
       // d^3 = +-(-2+2i) cancel; d^4 = -4 gives -8 / (2 * 4i * 4i) - 3 = -2.75.
       {{{0, 0}, {0, 4}, {root2, root2}, {root2, 0}, {0, 0}, {-2.75, 0}}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    const StatisticsResult result = ComputeStatistics(row.values);
    for (std::size_t i = 0; i < kStatisticCount; ++i) {
      SCOPED_TRACE(Narrow(kStatisticLabels[i]));
      const StatisticValue& got = result.values[i];
      if (std::isnan(row.expected[i].re)) {
        EXPECT_FALSE(got.computed);
        continue;
      }
      ASSERT_TRUE(got.computed);
      EXPECT_NEAR(got.value.re, row.expected[i].re, 1e-12);
      EXPECT_NEAR(got.value.im, row.expected[i].im, 1e-12);
    }
  }
  EXPECT_TRUE(log.entries.empty());
}

// Values that cannot be computed show their texts in their fields; nothing is
// reported and evaluation is not failed.
TEST_F(StatisticsTest, UncomputableValuesShowTextsAndAreNotReported) {
  const struct {
    const char* label;
    std::vector<Complex> values;
    std::array<std::u16string_view, kStatisticCount> expected;
  } rows[] = {
      // d = +-1e300: the squares overflow, and the cubes meet infinity times
      // zero in their imaginary parts.
      {"squares overflow",
       {{1e300, 0}, {-1e300, 0}},
       {{u"0", u"Overflow: too big number", u"Overflow: too big number",
         u"1.0000000000000000525e+300", u"Undefined", u"Undefined"}}},
      // The sum overflows, so every deviation is infinity minus infinity.
      {"the mean overflows",
       {{DBL_MAX, 0}, {DBL_MAX, 0}},
       {{u"Overflow: too big number", u"Undefined", u"Undefined", u"Overflow: too big number",
         u"Undefined", u"Undefined"}}},
      // The pane never asks with fewer than two cells; the command line may.
      {"one value",
       {{4, 0}},
       {{u"4", u"Undefined", u"Undefined", u"0", u"Undefined", u"Undefined"}}},
      {"none",
       {},
       {{u"Undefined", u"Undefined", u"Undefined", u"Undefined", u"Undefined", u"Undefined"}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    const StatisticsResult result = ComputeStatistics(row.values);
    for (std::size_t i = 0; i < kStatisticCount; ++i) {
      SCOPED_TRACE(Narrow(kStatisticLabels[i]));
      EXPECT_EQ(Narrow(StatisticText(result.values[i])), Narrow(row.expected[i]));
    }
  }
  EXPECT_TRUE(log.entries.empty());
  EXPECT_TRUE(EvaluationState::Get().evaluationOk);
}

TEST_F(StatisticsTest, DisplayTexts) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    StatisticValue value;
    std::uint32_t formatI;
    std::uint32_t notationCase;
    std::u16string_view expected;
  } rows[] = {
      {{{1, 0}, false}, 0, 0, u"Cannot be calculated"},
      {{{nan, 0}, false}, 0, 0, u"Cannot be calculated"},
      {{{2.5, 0}, true}, 0, 0, u"2.5"},
      {{{0, 2}, true}, 1, 0, u"j\u00d72"},
      {{{3, -4}, true}, 0, 0, u"3\u2212i\u00d74"},
      {{{1e-5, 0}, true}, 0, 1, u"1.0000000000000000818E-005"},
      {{{nan, 0}, true}, 0, 0, u"Undefined"},
      {{{inf, nan}, true}, 0, 0, u"Undefined"},
      {{{inf, 0}, true}, 0, 0, u"Overflow: too big number"},
      {{{0, -inf}, true}, 0, 0, u"Overflow: too big number"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Narrow(row.expected));
    SetPreference(Preference::FormatI, row.formatI);
    SetPreference(Preference::NotationCase, row.notationCase);
    EXPECT_TRUE(StatisticText(row.value) == row.expected) << Narrow(StatisticText(row.value));
  }
}

TEST_F(StatisticsTest, ChoosingTheCells) {
  enum Answer { NotAsked, Yes, No };
  const struct {
    const char* label;
    std::vector<bool> ticks;  // cells hold 1, 2, 3, ... in store order
    Answer answer;
    std::optional<std::vector<double>> used;
  } rows[] = {
      {"none ticked: all, no question", {false, false, false}, NotAsked, {{1, 2, 3}}},
      {"two ticked: only they", {true, false, true, false}, NotAsked, {{1, 3}}},
      {"all ticked", {true, true, true}, NotAsked, {{1, 2, 3}}},
      {"one ticked, Yes: all", {false, true, false}, Yes, {{1, 2, 3}}},
      {"one ticked, No: nothing", {false, true, false}, No, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    std::vector<MemoryCell> cells;
    for (std::size_t i = 0; i < row.ticks.size(); ++i)
      cells.push_back({std::u16string(1, static_cast<char16_t>(u'a' + i)),
                       {static_cast<double>(i + 1), 0},
                       row.ticks[i]});
    std::vector<std::u16string> questions;
    const auto confirm = [&](std::u16string_view question) {
      questions.emplace_back(question);
      return row.answer == Yes;
    };
    const auto used = ChooseStatisticsValues(cells, confirm);
    if (row.answer == NotAsked) {
      EXPECT_TRUE(questions.empty());
    } else {
      ASSERT_EQ(questions.size(), 1u);
      EXPECT_TRUE(questions[0] == u"Only one cell selected\nCalculate for all cells?");
    }
    ASSERT_EQ(used.has_value(), row.used.has_value());
    if (!used) continue;
    std::vector<double> reals;
    for (Complex z : *used) reals.push_back(z.re);
    EXPECT_EQ(reals, *row.used);
  }
}

TEST_F(StatisticsTest, TheSixRowsForAllCellsIgnoreTheTicks) {
  MemoryStore& store = MemoryStore::Get();
  const std::pair<std::u16string, double> cells[] = {{u"a", 1}, {u"b", 2}, {u"c", 3}, {u"d", 4}};
  for (const auto& [name, value] : cells) store.CellForStore(name).value = {value, 0};
  store.SetIncluded(u"a", true);
  store.SetIncluded(u"b", true);

  const auto rows = StatisticsOfAllCells();
  const std::pair<std::u16string_view, std::u16string_view> expected[] = {
      {u"Mean (average)", u"2.5"},
      {u"Variance", u"1.6666666666666667407"},
      {u"Standard deviation", u"1.2909944487358055998"},
      {u"Average deviation", u"1"},
      {u"Skewness", u"0"},
      {u"Kurtosis", u"-2.0775000000000001243"},
  };
  for (std::size_t i = 0; i < kStatisticCount; ++i) {
    SCOPED_TRACE(Narrow(expected[i].first));
    EXPECT_TRUE(rows[i].first == expected[i].first);
    EXPECT_EQ(Narrow(rows[i].second), Narrow(expected[i].second));
  }
}

}  // namespace
}  // namespace vora
