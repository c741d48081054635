// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "math/Complex.h"

/// The expression tree of one statement and the parser that builds it.
///
/// Every node is a CParcer: it can hand out its CNode part, turn its operand
/// texts into children (Parse) and compute its value (Evaluate). Parsing and
/// evaluation walk the tree with explicit stacks, never one native call per
/// level, so a statement nested 100,000 brackets deep or a sum of half a
/// million terms neither overflows the stack nor costs quadratic time.
///
/// The parser does not report anything: it answers true or false and leaves
/// the "Syntax error" to the calculation driver.

namespace NCalculatorText {

class CNode;

/// What a node stands for. The node classes only fix this tag; parsing and
/// evaluation dispatch on it.
enum class NodeKind : std::uint8_t {
  Root,
  Store,
  Plus,
  Minus,
  Mul,
  Div,
  Pow,
  ChangeSign,
  Factorial,
  Sign,
  Abs,
  Arg,
  Re,
  Im,
  Conjugate,
  Ceil,
  Floor,
  Sqrt,
  Exp,
  Ln,
  Lg,
  Sin,
  Cos,
  Tg,
  Ctg,
  Sec,
  Cosec,
  ArcSin,
  ArcCos,
  ArcTg,
  ArcCtg,
  ArcSec,
  ArcCosec,
  Sh,
  Ch,
  Th,
  Cth,
  Sech,
  Csch,
  ArSh,
  ArCh,
  ArTh,
  ArCth,
  ArSch,
  ArCsch,
  Pi,
  E,
  I,
  Result,
  Number,
  Memory,
};

class CParcer {
 public:
  // Virtual so that a tree can be destroyed through its CNode parts without
  // undefined behaviour.
  virtual ~CParcer() = default;

  virtual CNode* GetNode() = 0;
  /// Turns the node's operand texts into children; true on success.
  virtual bool Parse() = 0;
  /// Computes the node's value into out; returns the evaluation-OK flag.
  virtual bool Evaluate(vora::Complex& out) = 0;

  /// Entry point for one statement: trims it, drops tabs and line breaks,
  /// makes every bracket round, refuses "$", lowercases A to Z, and parses the
  /// result as the only operand of root (an empty CNode).
  static bool ParseStatement(CNode& root, std::u16string_view text);

  /// The terminal rule's test without creating a node: a constant (after one
  /// optional leading "+") or a number literal.
  static bool IsNumberOrConstant(std::u16string_view text);
  /// The number literal test: optional sign, digits with at most one decimal
  /// separator before an optional exponent.
  static bool IsNumberLiteral(std::u16string_view text);
  /// The value of a literal that passed IsNumberLiteral, independent of the C
  /// locale; beyond the double range it is infinity, below it zero.
  static double ConvertNumber(std::u16string_view literal);

 protected:
  CParcer() = default;
  CParcer(const CParcer&) = delete;
  CParcer& operator=(const CParcer&) = delete;
};

/// One owned child of a node. Every node made on the heap comes from the
/// engine's node pool, so a child is kept as a 32-bit number that the pool
/// turns back into the node, half the size of a pointer: a sum of half a
/// million terms is a million nodes. Used like a std::unique_ptr<CNode>.
class CNodeHandle {
 public:
  CNodeHandle() = default;
  ~CNodeHandle() { reset(); }
  CNodeHandle(const CNodeHandle&) = delete;
  CNodeHandle& operator=(const CNodeHandle&) = delete;

  /// Takes over node, which must come from the heap (hence from the pool).
  CNodeHandle& operator=(std::unique_ptr<CNode> node);
  CNodeHandle& operator=(std::nullptr_t) {
    reset();
    return *this;
  }

  CNode* get() const { return id_ == 0 ? nullptr : Resolve(id_); }
  explicit operator bool() const { return id_ != 0; }
  CNode& operator*() const { return *Resolve(id_); }
  CNode* operator->() const { return Resolve(id_); }
  /// Gives up the node without destroying it.
  CNode* release() {
    CNode* node = get();
    id_ = 0;
    return node;
  }
  void reset() {
    if (id_ != 0) Destroy();
  }

  // A handle is a chunk number of the pool and the block's offset in that
  // chunk, in units of kBlockAlign.
  static constexpr std::size_t kChunkBytes = 64 * 1024;
  static constexpr std::size_t kBlockAlign = 8;
  static constexpr unsigned kOffsetBits = 13;
  static_assert(std::size_t{1} << kOffsetBits == kChunkBytes / kBlockAlign);

 private:
  friend class CNodeChunks;
  void Destroy();
  static CNode* Resolve(std::uint32_t id) {
    return reinterpret_cast<CNode*>(chunks_[id >> kOffsetBits] +
                                    (id & ((1u << kOffsetBits) - 1)) * kBlockAlign);
  }
  static inline std::byte* const* chunks_ = nullptr;  // the pool's chunks, kept by the pool
  std::uint32_t id_ = 0;                              // 0: no node
};

/// The children of a node in operand order, owned. No node has more than two
/// operands, so they are kept inline instead of in an allocation of their own.
class CNodeList {
 public:
  static constexpr std::size_t kCapacity = 2;

  CNodeList() = default;
  CNodeList(const CNodeList&) = delete;
  CNodeList& operator=(const CNodeList&) = delete;

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  bool full() const { return size_ == kCapacity; }
  CNodeHandle& operator[](std::size_t k) { return items_[k]; }
  const CNodeHandle& operator[](std::size_t k) const { return items_[k]; }
  CNodeHandle& back() { return items_[size_ - 1]; }
  CNodeHandle* begin() { return items_; }
  CNodeHandle* end() { return items_ + size_; }
  const CNodeHandle* begin() const { return items_; }
  const CNodeHandle* end() const { return items_ + size_; }

  /// Appends child; the list must not be full.
  void push_back(std::unique_ptr<CNode> child) { items_[size_++] = std::move(child); }
  /// Appends an empty slot that the parser fills later; the list must not be full.
  void emplace_back() { items_[size_++] = nullptr; }
  void clear() {
    for (std::size_t k = 0; k < size_; ++k) items_[k].reset();
    size_ = 0;
  }

 private:
  friend class CNode;
  CNodeHandle items_[kCapacity];
  std::uint8_t size_ = 0;
  std::uint8_t tag_ = 0;  // the owning node's kind, in what would be padding
};

/// The source texts of a node. Only a few nodes ever have any (a memory
/// reference, a node given texts to parse on its own), so a node keeps a
/// 32-bit number of its list in a table of the engine's own.
/// Used like a std::vector<std::u16string>.
class CTextList {
 public:
  CTextList() = default;
  ~CTextList() {
    if (id_ != 0) clear();
  }
  CTextList(const CTextList&) = delete;
  CTextList& operator=(const CTextList&) = delete;
  CTextList& operator=(std::initializer_list<std::u16string> texts);

  std::size_t size() const { return id_ == 0 ? 0 : Items().size(); }
  bool empty() const { return size() == 0; }
  std::u16string& operator[](std::size_t k) { return Items()[k]; }
  const std::u16string& operator[](std::size_t k) const { return Items()[k]; }
  std::u16string* begin() { return id_ == 0 ? nullptr : Items().data(); }
  std::u16string* end() { return id_ == 0 ? nullptr : Items().data() + Items().size(); }
  const std::u16string* begin() const { return id_ == 0 ? nullptr : Items().data(); }
  const std::u16string* end() const { return id_ == 0 ? nullptr : Items().data() + Items().size(); }

  void push_back(std::u16string text);
  void emplace_back(std::u16string_view text) { push_back(std::u16string(text)); }
  void clear();

 private:
  std::vector<std::u16string>& Items() const;  // the list; there must be one
  std::uint32_t id_ = 0;                       // 0: no list yet
};

/// A node of the tree. Instantiated directly only as the root of a statement.
///
/// texts holds the source texts a node is given to parse on its own (Parse
/// then turns them into children, a number's value or a cell's name). Nodes
/// made by the parser keep only the text that evaluation reads, a memory
/// cell's name: operands are spans of the statement and literals are
/// converted where they stand, which keeps a long chain of operators linear
/// in time and memory.
class CNode : public CParcer {
 public:
  CNode() : CNode(NodeKind::Root) {}
  ~CNode() override;

  CNode* GetNode() override { return this; }
  bool Parse() override;
  bool Evaluate(vora::Complex& out) override;

  NodeKind kind() const { return static_cast<NodeKind>(children.tag_); }

  // Nodes come from a pool of the engine's own: every statement makes and
  // drops a handful of small nodes, a huge one a million of them.
  static void* operator new(std::size_t size);
  static void operator delete(void* pointer, std::size_t size);

  // The texts fill what would be the padding after the children.
  [[no_unique_address]] CNodeList children;
  CTextList texts;

 protected:
  explicit CNode(NodeKind kind) { children.tag_ = static_cast<std::uint8_t>(kind); }
};

/// A new node of the class that stands for kind.
std::unique_ptr<CNode> MakeNode(NodeKind kind);

}  // namespace NCalculatorText
