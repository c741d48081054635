// SPDX-License-Identifier: MIT
// Feeds random worksheets and caret positions to a calculation run and checks
// what every run must keep: no crash, a caret inside the text, an untouched
// text and caret when the comments do not close, the caret kept on failure.
// Short inputs are also parsed as one statement by the engine and by the
// literal string algorithm of the tests, which must build the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/CParcer.h"
#include "engine/CalculationDriver.h"
#include "engine/ReferenceParser.h"
#include "engine/TreeShape.h"
#include "math/MathError.h"
#include "memory/MemoryStore.h"
#include "settings/Preferences.h"

namespace {

// Keeps the memory from growing across inputs.
void ResetProcessState() {
  vora::MemoryStore::ResetForTests();
  NCalculatorText::ResetLastResultForTests();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  ResetProcessState();
  // First byte: the angle unit; the next two: the caret (0xFFFF = Calculate all).
  vora::SetPreference(vora::Preference::TrigonometricUnits, data[0] % 4);
  const unsigned caretBytes =
      static_cast<unsigned>(data[1]) | (static_cast<unsigned>(data[2]) << 8);
  data += 3;
  size -= 3;

  // Bytes become UTF-16 code units: pairs as little-endian units when the
  // input is odd-sized, single bytes (mostly ASCII) otherwise, so that both
  // the language and arbitrary code units are reached.
  std::u16string text;
  if (size % 2 == 1) {
    for (std::size_t k = 0; k + 1 < size; k += 2)
      text.push_back(static_cast<char16_t>(data[k] | (data[k + 1] << 8)));
  } else {
    for (std::size_t k = 0; k < size; ++k) text.push_back(static_cast<char16_t>(data[k]));
  }

  if (text.size() <= 512) {
    NCalculatorText::testing::ReferenceParser reference;
    std::u16string expected;
    const bool expectedOk = reference.ParseStatement(text, expected);
    NCalculatorText::CNode root;
    const bool parsed = NCalculatorText::CParcer::ParseStatement(root, text);
    if (parsed != expectedOk) std::abort();
    if (parsed && NCalculatorText::testing::Shape(root) != expected) std::abort();
  }

  std::ptrdiff_t position = caretBytes == 0xFFFF ? -1 : static_cast<std::ptrdiff_t>(caretBytes);
  const std::ptrdiff_t entry = position;
  const std::u16string original = text;
  std::u16string blanked = text;
  const bool commentsClosed = NCalculatorText::BlankComments(blanked);

  const bool ok = NCalculatorText::RunCalculation(text, position);
  if (!commentsClosed) {
    if (ok || text != original || position != entry) std::abort();
    return 0;
  }
  if (ok && (position < 0 || position > static_cast<std::ptrdiff_t>(text.size()))) std::abort();
  if (!ok && position != entry) std::abort();
  return 0;
}
