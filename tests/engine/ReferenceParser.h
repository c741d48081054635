// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/CParcer.h"
#include "engine/TreeShape.h"

/// The statement parser written the slow, literal way: bracket groups are cut
/// out into a table and replaced by "$n$" placeholders, every rule searches
/// and copies strings, and each operand recurses. It builds no nodes; it
/// writes the shape of the tree it would build (as Shape does), so that the
/// engine's parser can be checked against it on short statements.
namespace NCalculatorText::testing {

class ReferenceParser {
 public:
  /// The shape of the statement's tree, or false when it is refused.
  bool ParseStatement(std::u16string text, std::u16string& shape) {
    groups_.clear();
    while (!text.empty() && IsWide(text.back())) text.pop_back();
    while (!text.empty() && IsWide(text.front())) text.erase(0, 1);
    std::u16string prepared;
    for (char16_t c : text) {
      if (c == u'\t' || c == u'\n' || c == u'\r') continue;
      if (c == u'[' || c == u'{') c = u'(';
      if (c == u']' || c == u'}') c = u')';
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
      prepared.push_back(c);
    }
    if (!prepared.empty() && prepared.find(u'$') != std::u16string::npos) return false;
    shape.clear();
    return ParseOperand(std::move(prepared), shape);
  }

  /// The number literal test, step by step on a copy.
  static bool IsNumber(std::u16string t) {
    if (!t.empty() && (t[0] == u'+' || IsMinus(t[0]))) t.erase(0, 1);
    const std::size_t q = t.find(u'e');
    if (q != std::u16string::npos) {
      if (q + 1 == t.size()) return false;
      bool digit = false;
      for (std::size_t k = 0; k < q; ++k) digit = digit || IsDigit(t[k]);
      if (!digit) return false;
      const bool sign = t[q + 1] == u'+' || IsMinus(t[q + 1]);
      if (sign && q + 2 == t.size()) return false;  // an exponent needs a digit
      t.erase(q, sign ? 2 : 1);
    }
    const std::size_t d = t.find_first_of(u".,");
    if (d != std::u16string::npos) {
      if (q != std::u16string::npos && d >= q) return false;
      t.erase(d, 1);
    }
    if (t.empty()) return false;
    for (char16_t c : t) {
      if (!IsDigit(c)) return false;
    }
    return true;
  }

 private:
  enum class Rule { NotThis, Parsed, Failed };

  static bool IsWide(char16_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
  }
  static bool IsMinus(char16_t c) { return c == u'-' || c == u'\u2212'; }
  static bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
  static bool StartsWith(const std::u16string& t, std::u16string_view p) {
    return std::u16string_view(t).substr(0, p.size()) == p;
  }
  static std::u16string Trim(std::u16string t) {
    while (!t.empty() && IsWide(t.back())) t.pop_back();
    while (!t.empty() && IsWide(t.front())) t.erase(0, 1);
    return t;
  }

  static bool Constant(const std::u16string& t, std::u16string& shape) {
    if (t == u"pi" || t == u"\u03C0") {
      shape += u"pi";
    } else if (t == u"e") {
      shape += u"e";
    } else if (t == u"i" || t == u"j") {
      shape += u"i";
    } else if (t == u"result" || t == u"rslt") {
      shape += u"rslt";
    } else {
      return false;
    }
    return true;
  }

  static bool IsNumberOrConstant(const std::u16string& text) {
    if (text.empty()) return false;
    std::u16string copy = text[0] == u'+' ? text.substr(1) : text;
    std::u16string ignored;
    return Constant(copy, ignored) || IsNumber(text);
  }

  bool ExtractGroup(std::u16string& text) {
    const std::size_t o = text.find(u'(');
    const std::size_t c0 = text.find(u')');
    if (o == std::u16string::npos || c0 == std::u16string::npos || c0 < o) return false;
    std::size_t taken = 0;
    std::size_t counted = 0;
    std::size_t stop = o;
    std::size_t c = o;
    for (;;) {
      c = text.find(u')', stop + 1);
      if (c == std::u16string::npos) return false;
      for (std::size_t k = stop + 1; k < c; ++k) counted += text[k] == u'(';
      stop = c;
      if (++taken == counted + 1) break;
    }
    groups_.push_back(text.substr(o + 1, c - o - 1));
    text.replace(o, c - o + 1, Placeholder(groups_.size() - 1));
    return true;
  }

  static std::u16string Placeholder(std::size_t n) {
    const std::string digits = std::to_string(n);
    return u"$" + std::u16string(digits.begin(), digits.end()) + u"$";
  }

  bool ResolveGroup(std::u16string& text) const {
    if (text.empty() || text[0] != u'$') return false;
    if (text.find(u'$', 1) != text.size() - 1) return false;
    text = groups_[std::stoul(std::string(text.begin() + 1, text.end() - 1))];
    return true;
  }

  bool ParseOperand(std::u16string text, std::u16string& shape) {
    for (;;) {
      while (ExtractGroup(text)) {
      }
      std::erase(text, u' ');
      const Rule rule = Rules(text, shape);
      if (rule != Rule::NotThis) return rule == Rule::Parsed;
      if (text.size() < 3 || !ResolveGroup(text)) return false;
    }
  }

  Rule Binary(const std::u16string& text, std::size_t p, std::size_t width, const char16_t* op,
              bool storeTarget, std::u16string& shape) {
    std::u16string left, right;
    if (!ParseOperand(text.substr(0, p), left)) return Rule::Failed;
    const std::u16string rest = text.substr(p + width);
    if (storeTarget ? ParseMemoryReference(rest, right) != Rule::Parsed
                    : !ParseOperand(rest, right))
      return Rule::Failed;
    shape += u"(" + left + op + right + u")";
    return Rule::Parsed;
  }

  Rule Unary(const std::u16string& name, const std::u16string& operand, std::u16string& shape) {
    std::u16string inner;
    if (!ParseOperand(operand, inner)) return Rule::Failed;
    shape += name + u"(" + inner + u")";
    return Rule::Parsed;
  }

  Rule ParseMemoryReference(const std::u16string& text, std::u16string& shape) const {
    if (text.size() <= 2 || !StartsWith(text, u"mem")) return Rule::NotThis;
    std::u16string rest = text.substr(StartsWith(text, u"memory") ? 6 : 3);
    if (rest.size() <= 2 || !ResolveGroup(rest)) return Rule::Failed;
    shape += u"mem[" + Trim(rest) + u"]";
    return Rule::Parsed;
  }

  static bool InfixSign(const std::u16string& t, std::size_t p) {
    return p > 0 && !(p >= 2 && t[p - 1] == u'e' && (IsDigit(t[p - 2]) || t[p - 2] == u'.'));
  }

  static std::size_t Last(const std::u16string& t, std::u16string_view chars,
                          bool (*accept)(const std::u16string&, std::size_t) = nullptr) {
    for (std::size_t p = t.size(); p-- > 0;) {
      if (chars.find(t[p]) != std::u16string_view::npos && (accept == nullptr || accept(t, p)))
        return p;
    }
    return std::u16string::npos;
  }

  Rule Rules(const std::u16string& t, std::u16string& shape) {
    constexpr auto npos = std::u16string::npos;
    // Store: the last "->" or minus sign followed by ">".
    const std::size_t a1 = t.rfind(u"->");
    const std::size_t a2 = t.rfind(u"\u2212>");
    const std::size_t arrow = a1 == npos ? a2 : (a2 == npos ? a1 : std::max(a1, a2));
    if (arrow != npos) return Binary(t, arrow, 2, u"->", true, shape);
    if (const std::size_t p = Last(t, u"+-\u2212", InfixSign); p != npos)
      return Binary(t, p, 1, t[p] == u'+' ? u"+" : u"-", false, shape);
    if (!t.empty() && IsMinus(t[0])) return Unary(u"neg", t.substr(1), shape);
    if (const std::size_t p = Last(t, u"*\u00D7/\u00F7"); p != npos)
      return Binary(t, p, 1, t[p] == u'*' || t[p] == u'\u00D7' ? u"*" : u"/", false, shape);
    if (const std::size_t p = t.rfind(u'^'); p != npos) return Binary(t, p, 1, u"^", false, shape);
    if (t.size() >= 2 && t.back() == u'!') {
      const std::u16string inner = t.substr(0, t.size() - 1);
      if (t.find(u'$') != npos || IsNumberOrConstant(inner)) return Unary(u"fact", inner, shape);
    }
    if (const std::size_t p = t.find(u'$'); p != npos && p >= 1 && p <= 13) {
      const int kind = FunctionKind(t.substr(0, p));
      if (kind >= 0) {
        const auto name = FunctionShapeName(static_cast<NodeKind>(kind));
        return Unary(std::u16string(name), t.substr(p), shape);
      }
    }
    if (const Rule memory = ParseMemoryReference(t, shape); memory != Rule::NotThis) return memory;
    if (t.empty()) return Rule::NotThis;
    const std::u16string copy = t[0] == u'+' ? t.substr(1) : t;
    if (Constant(copy, shape)) return Rule::Parsed;
    if (!IsNumber(t)) return Rule::NotThis;
    std::u16string literal = t;
    for (char16_t& c : literal) {
      if (c == u',') c = u'.';
      if (c == u'\u2212') c = u'-';
    }
    shape += ShapeNumber(CParcer::ConvertNumber(literal));
    return Rule::Parsed;
  }

  static int FunctionKind(const std::u16string& name) {
    struct Entry {
      std::u16string_view name;
      NodeKind kind;
    };
    static const Entry kNames[] = {
        {u"\u221A", NodeKind::Sqrt},
        {u"sqrt", NodeKind::Sqrt},
        {u"abs", NodeKind::Abs},
        {u"arg", NodeKind::Arg},
        {u"re", NodeKind::Re},
        {u"real", NodeKind::Re},
        {u"realpart", NodeKind::Re},
        {u"im", NodeKind::Im},
        {u"imag", NodeKind::Im},
        {u"imaginary", NodeKind::Im},
        {u"imaginarypart", NodeKind::Im},
        {u"conj", NodeKind::Conjugate},
        {u"conjugate", NodeKind::Conjugate},
        {u"ceil", NodeKind::Ceil},
        {u"floor", NodeKind::Floor},
        {u"flooring", NodeKind::Floor},
        {u"sign", NodeKind::Sign},
        {u"exp", NodeKind::Exp},
        {u"ln", NodeKind::Ln},
        {u"lg", NodeKind::Lg},
        {u"log", NodeKind::Lg},
        {u"sin", NodeKind::Sin},
        {u"cos", NodeKind::Cos},
        {u"tg", NodeKind::Tg},
        {u"tan", NodeKind::Tg},
        {u"ctg", NodeKind::Ctg},
        {u"cot", NodeKind::Ctg},
        {u"sec", NodeKind::Sec},
        {u"csc", NodeKind::Cosec},
        {u"cosec", NodeKind::Cosec},
        {u"asin", NodeKind::ArcSin},
        {u"arcsin", NodeKind::ArcSin},
        {u"acos", NodeKind::ArcCos},
        {u"arccos", NodeKind::ArcCos},
        {u"atan", NodeKind::ArcTg},
        {u"arctg", NodeKind::ArcTg},
        {u"arctan", NodeKind::ArcTg},
        {u"acot", NodeKind::ArcCtg},
        {u"arcctg", NodeKind::ArcCtg},
        {u"arccot", NodeKind::ArcCtg},
        {u"asec", NodeKind::ArcSec},
        {u"arcsec", NodeKind::ArcSec},
        {u"acsc", NodeKind::ArcCosec},
        {u"arccsc", NodeKind::ArcCosec},
        {u"arccosec", NodeKind::ArcCosec},
        {u"sh", NodeKind::Sh},
        {u"sinh", NodeKind::Sh},
        {u"ch", NodeKind::Ch},
        {u"cosh", NodeKind::Ch},
        {u"th", NodeKind::Th},
        {u"tanh", NodeKind::Th},
        {u"cth", NodeKind::Cth},
        {u"coth", NodeKind::Cth},
        {u"sech", NodeKind::Sech},
        {u"csch", NodeKind::Csch},
        {u"arsh", NodeKind::ArSh},
        {u"asinh", NodeKind::ArSh},
        {u"arsinh", NodeKind::ArSh},
        {u"arch", NodeKind::ArCh},
        {u"acosh", NodeKind::ArCh},
        {u"arcosh", NodeKind::ArCh},
        {u"arth", NodeKind::ArTh},
        {u"atanh", NodeKind::ArTh},
        {u"artanh", NodeKind::ArTh},
        {u"acoth", NodeKind::ArCth},
        {u"arcth", NodeKind::ArCth},
        {u"arcoth", NodeKind::ArCth},
        {u"asech", NodeKind::ArSch},
        {u"arsch", NodeKind::ArSch},
        {u"arsech", NodeKind::ArSch},
        {u"acsch", NodeKind::ArCsch},
        {u"arcsch", NodeKind::ArCsch},
    };
    for (const Entry& e : kNames) {
      if (e.name == name) return static_cast<int>(e.kind);
    }
    return -1;
  }

  std::vector<std::u16string> groups_;
};

}  // namespace NCalculatorText::testing
