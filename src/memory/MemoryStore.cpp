// SPDX-License-Identifier: MIT
#include "memory/MemoryStore.h"

#include <cassert>
#include <iterator>

namespace vora {

namespace {
constexpr std::size_t kNoCursor = static_cast<std::size_t>(-1);
}

MemoryStore& MemoryStore::Get() {
  static MemoryStore store;
  return store;
}

void MemoryStore::ResetForTests() {
  MemoryStore& store = Get();
  store.cells_.clear();
  store.cursorIndex_ = kNoCursor;
  store.memoryChanged = false;
}

MemoryCell* MemoryStore::Find(const std::u16string& name) {
  const auto it = cells_.find(name);
  return it == cells_.end() ? nullptr : &it->second;
}

MemoryCell& MemoryStore::CellForStore(const std::u16string& name) {
  auto it = cells_.find(name);
  if (it == cells_.end()) {
    it = cells_.emplace(name, MemoryCell{name, Complex{}, false}).first;
    cursorIndex_ = kNoCursor;
  }
  return it->second;
}

const MemoryCell& MemoryStore::CellAt(std::size_t index) const {
  assert(index < cells_.size());
  // Callers walk the cells in order; remembering the last position makes that
  // walk linear instead of quadratic over the map.
  if (cursorIndex_ == kNoCursor || index < cursorIndex_) {
    cursor_ = cells_.begin();
    cursorIndex_ = 0;
  }
  cursor_ = std::next(cursor_, static_cast<std::ptrdiff_t>(index - cursorIndex_));
  cursorIndex_ = index;
  return cursor_->second;
}

void MemoryStore::SetIncluded(const std::u16string& name, bool included) {
  if (MemoryCell* cell = Find(name)) cell->included = included;
}

void MemoryStore::EraseAll() {
  cells_.clear();
  cursorIndex_ = kNoCursor;
  memoryChanged = true;
}

void MemoryStore::EraseIncluded() {
  std::erase_if(cells_, [](const auto& entry) { return entry.second.included; });
  cursorIndex_ = kNoCursor;
  memoryChanged = true;
}

}  // namespace vora
