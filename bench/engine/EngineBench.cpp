// SPDX-License-Identifier: MIT
// Throughput and memory of the calculation engine on realistic and hostile
// worksheets. Peak memory is the resident high-water mark of each benchmark
// (reset before it where the kernel allows).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "WorksheetGenerator.h"
#include "engine/CalculationDriver.h"
#include "math/MathError.h"
#include "memory/MemoryStore.h"

namespace {

using NCalculatorText::RunCalculation;

// Resets the kernel's peak-RSS mark; false where that is not possible.
bool ResetPeak() {
  std::ofstream clear("/proc/self/clear_refs");
  if (!clear) return false;
  clear << "5";
  return static_cast<bool>(clear.flush());
}

double PeakMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void Run(benchmark::State& state, const std::u16string& sheet, std::ptrdiff_t caret,
         bool mustSucceed) {
  vora::MemoryStore::ResetForTests();
  ResetPeak();
  bool ok = true;
  std::size_t outputSize = 0;
  for (auto _ : state) {
    std::u16string text = sheet;
    std::ptrdiff_t position = caret;
    ok = RunCalculation(text, position);
    outputSize = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  if (mustSucceed && !ok) state.SkipWithError("the worksheet did not calculate");
  state.counters["peak_MB"] = PeakMegabytes();
  state.counters["text_kB"] = static_cast<double>(sheet.size() * 2) / 1024.0;
  state.counters["out_kB"] = static_cast<double>(outputSize * 2) / 1024.0;
}

void CalculateAll(benchmark::State& state) {
  const auto statements = static_cast<std::size_t>(state.range(0));
  const std::u16string sheet = vora::bench::GenerateWorksheet(statements);
  Run(state, sheet, -1, true);
  state.counters["statements_per_s"] =
      benchmark::Counter(static_cast<double>(statements) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}
BENCHMARK(CalculateAll)->Arg(10000)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);

void CalculateAllOneMegabyte(benchmark::State& state) {
  const std::u16string sheet = vora::bench::GenerateWorksheetOfSize(1 << 19);  // 1 MB of UTF-16
  Run(state, sheet, -1, true);
}
BENCHMARK(CalculateAllOneMegabyte)->Unit(benchmark::kMillisecond);

void CalculateAtCaretOneMegabyte(benchmark::State& state) {
  const std::u16string sheet = vora::bench::GenerateWorksheetOfSize(1 << 19);
  Run(state, sheet, static_cast<std::ptrdiff_t>(sheet.size() / 2), true);
}
BENCHMARK(CalculateAtCaretOneMegabyte)->Unit(benchmark::kMillisecond);

void LongStatement(benchmark::State& state) {
  const std::u16string sheet =
      vora::bench::GenerateLongSum(static_cast<std::size_t>(state.range(0)));
  Run(state, sheet, -1, true);
}
// 1 MB of text: a sum of 500,000 terms; and the editor's limit in code units.
BENCHMARK(LongStatement)->Arg(1 << 19)->Arg(1048575)->Unit(benchmark::kMillisecond);

void DeepNesting(benchmark::State& state) {
  const std::u16string sheet =
      vora::bench::GenerateNesting(static_cast<std::size_t>(state.range(0)));
  Run(state, sheet, -1, true);
}
BENCHMARK(DeepNesting)->Arg(100000)->Arg(500000)->Unit(benchmark::kMillisecond);

void DeepUnclosed(benchmark::State& state) {
  const std::u16string sheet(static_cast<std::size_t>(state.range(0)), u'(');
  Run(state, sheet, -1, false);
}
BENCHMARK(DeepUnclosed)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
