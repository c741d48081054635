// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "engine/CParcer.h"
#include "engine/Nodes.h"

namespace NCalculatorText::testing {

/// A number as the shapes write it: enough digits to tell doubles apart.
inline std::u16string ShapeNumber(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

/// The name a function node is shown by: its class name without "CNode", in
/// lower case; empty for the other kinds.
inline std::u16string_view FunctionShapeName(NodeKind kind) {
  switch (kind) {
    case NodeKind::Sign:
      return u"sign";
    case NodeKind::Abs:
      return u"abs";
    case NodeKind::Arg:
      return u"arg";
    case NodeKind::Re:
      return u"re";
    case NodeKind::Im:
      return u"im";
    case NodeKind::Conjugate:
      return u"conjugate";
    case NodeKind::Ceil:
      return u"ceil";
    case NodeKind::Floor:
      return u"floor";
    case NodeKind::Sqrt:
      return u"sqrt";
    case NodeKind::Exp:
      return u"exp";
    case NodeKind::Ln:
      return u"ln";
    case NodeKind::Lg:
      return u"lg";
    case NodeKind::Sin:
      return u"sin";
    case NodeKind::Cos:
      return u"cos";
    case NodeKind::Tg:
      return u"tg";
    case NodeKind::Ctg:
      return u"ctg";
    case NodeKind::Sec:
      return u"sec";
    case NodeKind::Cosec:
      return u"cosec";
    case NodeKind::ArcSin:
      return u"arcsin";
    case NodeKind::ArcCos:
      return u"arccos";
    case NodeKind::ArcTg:
      return u"arctg";
    case NodeKind::ArcCtg:
      return u"arcctg";
    case NodeKind::ArcSec:
      return u"arcsec";
    case NodeKind::ArcCosec:
      return u"arccosec";
    case NodeKind::Sh:
      return u"sh";
    case NodeKind::Ch:
      return u"ch";
    case NodeKind::Th:
      return u"th";
    case NodeKind::Cth:
      return u"cth";
    case NodeKind::Sech:
      return u"sech";
    case NodeKind::Csch:
      return u"csch";
    case NodeKind::ArSh:
      return u"arsh";
    case NodeKind::ArCh:
      return u"arch";
    case NodeKind::ArTh:
      return u"arth";
    case NodeKind::ArCth:
      return u"arcth";
    case NodeKind::ArSch:
      return u"arsch";
    case NodeKind::ArCsch:
      return u"arcsch";
    default:
      return {};
  }
}

/// The tree as text: operators by symbol ("((1-2)-3)"), the sign change and
/// the factorial as neg(...) and fact(...), functions by FunctionShapeName,
/// constants by name, numbers by value and memory references as mem[name].
/// Written with an explicit stack of its own so that deep trees print too.
inline std::u16string Shape(const CNode& top) {
  struct Step {
    const CNode* node;
    const char16_t* literal;  // text to emit instead of visiting a node
  };
  std::u16string out;
  std::vector<Step> steps{{&top, nullptr}};
  while (!steps.empty()) {
    const Step step = steps.back();
    steps.pop_back();
    if (step.literal != nullptr) {
      out += step.literal;
      continue;
    }
    if (step.node == nullptr) {
      out += u"?";
      continue;
    }
    const CNode& node = *step.node;
    const auto child = [&node](std::size_t k) {
      return k < node.children.size() ? node.children[k].get() : nullptr;
    };
    const auto infix = [&](const char16_t* op) {
      out += u"(";
      steps.push_back({nullptr, u")"});
      steps.push_back({child(1), nullptr});
      steps.push_back({nullptr, op});
      steps.push_back({child(0), nullptr});
    };
    const auto prefix = [&](std::u16string name) {
      out += name + u"(";
      steps.push_back({nullptr, u")"});
      steps.push_back({child(0), nullptr});
    };
    switch (node.kind()) {
      case NodeKind::Root:
        steps.push_back({child(0), nullptr});
        break;
      case NodeKind::Store:
        infix(u"->");
        break;
      case NodeKind::Plus:
        infix(u"+");
        break;
      case NodeKind::Minus:
        infix(u"-");
        break;
      case NodeKind::Mul:
        infix(u"*");
        break;
      case NodeKind::Div:
        infix(u"/");
        break;
      case NodeKind::Pow:
        infix(u"^");
        break;
      case NodeKind::ChangeSign:
        prefix(u"neg");
        break;
      case NodeKind::Factorial:
        prefix(u"fact");
        break;
      case NodeKind::Number:
        out += ShapeNumber(static_cast<const CNodeNumber&>(node).value.re);
        break;
      case NodeKind::Memory:
        out += u"mem[" + (node.texts.empty() ? u"" : node.texts[0]) + u"]";
        break;
      case NodeKind::Pi:
        out += u"pi";
        break;
      case NodeKind::E:
        out += u"e";
        break;
      case NodeKind::I:
        out += u"i";
        break;
      case NodeKind::Result:
        out += u"rslt";
        break;
      default:
        prefix(std::u16string(FunctionShapeName(node.kind())));
        break;
    }
  }
  return out;
}

}  // namespace NCalculatorText::testing
