// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <map>
#include <string>

#include "math/Complex.h"

/// The process-wide set of named memory cells, ordered by the names' UTF-16
/// code units, and the memoryChanged flag. It does no trimming or case folding
/// of its own: names arrive as the parser delivers them.

namespace vora {

struct MemoryCell {
  std::u16string name;
  Complex value;
  bool included = false;
};

class MemoryStore {
 public:
  /// The one instance of the process.
  static MemoryStore& Get();

  /// Exact lookup; never creates a cell.
  MemoryCell* Find(const std::u16string& name);
  /// The existing cell, or a new one with value 0 and included false.
  MemoryCell& CellForStore(const std::u16string& name);
  std::size_t Count() const { return cells_.size(); }
  /// The i-th cell in store order, 0-based; i must be below Count().
  const MemoryCell& CellAt(std::size_t index) const;
  void SetIncluded(const std::u16string& name, bool included);
  void EraseAll();
  void EraseIncluded();

  bool memoryChanged = false;

  /// Empty store, memoryChanged false (for tests).
  static void ResetForTests();

  template <typename F>
  void ForEach(F&& visit) const {
    for (const auto& [key, cell] : cells_) visit(cell);
  }

 private:
  // std::u16string compares char16_t as unsigned code units, which is the
  // order the pane, the memory file and the statistics enumerate in.
  std::map<std::u16string, MemoryCell, std::less<>> cells_;
  mutable std::map<std::u16string, MemoryCell, std::less<>>::const_iterator cursor_{};
  mutable std::size_t cursorIndex_ = static_cast<std::size_t>(-1);
};

}  // namespace vora
