// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
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

/// A node of the tree. Instantiated directly only as the root of a statement.
///
/// texts holds the source texts the node was given to parse. Nodes made by
/// the parser keep only what they need later: a number literal in its "."
/// form, a constant's text, a memory cell's name. Operator nodes do not copy
/// their operand texts: their operands are spans of the statement, which keeps
/// a long chain of operators linear in time and memory.
class CNode : public CParcer {
 public:
  CNode() : CNode(NodeKind::Root) {}
  ~CNode() override;

  CNode* GetNode() override { return this; }
  bool Parse() override;
  bool Evaluate(vora::Complex& out) override;

  NodeKind kind() const { return kind_; }

  std::vector<std::u16string> texts;
  std::vector<std::unique_ptr<CNode>> children;

 protected:
  explicit CNode(NodeKind kind) : kind_(kind) {}

 private:
  NodeKind kind_;
};

/// A new node of the class that stands for kind.
std::unique_ptr<CNode> MakeNode(NodeKind kind);

}  // namespace NCalculatorText
