// SPDX-License-Identifier: MIT
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "engine/CParcer.h"
#include "engine/CalculationDriver.h"
#include "engine/Nodes.h"
#include "math/ElementaryFunctions.h"
#include "math/MathError.h"
#include "memory/MemoryStore.h"

// Evaluation walks the tree with a stack of its own. Operands are computed
// before a function node hands them to the function library through an
// evaluator that only returns the computed value; every node that can report
// makes its own operation current, so the log names the same operation as if
// the library had evaluated the operand itself.

namespace NCalculatorText {
namespace {

using vora::Complex;
using vora::EvaluationState;
using vora::FunctionId;
using vora::OperationCode;

bool IsBinary(NodeKind kind) {
  switch (kind) {
    case NodeKind::Store:
    case NodeKind::Plus:
    case NodeKind::Minus:
    case NodeKind::Mul:
    case NodeKind::Div:
    case NodeKind::Pow:
      return true;
    default:
      return false;
  }
}

bool IsLeaf(NodeKind kind) {
  switch (kind) {
    case NodeKind::Pi:
    case NodeKind::E:
    case NodeKind::I:
    case NodeKind::Result:
    case NodeKind::Number:
    case NodeKind::Memory:
      return true;
    default:
      return false;
  }
}

// The operation a node makes current around its operands itself; the
// function library does that for the function nodes.
bool OwnOperation(NodeKind kind, OperationCode& code) {
  switch (kind) {
    case NodeKind::Plus:
      code = OperationCode::Addition;
      return true;
    case NodeKind::Minus:
      code = OperationCode::Subtraction;
      return true;
    case NodeKind::Mul:
      code = OperationCode::Multiplication;
      return true;
    case NodeKind::Div:
      code = OperationCode::Division;
      return true;
    case NodeKind::Abs:
      code = OperationCode::AbsoluteValue;
      return true;
    default:
      return false;
  }
}

bool LibraryFunction(NodeKind kind, FunctionId& id) {
  switch (kind) {
    case NodeKind::Factorial:
      id = FunctionId::Factorial;
      return true;
    case NodeKind::Sqrt:
      id = FunctionId::Sqrt;
      return true;
    case NodeKind::Exp:
      id = FunctionId::Exp;
      return true;
    case NodeKind::Ln:
      id = FunctionId::Ln;
      return true;
    case NodeKind::Lg:
      id = FunctionId::Lg;
      return true;
    case NodeKind::Sin:
      id = FunctionId::Sin;
      return true;
    case NodeKind::Cos:
      id = FunctionId::Cos;
      return true;
    case NodeKind::Tg:
      id = FunctionId::Tan;
      return true;
    case NodeKind::Ctg:
      id = FunctionId::Cot;
      return true;
    case NodeKind::Sec:
      id = FunctionId::Sec;
      return true;
    case NodeKind::Cosec:
      id = FunctionId::Csc;
      return true;
    case NodeKind::ArcSin:
      id = FunctionId::ArcSin;
      return true;
    case NodeKind::ArcCos:
      id = FunctionId::ArcCos;
      return true;
    case NodeKind::ArcTg:
      id = FunctionId::ArcTan;
      return true;
    case NodeKind::ArcCtg:
      id = FunctionId::ArcCot;
      return true;
    case NodeKind::ArcSec:
      id = FunctionId::ArcSec;
      return true;
    case NodeKind::ArcCosec:
      id = FunctionId::ArcCsc;
      return true;
    case NodeKind::Sh:
      id = FunctionId::Sinh;
      return true;
    case NodeKind::Ch:
      id = FunctionId::Cosh;
      return true;
    case NodeKind::Th:
      id = FunctionId::Tanh;
      return true;
    case NodeKind::Cth:
      id = FunctionId::Coth;
      return true;
    case NodeKind::Sech:
      id = FunctionId::Sech;
      return true;
    case NodeKind::Csch:
      id = FunctionId::Csch;
      return true;
    case NodeKind::ArSh:
      id = FunctionId::ArSinh;
      return true;
    case NodeKind::ArCh:
      id = FunctionId::ArCosh;
      return true;
    case NodeKind::ArTh:
      id = FunctionId::ArTanh;
      return true;
    case NodeKind::ArCth:
      id = FunctionId::ArCoth;
      return true;
    case NodeKind::ArSch:
      id = FunctionId::ArSech;
      return true;
    case NodeKind::ArCsch:
      id = FunctionId::ArCsch;
      return true;
    default:
      return false;
  }
}

void EnterOperation(OperationCode code, int& saved) {
  EvaluationState& state = EvaluationState::Get();
  saved = state.currentOperation;
  state.currentOperation = static_cast<int>(code);
  state.suppressOverflowReport = false;
}

bool LeaveOperation(int saved) {
  EvaluationState& state = EvaluationState::Get();
  state.currentOperation = saved;
  state.suppressOverflowReport = false;
  return state.evaluationOk;
}

bool EvaluateLeaf(const CNode& node, Complex& out) {
  switch (node.kind()) {
    case NodeKind::Pi:
      out = {vora::kPi, 0.0};
      return true;
    case NodeKind::E:
      out = {vora::kE, 0.0};
      return true;
    case NodeKind::I:
      out = vora::kImaginaryUnit;
      return true;
    case NodeKind::Result:
      out = LastResult();
      return true;
    case NodeKind::Number: {
      int saved = 0;
      EnterOperation(OperationCode::Number, saved);
      const Complex value = static_cast<const CNodeNumber&>(node).value;
      if (!vora::IsFinite(value))
        vora::ReportMathError(vora::MathErrorKind::Overflow, value.re, 0.0);
      out = value;
      return LeaveOperation(saved);
    }
    case NodeKind::Memory: {
      int saved = 0;
      EnterOperation(OperationCode::Memory, saved);
      vora::MemoryStore& store = vora::MemoryStore::Get();
      const vora::MemoryCell* cell = node.texts.empty() ? nullptr : store.Find(node.texts[0]);
      if (cell == nullptr) {
        vora::ReportMathError(vora::MathErrorKind::UninitializedMemory, 0.0, 0.0);
        out = {};
      } else {
        out = cell->value;
        store.memoryChanged = true;
      }
      return LeaveOperation(saved);
    }
    default:
      return false;
  }
}

// An operand already evaluated, handed to the function library.
struct Computed {
  bool ok;
  Complex value;
  bool Get(Complex& z) const {
    z = value;
    return ok;
  }
};

// The value of a node with one operand whose value (and success) is known.
bool FinishUnary(const CNode& node, int saved, bool operandOk, Complex operand, Complex& out) {
  FunctionId id{};
  if (LibraryFunction(node.kind(), id)) {
    // Captures one pointer, so the evaluator needs no allocation.
    const Computed given{operandOk, operand};
    return vora::EvaluateFunction(
        id, [&given](Complex& z) { return given.Get(z); }, out);
  }
  if (node.kind() == NodeKind::Abs) {
    if (operandOk) vora::AbsoluteValue(operand, out);
    return LeaveOperation(saved);
  }
  // The rest are transparent: no operation of their own, no reports.
  if (!operandOk) return false;
  switch (node.kind()) {
    case NodeKind::Root:
      out = operand;
      break;
    case NodeKind::ChangeSign:
      out = vora::ChangeSign(operand);
      break;
    case NodeKind::Sign:
      out = vora::Sign(operand);
      break;
    case NodeKind::Conjugate:
      out = vora::Conjugate(operand);
      break;
    case NodeKind::Re:
      out = vora::RealPart(operand);
      break;
    case NodeKind::Im:
      out = vora::ImaginaryPart(operand);
      break;
    case NodeKind::Arg:
      out = vora::Argument(operand);
      break;
    case NodeKind::Ceil:
      out = vora::Ceil(operand);
      break;
    case NodeKind::Floor:
      out = vora::Floor(operand);
      break;
    default:
      return false;
  }
  return true;
}

// The value of a node with two operands; right is only valid when leftOk.
bool FinishBinary(const CNode& node, int saved, bool leftOk, Complex left, bool rightOk,
                  Complex right, Complex& out) {
  switch (node.kind()) {
    case NodeKind::Store:
      if (leftOk && node.children.size() == 2 && node.children[1] &&
          !node.children[1]->texts.empty()) {
        vora::MemoryStore& store = vora::MemoryStore::Get();
        store.CellForStore(node.children[1]->texts[0]).value = left;
        store.memoryChanged = true;
      }
      out = left;
      return EvaluationState::Get().evaluationOk;
    case NodeKind::Pow: {
      const Computed base{leftOk, left};
      const Computed exponent{leftOk && rightOk, right};
      return vora::EvaluatePower([&base](Complex& z) { return base.Get(z); },
                                 [&exponent](Complex& z) { return exponent.Get(z); }, out);
    }
    default:
      break;
  }
  if (leftOk && rightOk) {
    switch (node.kind()) {
      case NodeKind::Plus:
        vora::Add(left, right, out);
        break;
      case NodeKind::Minus:
        vora::Subtract(left, right, out);
        break;
      case NodeKind::Mul:
        vora::Multiply(left, right, out);
        break;
      case NodeKind::Div:
        vora::Divide(left, right, out);
        break;
      default:
        break;
    }
  }
  return LeaveOperation(saved);
}

// A stack in blocks of a fixed size: it never copies what it holds to grow,
// so a deep evaluation never needs its stack twice over. The first block is
// kept between evaluations.
template <typename T>
class BlockStack {
 public:
  bool empty() const { return size_ == 0; }
  T& back() { return blocks_[(size_ - 1) / kBlock][(size_ - 1) % kBlock]; }
  void push_back(const T& item) {
    if (size_ == blocks_.size() * kBlock) blocks_.push_back(std::make_unique<T[]>(kBlock));
    blocks_[size_ / kBlock][size_ % kBlock] = item;
    ++size_;
  }
  void pop_back() { --size_; }
  void clear() {
    size_ = 0;
    if (blocks_.size() > 1) blocks_.resize(1);
  }

 private:
  static constexpr std::size_t kBlock = 1024;
  std::vector<std::unique_ptr<T[]>> blocks_;
  std::size_t size_ = 0;
};

// The operations to restore, as runs of equal ones: in a chain of one
// operator every level but the first restores the same.
class SavedOperations {
 public:
  void push_back(int operation) {
    if (!runs_.empty() && runs_.back().operation == operation) {
      ++runs_.back().count;
    } else {
      runs_.push_back({operation, 1});
    }
  }
  /// Removes and returns the last one pushed.
  int Pop() {
    Run& run = runs_.back();
    const int operation = run.operation;
    if (--run.count == 0) runs_.pop_back();
    return operation;
  }
  void clear() { runs_.clear(); }

 private:
  struct Run {
    int operation;
    std::uint32_t count;
  };
  BlockStack<Run> runs_;
};

// One node whose operands are being evaluated, as the node's address with
// the stage (0: nothing evaluated yet, 1: first operand under way, 2:
// second) and whether the first operand succeeded in its low bits. Values
// wait on stacks of their own, a left operand's while the right one is
// evaluated and the operation to restore of a node that makes its own
// current, so a level of a chain of half a million operators costs 8 bytes
// (and 16 more while a left operand waits).
class Frame {
 public:
  Frame() = default;
  explicit Frame(const CNode* node) : bits_(reinterpret_cast<std::uintptr_t>(node)) {}
  const CNode& node() const { return *reinterpret_cast<const CNode*>(bits_ & ~kLow); }
  unsigned stage() const { return static_cast<unsigned>(bits_ & kStage); }
  bool firstOk() const { return (bits_ & kFirstOk) != 0; }
  void Advance(unsigned stage, bool firstOk) {
    bits_ = (bits_ & ~kLow) | stage | (firstOk ? kFirstOk : 0);
  }

 private:
  static constexpr std::uintptr_t kStage = 3;
  static constexpr std::uintptr_t kFirstOk = 4;
  static constexpr std::uintptr_t kLow = 7;
  static_assert(alignof(CNode) > kLow);
  std::uintptr_t bits_ = 0;
};

// The stacks of the last evaluation, kept for the next one.
struct EvaluationStacks {
  BlockStack<Frame> frames;
  BlockStack<Complex> firsts;  // left operands of the frames in stage 2
  SavedOperations saved;       // of the frames that made their operation current
};

EvaluationStacks& SpareStacks() {
  static auto* const stacks = new EvaluationStacks;
  return *stacks;
}

bool EvaluateTree(const CNode& top, Complex& out) {
  if (IsLeaf(top.kind())) return EvaluateLeaf(top, out);
  EvaluationStacks stacks = std::move(SpareStacks());
  BlockStack<Frame>& stack = stacks.frames;
  BlockStack<Complex>& firsts = stacks.firsts;
  SavedOperations& savedOperations = stacks.saved;
  stack.clear();
  firsts.clear();
  savedOperations.clear();
  stack.push_back(Frame(&top));
  bool ok = false;  // the outcome of the node finished last
  Complex value{};  // and its value
  // The operation to restore when a node finishes.
  const auto restored = [&savedOperations](const CNode& node) {
    OperationCode code{};
    if (!OwnOperation(node.kind(), code)) return 0;
    return savedOperations.Pop();
  };
  while (!stack.empty()) {
    Frame& frame = stack.back();
    const CNode& node = frame.node();
    const std::size_t arity = IsBinary(node.kind()) ? 2 : 1;
    if (node.children.size() < arity || !node.children[0] || (arity == 2 && !node.children[1])) {
      // A node that was never parsed has no value.
      ok = false;
      value = {};
      stack.pop_back();
      continue;
    }
    const CNode* next = nullptr;
    if (frame.stage() == 0) {
      OperationCode code{};
      if (OwnOperation(node.kind(), code)) {
        int saved = 0;
        EnterOperation(code, saved);
        savedOperations.push_back(saved);
      }
      frame.Advance(1, false);
      next = node.children[0].get();
    } else if (arity == 2 && frame.stage() == 1) {
      frame.Advance(2, ok);
      // The right operand is evaluated only when the left one succeeded; a
      // store never evaluates its target.
      if (ok && node.kind() != NodeKind::Store) {
        firsts.push_back(value);
        next = node.children[1].get();
      } else {
        Complex result{};
        ok = FinishBinary(node, restored(node), ok, value, false, {}, result);
        value = result;
        stack.pop_back();
        continue;
      }
    } else {
      Complex result{};
      if (arity == 2) {
        const Complex first = firsts.back();
        firsts.pop_back();
        ok = FinishBinary(node, restored(node), frame.firstOk(), first, ok, value, result);
      } else {
        ok = FinishUnary(node, restored(node), ok, value, result);
      }
      value = result;
      stack.pop_back();
      continue;
    }
    if (IsLeaf(next->kind())) {
      ok = EvaluateLeaf(*next, value);
    } else {
      stack.push_back(Frame(next));
    }
  }
  stack.clear();
  firsts.clear();
  savedOperations.clear();
  SpareStacks() = std::move(stacks);
  out = value;
  return ok;
}

}  // namespace

// Tells the handles where the pool's chunks are.
class CNodeChunks {
 public:
  static void Set(std::byte* const* chunks) { CNodeHandle::chunks_ = chunks; }
};

namespace {

// Fixed-size blocks for the node classes, carved from large chunks and kept
// on free lists by size. The chunks go back once no node is alive, so a huge
// statement does not pin its memory. Like the rest of the engine it is used
// from one thread.
//
// A chunk is aligned to its size and starts with its number in the pool, so
// a block's handle (chunk number and offset, see CNodeHandle) is found from
// its address alone, and the address from the handle by one table lookup.
class NodePool {
 public:
  void* Allocate(std::size_t size) {
    if (size > kLargest) throw std::bad_alloc();
    const std::size_t cls = (size + kAlign - 1) / kAlign;
    if (FreeBlock* block = free_[cls]) {
      free_[cls] = block->next;
      ++live_;
      return block;
    }
    const std::size_t bytes = cls * kAlign;
    if (chunks_.empty() || used_ + bytes > kChunk) {
      if (chunks_.size() >= kMaxChunks) throw std::bad_alloc();
      chunks_.reserve(chunks_.size() + 1);
      auto* chunk = static_cast<std::byte*>(::operator new (kChunk, std::align_val_t{kChunk}));
      *reinterpret_cast<std::uint32_t*>(chunk) = static_cast<std::uint32_t>(chunks_.size());
      chunks_.push_back(chunk);
      CNodeChunks::Set(chunks_.data());
      used_ = kHeader;
    }
    void* block = chunks_.back() + used_;
    used_ += bytes;
    ++live_;
    return block;
  }

  void Free(void* pointer, std::size_t size) {
    const std::size_t cls = (size + kAlign - 1) / kAlign;
    auto* block = static_cast<FreeBlock*>(pointer);
    block->next = free_[cls];
    free_[cls] = block;
    if (--live_ == 0 && chunks_.size() > kChunksKept) {
      for (std::byte* chunk : chunks_) ::operator delete (chunk, std::align_val_t{kChunk});
      chunks_.clear();
      CNodeChunks::Set(chunks_.data());
      for (FreeBlock*& list : free_) list = nullptr;
      used_ = 0;
    }
  }

  std::uint32_t HandleOf(const void* pointer) const {
    const auto address = reinterpret_cast<std::uintptr_t>(pointer);
    const std::uintptr_t offset = address & (kChunk - 1);
    const std::uint32_t chunk = *reinterpret_cast<const std::uint32_t*>(address - offset);
    return chunk << kOffsetBits | static_cast<std::uint32_t>(offset / kAlign);
  }

 private:
  struct FreeBlock {
    FreeBlock* next;
  };
  // Every node class holds pointers, doubles and narrower integers only.
  static constexpr std::size_t kAlign = CNodeHandle::kBlockAlign;
  static_assert(alignof(CNodeNumber) <= kAlign && alignof(CNode) <= kAlign);
  static constexpr std::size_t kLargest = 256;
  static_assert(sizeof(CNodeNumber) <= kLargest);
  static constexpr std::size_t kChunk = CNodeHandle::kChunkBytes;
  // The chunk number; it also keeps offset 0, and so handle 0, unused.
  static constexpr std::size_t kHeader = kAlign;
  static constexpr unsigned kOffsetBits = CNodeHandle::kOffsetBits;
  static constexpr std::size_t kMaxChunks = std::size_t{1} << (32 - kOffsetBits);
  static constexpr std::size_t kChunksKept = 4;

  FreeBlock* free_[kLargest / kAlign + 1] = {};
  std::vector<std::byte*> chunks_;
  std::size_t used_ = 0;
  std::size_t live_ = 0;
};

// Never destroyed, so that a tree that outlives the statics at exit can
// still give its nodes back.
NodePool& Pool() {
  static NodePool* const pool = new NodePool;
  return *pool;
}

// The text lists of all nodes, by number; number 0 is never used. A deque, so
// that a list stays where it is while others are added.
struct TextTable {
  std::deque<std::vector<std::u16string>> lists;
  std::vector<std::uint32_t> unused;
};

TextTable& Texts() {
  static TextTable* const table = new TextTable{{{}}, {}};
  return *table;
}

}  // namespace

CNodeHandle& CNodeHandle::operator=(std::unique_ptr<CNode> node) {
  reset();
  if (node) id_ = Pool().HandleOf(node.release());
  return *this;
}

void CNodeHandle::Destroy() {
  CNode* node = Resolve(id_);
  id_ = 0;
  delete node;
}

CTextList& CTextList::operator=(std::initializer_list<std::u16string> texts) {
  clear();
  for (const std::u16string& text : texts) push_back(text);
  return *this;
}

void CTextList::push_back(std::u16string text) {
  if (id_ == 0) {
    TextTable& table = Texts();
    if (table.unused.empty()) {
      table.lists.emplace_back();
      id_ = static_cast<std::uint32_t>(table.lists.size() - 1);
    } else {
      id_ = table.unused.back();
      table.unused.pop_back();
    }
  }
  Items().push_back(std::move(text));
}

void CTextList::clear() {
  if (id_ == 0) return;
  TextTable& table = Texts();
  std::vector<std::u16string>().swap(table.lists[id_]);
  table.unused.push_back(id_);
  id_ = 0;
}

std::vector<std::u16string>& CTextList::Items() const {
  return Texts().lists[id_];
}

CNode::~CNode() {
  // Children are taken apart one level at a time from a list of our own, so
  // a degenerate tree of any depth is destroyed without deep native calls.
  if (children.empty()) return;
  // Reused between trees, and never destroyed itself (see Pool).
  static auto* const spare = new std::vector<CNode*>;
  std::vector<CNode*> pending = std::move(*spare);
  pending.clear();
  for (CNodeHandle& child : children) {
    if (CNode* node = child.release()) pending.push_back(node);
  }
  children.clear();
  while (!pending.empty()) {
    CNode* node = pending.back();
    pending.pop_back();
    for (CNodeHandle& child : node->children) {
      if (CNode* grandchild = child.release()) pending.push_back(grandchild);
    }
    node->children.clear();
    delete node;
  }
  if (pending.capacity() <= 4096) *spare = std::move(pending);
}

void* CNode::operator new(std::size_t size) {
  return Pool().Allocate(size);
}

void CNode::operator delete(void* pointer, std::size_t size) {
  Pool().Free(pointer, size);
}

bool CNode::Evaluate(Complex& out) {
  return EvaluateTree(*this, out);
}

std::unique_ptr<CNode> MakeNode(NodeKind kind) {
  switch (kind) {
    case NodeKind::Root:
      return std::make_unique<CNode>();
    case NodeKind::Store:
      return std::make_unique<CNodeStore>();
    case NodeKind::Plus:
      return std::make_unique<CNodePlus>();
    case NodeKind::Minus:
      return std::make_unique<CNodeMinus>();
    case NodeKind::Mul:
      return std::make_unique<CNodeMul>();
    case NodeKind::Div:
      return std::make_unique<CNodeDiv>();
    case NodeKind::Pow:
      return std::make_unique<CNodePow>();
    case NodeKind::ChangeSign:
      return std::make_unique<CNodeChangeSign>();
    case NodeKind::Factorial:
      return std::make_unique<CNodeFactorial>();
    case NodeKind::Sign:
      return std::make_unique<CNodeSign>();
    case NodeKind::Abs:
      return std::make_unique<CNodeAbs>();
    case NodeKind::Arg:
      return std::make_unique<CNodeArg>();
    case NodeKind::Re:
      return std::make_unique<CNodeRe>();
    case NodeKind::Im:
      return std::make_unique<CNodeIm>();
    case NodeKind::Conjugate:
      return std::make_unique<CNodeConjugate>();
    case NodeKind::Ceil:
      return std::make_unique<CNodeCeil>();
    case NodeKind::Floor:
      return std::make_unique<CNodeFloor>();
    case NodeKind::Sqrt:
      return std::make_unique<CNodeSqrt>();
    case NodeKind::Exp:
      return std::make_unique<CNodeExp>();
    case NodeKind::Ln:
      return std::make_unique<CNodeLn>();
    case NodeKind::Lg:
      return std::make_unique<CNodeLg>();
    case NodeKind::Sin:
      return std::make_unique<CNodeSin>();
    case NodeKind::Cos:
      return std::make_unique<CNodeCos>();
    case NodeKind::Tg:
      return std::make_unique<CNodeTg>();
    case NodeKind::Ctg:
      return std::make_unique<CNodeCtg>();
    case NodeKind::Sec:
      return std::make_unique<CNodeSec>();
    case NodeKind::Cosec:
      return std::make_unique<CNodeCosec>();
    case NodeKind::ArcSin:
      return std::make_unique<CNodeArcSin>();
    case NodeKind::ArcCos:
      return std::make_unique<CNodeArcCos>();
    case NodeKind::ArcTg:
      return std::make_unique<CNodeArcTg>();
    case NodeKind::ArcCtg:
      return std::make_unique<CNodeArcCtg>();
    case NodeKind::ArcSec:
      return std::make_unique<CNodeArcSec>();
    case NodeKind::ArcCosec:
      return std::make_unique<CNodeArcCosec>();
    case NodeKind::Sh:
      return std::make_unique<CNodeSh>();
    case NodeKind::Ch:
      return std::make_unique<CNodeCh>();
    case NodeKind::Th:
      return std::make_unique<CNodeTh>();
    case NodeKind::Cth:
      return std::make_unique<CNodeCth>();
    case NodeKind::Sech:
      return std::make_unique<CNodeSech>();
    case NodeKind::Csch:
      return std::make_unique<CNodeCsch>();
    case NodeKind::ArSh:
      return std::make_unique<CNodeArSh>();
    case NodeKind::ArCh:
      return std::make_unique<CNodeArCh>();
    case NodeKind::ArTh:
      return std::make_unique<CNodeArTh>();
    case NodeKind::ArCth:
      return std::make_unique<CNodeArCth>();
    case NodeKind::ArSch:
      return std::make_unique<CNodeArSch>();
    case NodeKind::ArCsch:
      return std::make_unique<CNodeArCsch>();
    case NodeKind::Pi:
      return std::make_unique<CNodePi>();
    case NodeKind::E:
      return std::make_unique<CNodeE>();
    case NodeKind::I:
      return std::make_unique<CNodeI>();
    case NodeKind::Result:
      return std::make_unique<CNodeResult>();
    case NodeKind::Number:
      return std::make_unique<CNodeNumber>();
    case NodeKind::Memory:
      return std::make_unique<CNodeMemory>();
  }
  return nullptr;
}

}  // namespace NCalculatorText
