// SPDX-License-Identifier: MIT
#pragma once

#include "engine/CParcer.h"
#include "math/Complex.h"

/// The node classes of the expression tree. Each one only names what its node
/// stands for; the operand texts, the children and the behaviour live in CNode.

namespace NCalculatorText {

// Operators: two operands, except the sign change and the factorial.
class CNodeStore final : public CNode {
 public:
  CNodeStore() : CNode(NodeKind::Store) {}
};
class CNodePlus final : public CNode {
 public:
  CNodePlus() : CNode(NodeKind::Plus) {}
};
class CNodeMinus final : public CNode {
 public:
  CNodeMinus() : CNode(NodeKind::Minus) {}
};
class CNodeMul final : public CNode {
 public:
  CNodeMul() : CNode(NodeKind::Mul) {}
};
class CNodeDiv final : public CNode {
 public:
  CNodeDiv() : CNode(NodeKind::Div) {}
};
class CNodePow final : public CNode {
 public:
  CNodePow() : CNode(NodeKind::Pow) {}
};
class CNodeChangeSign final : public CNode {
 public:
  CNodeChangeSign() : CNode(NodeKind::ChangeSign) {}
};
class CNodeFactorial final : public CNode {
 public:
  CNodeFactorial() : CNode(NodeKind::Factorial) {}
};

// Functions of one bracketed argument.
class CNodeSign final : public CNode {
 public:
  CNodeSign() : CNode(NodeKind::Sign) {}
};
class CNodeAbs final : public CNode {
 public:
  CNodeAbs() : CNode(NodeKind::Abs) {}
};
class CNodeArg final : public CNode {
 public:
  CNodeArg() : CNode(NodeKind::Arg) {}
};
class CNodeRe final : public CNode {
 public:
  CNodeRe() : CNode(NodeKind::Re) {}
};
class CNodeIm final : public CNode {
 public:
  CNodeIm() : CNode(NodeKind::Im) {}
};
class CNodeConjugate final : public CNode {
 public:
  CNodeConjugate() : CNode(NodeKind::Conjugate) {}
};
class CNodeCeil final : public CNode {
 public:
  CNodeCeil() : CNode(NodeKind::Ceil) {}
};
class CNodeFloor final : public CNode {
 public:
  CNodeFloor() : CNode(NodeKind::Floor) {}
};
class CNodeSqrt final : public CNode {
 public:
  CNodeSqrt() : CNode(NodeKind::Sqrt) {}
};
class CNodeExp final : public CNode {
 public:
  CNodeExp() : CNode(NodeKind::Exp) {}
};
class CNodeLn final : public CNode {
 public:
  CNodeLn() : CNode(NodeKind::Ln) {}
};
class CNodeLg final : public CNode {
 public:
  CNodeLg() : CNode(NodeKind::Lg) {}
};
class CNodeSin final : public CNode {
 public:
  CNodeSin() : CNode(NodeKind::Sin) {}
};
class CNodeCos final : public CNode {
 public:
  CNodeCos() : CNode(NodeKind::Cos) {}
};
class CNodeTg final : public CNode {
 public:
  CNodeTg() : CNode(NodeKind::Tg) {}
};
class CNodeCtg final : public CNode {
 public:
  CNodeCtg() : CNode(NodeKind::Ctg) {}
};
class CNodeSec final : public CNode {
 public:
  CNodeSec() : CNode(NodeKind::Sec) {}
};
class CNodeCosec final : public CNode {
 public:
  CNodeCosec() : CNode(NodeKind::Cosec) {}
};
class CNodeArcSin final : public CNode {
 public:
  CNodeArcSin() : CNode(NodeKind::ArcSin) {}
};
class CNodeArcCos final : public CNode {
 public:
  CNodeArcCos() : CNode(NodeKind::ArcCos) {}
};
class CNodeArcTg final : public CNode {
 public:
  CNodeArcTg() : CNode(NodeKind::ArcTg) {}
};
class CNodeArcCtg final : public CNode {
 public:
  CNodeArcCtg() : CNode(NodeKind::ArcCtg) {}
};
class CNodeArcSec final : public CNode {
 public:
  CNodeArcSec() : CNode(NodeKind::ArcSec) {}
};
class CNodeArcCosec final : public CNode {
 public:
  CNodeArcCosec() : CNode(NodeKind::ArcCosec) {}
};
class CNodeSh final : public CNode {
 public:
  CNodeSh() : CNode(NodeKind::Sh) {}
};
class CNodeCh final : public CNode {
 public:
  CNodeCh() : CNode(NodeKind::Ch) {}
};
class CNodeTh final : public CNode {
 public:
  CNodeTh() : CNode(NodeKind::Th) {}
};
class CNodeCth final : public CNode {
 public:
  CNodeCth() : CNode(NodeKind::Cth) {}
};
class CNodeSech final : public CNode {
 public:
  CNodeSech() : CNode(NodeKind::Sech) {}
};
class CNodeCsch final : public CNode {
 public:
  CNodeCsch() : CNode(NodeKind::Csch) {}
};
class CNodeArSh final : public CNode {
 public:
  CNodeArSh() : CNode(NodeKind::ArSh) {}
};
class CNodeArCh final : public CNode {
 public:
  CNodeArCh() : CNode(NodeKind::ArCh) {}
};
class CNodeArTh final : public CNode {
 public:
  CNodeArTh() : CNode(NodeKind::ArTh) {}
};
class CNodeArCth final : public CNode {
 public:
  CNodeArCth() : CNode(NodeKind::ArCth) {}
};
class CNodeArSch final : public CNode {
 public:
  CNodeArSch() : CNode(NodeKind::ArSch) {}
};
class CNodeArCsch final : public CNode {
 public:
  CNodeArCsch() : CNode(NodeKind::ArCsch) {}
};

// Terminals: constants, the last result, memory references and numbers.
class CNodePi final : public CNode {
 public:
  CNodePi() : CNode(NodeKind::Pi) {}
};
class CNodeE final : public CNode {
 public:
  CNodeE() : CNode(NodeKind::E) {}
};
class CNodeI final : public CNode {
 public:
  CNodeI() : CNode(NodeKind::I) {}
};
class CNodeResult final : public CNode {
 public:
  CNodeResult() : CNode(NodeKind::Result) {}
};
class CNodeMemory final : public CNode {
 public:
  CNodeMemory() : CNode(NodeKind::Memory) {}
};

class CNodeNumber final : public CNode {
 public:
  CNodeNumber() : CNode(NodeKind::Number) {}
  /// Set by Parse from texts[0].
  vora::Complex value;
};

}  // namespace NCalculatorText
