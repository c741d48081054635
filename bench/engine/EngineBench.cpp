// SPDX-License-Identifier: MIT
// Throughput and memory of the calculation engine on realistic and hostile
// worksheets. Memory is reported two ways: heap_peak_MB, the most heap in use
// at once during the benchmark above what was in use before it (counted by
// the allocation functions below), and rss_MB, the process's resident
// high-water mark so far.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>

#include "WorksheetGenerator.h"
#include "engine/CalculationDriver.h"
#include "math/MathError.h"
#include "memory/MemoryStore.h"

namespace {

// Heap accounting of the whole program; the benchmark runs on one thread.
std::size_t heapInUse = 0;
std::size_t heapPeak = 0;

void* CountedAllocate(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  heapInUse += malloc_usable_size(p);
  heapPeak = std::max(heapPeak, heapInUse);
  return p;
}

void CountedFree(void* p) {
  if (p == nullptr) return;
  heapInUse -= malloc_usable_size(p);
  std::free(p);
}

void* CountedAllocateAligned(std::size_t size, std::align_val_t align) {
  const auto alignment = static_cast<std::size_t>(align);
  const std::size_t rounded = (size + alignment - 1) / alignment * alignment;
  void* p = std::aligned_alloc(alignment, rounded == 0 ? alignment : rounded);
  if (p == nullptr) throw std::bad_alloc();
  heapInUse += malloc_usable_size(p);
  heapPeak = std::max(heapPeak, heapInUse);
  return p;
}

}  // namespace

void* operator new(std::size_t size, std::align_val_t align) {
  return CountedAllocateAligned(size, align);
}
void* operator new[](std::size_t size, std::align_val_t align) {
  return CountedAllocateAligned(size, align);
}
void operator delete(void* p, std::align_val_t) noexcept {
  CountedFree(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
  CountedFree(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  CountedFree(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
  CountedFree(p);
}
void* operator new(std::size_t size) {
  return CountedAllocate(size);
}
void* operator new[](std::size_t size) {
  return CountedAllocate(size);
}
void operator delete(void* p) noexcept {
  CountedFree(p);
}
void operator delete[](void* p) noexcept {
  CountedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
  CountedFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  CountedFree(p);
}

namespace {

using NCalculatorText::RunCalculation;

double ResidentPeakMegabytes() {
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
  const std::size_t before = heapInUse;
  heapPeak = heapInUse;
  bool ok = true;
  std::size_t outputSize = 0;  // kept so the run cannot be optimised away
  for (auto _ : state) {
    std::u16string text = sheet;
    std::ptrdiff_t position = caret;
    ok = RunCalculation(text, position);
    outputSize = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  if (mustSucceed && !ok) state.SkipWithError("the worksheet did not calculate");
  const double textBytes = static_cast<double>(sheet.size() * 2);
  const double heap = static_cast<double>(heapPeak - before);
  state.counters["heap_peak_MB"] = heap / (1024.0 * 1024.0);
  // Includes the copy of the text each run starts from and the text it hands back.
  state.counters["heap_per_text_byte"] = textBytes > 0 ? heap / textBytes : 0.0;
  state.counters["rss_MB"] = ResidentPeakMegabytes();
  state.counters["text_kB"] = textBytes / 1024.0;
  (void)outputSize;
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

// A sheet as large as the editor holds: 1,048,575 characters, about 1 MB as
// UTF-8.
constexpr std::size_t kEditorLimit = 1048575;

void CalculateAllFullEditor(benchmark::State& state) {
  const std::u16string sheet = vora::bench::GenerateWorksheetOfSize(kEditorLimit);
  Run(state, sheet, -1, true);
  const auto statements = static_cast<double>(std::count(sheet.begin(), sheet.end(), u';'));
  state.counters["statements"] = statements;
  state.counters["statements_per_s"] = benchmark::Counter(
      statements * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(CalculateAllFullEditor)->Unit(benchmark::kMillisecond);

void CalculateAtCaretFullEditor(benchmark::State& state) {
  const std::u16string sheet = vora::bench::GenerateWorksheetOfSize(kEditorLimit);
  Run(state, sheet, static_cast<std::ptrdiff_t>(sheet.size() / 2), true);
}
BENCHMARK(CalculateAtCaretFullEditor)->Unit(benchmark::kMillisecond);

void LongStatement(benchmark::State& state) {
  const std::u16string sheet =
      vora::bench::GenerateLongSum(static_cast<std::size_t>(state.range(0)));
  Run(state, sheet, -1, true);
}
// Half the editor, and all of it: a sum of 524,287 terms.
BENCHMARK(LongStatement)->Arg(kEditorLimit / 2)->Arg(kEditorLimit)->Unit(benchmark::kMillisecond);

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
