// SPDX-License-Identifier: MIT
#include "engine/CParcer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/Nodes.h"

// How the rules are applied without rewriting strings.
//
// An operand text is a run of the statement in which every outermost bracket
// group counts as one opaque item (the "placeholder" of the group). Operators
// are only ever looked for outside the groups of the run, and a run always
// consists of whole items, so a run is fully described by its two ends in
// the statement with the spaces removed. For every position the parse
// workspace knows the last operator of each class at the same bracket level
// up to that position, which for a ")" is its partner; each rule is
// then answered in constant time instead of by scanning and copying the text.
//
// A bracket that has no partner can never be placed inside a group and always
// ends up in some terminal text, where it fails; so unbalanced brackets fail
// the operand at once.

namespace NCalculatorText {
namespace {

using Index = std::int32_t;
constexpr Index kNone = -1;

constexpr char16_t kMinusSign = u'\u2212';
constexpr char16_t kTimes = u'\u00D7';
constexpr char16_t kDivide = u'\u00F7';

bool IsMinus(char16_t c) {
  return c == u'-' || c == kMinusSign;
}
bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Whitespace as a wide-character classification sees it, without a locale.
bool IsWideSpace(char16_t c) {
  switch (c) {
    case 0x09:
    case 0x0A:
    case 0x0B:
    case 0x0C:
    case 0x0D:
    case 0x20:
    case 0x85:
    case 0xA0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202F:
    case 0x205F:
    case 0x3000:
      return true;
    default:
      return c >= 0x2000 && c <= 0x200A;
  }
}

std::u16string_view TrimWide(std::u16string_view s) {
  while (!s.empty() && IsWideSpace(s.back())) s.remove_suffix(1);
  while (!s.empty() && IsWideSpace(s.front())) s.remove_prefix(1);
  return s;
}

enum class Literal { NotNumber, Converted, Unconverted };

// The number literal test in one pass: an optional sign, digits with at most
// one "." or ",", then optionally "e", an optional sign and digits; at least
// one digit before the "e", and a digit after it and its sign. On the way it converts
// the common literal: up to 2^53 in the digits and a decimal exponent within
// +-22 make both factors exact doubles, so the one rounding of the product or
// quotient is the correctly rounded value. Others are left Unconverted.
Literal ScanLiteral(std::u16string_view t, double& value) {
  static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const std::size_t n = t.size();
  std::size_t i = 0;
  bool negative = false;
  if (i < n && (t[i] == u'+' || IsMinus(t[i]))) negative = t[i++] != u'+';
  std::uint64_t mantissa = 0;
  int digits = 0;  // in mantissa
  int scale = 0;
  bool point = false;
  bool anyDigit = false;
  bool exact = true;
  for (; i < n; ++i) {
    const char16_t c = t[i];
    if (IsDigit(c)) {
      anyDigit = true;
      if (mantissa == 0 && c == u'0') {
        if (point) --scale;
      } else if (digits < 19) {
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - u'0');
        ++digits;
        if (point) --scale;
      } else {
        exact = false;
      }
    } else if (c == u'.' || c == u',') {
      if (point) return Literal::NotNumber;
      point = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return Literal::NotNumber;
  int exponent = 0;
  if (i < n) {
    if (t[i] != u'e' || ++i == n) return Literal::NotNumber;
    bool exponentNegative = false;
    if (t[i] == u'+' || IsMinus(t[i])) exponentNegative = t[i++] != u'+';
    // "1e+" and "1e-" are refused like "1e": an exponent needs a digit.
    if (i == n) return Literal::NotNumber;
    for (; i < n; ++i) {
      if (!IsDigit(t[i])) return Literal::NotNumber;
      if (exponent < 100000) exponent = exponent * 10 + (t[i] - u'0');
    }
    if (exponentNegative) exponent = -exponent;
  }
  if (!exact) return Literal::Unconverted;
  if (mantissa == 0) {
    value = negative ? -0.0 : 0.0;
    return Literal::Converted;
  }
  const int power = scale + exponent;
  if (mantissa > (std::uint64_t{1} << 53) || power < -22 || power > 22) return Literal::Unconverted;
  const double m = static_cast<double>(mantissa);
  value = power >= 0 ? m * kPowersOfTen[power] : m / kPowersOfTen[-power];
  if (negative) value = -value;
  return Literal::Converted;
}

struct FunctionName {
  std::u16string_view name;
  NodeKind kind;
};

// Names are told apart by their full text, never by prefix.
constexpr FunctionName kFunctionNames[] = {
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

constexpr std::size_t kLongestFunctionName = 13;

bool LookUpFunction(std::u16string_view name, NodeKind& kind) {
  // The names grouped by length, so that a lookup compares only a few.
  static const auto byLength = [] {
    std::array<std::vector<FunctionName>, kLongestFunctionName + 1> groups;
    for (const FunctionName& entry : kFunctionNames) groups[entry.name.size()].push_back(entry);
    return groups;
  }();
  if (name.size() > kLongestFunctionName) return false;
  for (const FunctionName& entry : byLength[name.size()]) {
    if (entry.name == name) {
      kind = entry.kind;
      return true;
    }
  }
  return false;
}

bool LookUpConstant(std::u16string_view text, NodeKind& kind) {
  if (text == u"pi" || text == u"\u03C0") {
    kind = NodeKind::Pi;
  } else if (text == u"e") {
    kind = NodeKind::E;
  } else if (text == u"i" || text == u"j") {
    kind = NodeKind::I;
  } else if (text == u"result" || text == u"rslt") {
    kind = NodeKind::Result;
  } else {
    return false;
  }
  return true;
}

std::u16string_view StripPlus(std::u16string_view text) {
  if (!text.empty() && text.front() == u'+') text.remove_prefix(1);
  return text;
}

// One operand still to parse: the run [begin, end) of the workspace whose
// tree goes into parent->children[slot].
struct Pending {
  CNode* parent;
  std::uint32_t slot;
  Index begin;
  Index end;
  bool memoryOnly;  // a store target: only the memory-reference rule applies
};

// The statement (or operand text) with the spaces removed, and for every
// position what the rules need to know about its bracket level.
//
// What a level knows only changes at an operator or a bracket, so the state
// is kept once per change, and every position only names the state in force
// there: four bytes a character and twenty an operator (none for the signs
// of a plain sum or for nested brackets), instead of a full record per
// character.
class Workspace {
 public:
  /// False when the brackets of text do not pair up. A statement is read as
  /// prepared (see PrepareChar) without a prepared copy of its own.
  bool Build(std::u16string_view text, bool statement);
  void Release();

  // Last position at or before a position, at its bracket level, of: an
  // infix plus or minus candidate, a multiplication or division sign, "^",
  // the ">" that ends an arrow, and "(". A "(" or ")" belongs to the level
  // outside its group, so the open of a ")" is its partner.
  struct State {
    Index sign = kNone, mulDiv = kNone, pow = kNone, arrowEnd = kNone, open = kNone;
  };

  State At(Index i) const { return Decode(states_[static_cast<std::size_t>(i)]); }
  /// True when the run is exactly one bracket group.
  bool IsOneGroup(Index begin, Index end) const {
    return end - begin >= 2 && chars[static_cast<std::size_t>(begin)] == u'(' &&
           chars[static_cast<std::size_t>(end - 1)] == u')' && At(end - 1).open == begin;
  }
  /// The position in source of chars[i].
  std::size_t Origin(Index i) const;
  /// The text of source[from, to) as the parser reads it, spaces included.
  std::u16string Text(std::size_t from, std::size_t to) const;

  std::u16string_view source;    // the text as given, spaces included
  std::u16string_view chars;     // source without spaces, prepared if a statement
  bool statement = false;        // source is a statement not yet prepared
  std::vector<Pending> pending;  // the parser's work list

 private:
  // Origins are kept for every kOriginStep-th character only; the rest are
  // counted from there.
  static constexpr std::size_t kOriginStep = 16;

  std::u16string compacted_;          // chars, when source has spaces
  std::vector<std::size_t> origins_;  // when source has spaces
  // A state is kept as a number: kNone when nothing is known, a state that
  // knows a single position, a sign (a plain sum) or a "(" (brackets
  // nested at the start of a level), as -2 - (2 * position + which), and
  // every other one as its place in records_. Texts too long for that
  // encoding keep every state in records_.
  static constexpr std::size_t kLongestEncoded = std::size_t{1} << 30;
  State Decode(Index code) const {
    if (code >= 0) return records_[static_cast<std::size_t>(code)];
    State state;
    if (code != kNone) {
      const Index single = -2 - code;
      if (single % 2 == 0) {
        state.sign = single / 2;
      } else {
        state.open = single / 2;
      }
    }
    return state;
  }

  std::vector<Index> states_;  // per char: the code of its state
  // The states in blocks of a fixed size: growing never copies them or
  // needs them twice over, and the blocks are small enough to be reused by
  // the allocator from one statement to the next.
  class Records {
   public:
    const State& operator[](std::size_t k) const { return blocks_[k / kBlock][k % kBlock]; }
    std::size_t size() const { return size_; }
    void push_back(const State& state) {
      if (size_ == blocks_.size() * kBlock) blocks_.push_back(std::make_unique<State[]>(kBlock));
      blocks_[size_ / kBlock][size_ % kBlock] = state;
      ++size_;
    }
    void clear() { size_ = 0; }
    std::size_t capacity() const { return blocks_.size() * kBlock; }

   private:
    static constexpr std::size_t kBlock = 2048;
    std::vector<std::unique_ptr<State[]>> blocks_;
    std::size_t size_ = 0;
  };
  Records records_;
  std::vector<Index> enclosing_;  // per open group: the code of the state at its "("
};

// The characters that brackets, operators and arrows are made of; for all
// others Build only copies the level's record.
bool IsStructural(char16_t c) {
  static constexpr auto kAscii = [] {
    std::array<bool, 128> table{};
    for (char symbol : std::string_view("()+-*/^>")) table[static_cast<std::size_t>(symbol)] = true;
    return table;
  }();
  if (c < 128) return kAscii[c];
  return c == kMinusSign || c == kTimes || c == kDivide;
}

// A statement's character as the parser reads it: tabs and line breaks
// dropped (kDropped, which is no character), every bracket round, A to Z
// lowercased. A "$", which only placeholders may use, refuses the statement;
// the callers check for it.
constexpr char32_t kDropped = 0x10000;
constexpr auto kPreparedAscii = [] {
  std::array<char32_t, 128> table{};
  for (std::size_t c = 0; c < table.size(); ++c) table[c] = static_cast<char32_t>(c);
  table['\t'] = table['\n'] = table['\r'] = kDropped;
  table['['] = table['{'] = U'(';
  table[']'] = table['}'] = U')';
  for (char c = 'A'; c <= 'Z'; ++c)
    table[static_cast<std::size_t>(c)] = static_cast<char32_t>(c - 'A' + 'a');
  return table;
}();

inline char32_t PrepareChar(char16_t c) {
  return c < kPreparedAscii.size() ? kPreparedAscii[c] : c;
}

// Appends text as prepared (see PrepareChar), "$" included.
void AppendPrepared(std::u16string_view text, std::u16string& out) {
  for (const char16_t c : text) {
    if (const char32_t p = PrepareChar(c); p != kDropped) out.push_back(static_cast<char16_t>(p));
  }
}

bool Workspace::Build(std::u16string_view text, bool isStatement) {
  source = text;
  statement = isStatement;
  origins_.clear();
  const auto unchanged = [isStatement](char16_t c) {
    return c != u' ' && (!isStatement || (c != u'$' && PrepareChar(c) == c));
  };
  std::size_t dropped = 0;  // tabs and line breaks
  if (std::all_of(text.begin(), text.end(), unchanged)) {
    chars = text;
  } else {
    compacted_.resize(text.size());
    std::size_t kept = 0;
    for (std::size_t from = 0; from < text.size(); ++from) {
      char16_t c = text[from];
      if (isStatement) {
        if (c == u'$') return false;
        const char32_t p = PrepareChar(c);
        if (p == kDropped) {
          ++dropped;
          continue;
        }
        c = static_cast<char16_t>(p);
      }
      if (c == u' ') continue;
      if (kept % kOriginStep == 0) origins_.push_back(from);
      compacted_[kept++] = c;
    }
    compacted_.resize(kept);
    chars = compacted_;
  }
  // Positions of the (prepared) text, spaces included, must fit an Index.
  if (text.size() - dropped >= static_cast<std::size_t>(std::numeric_limits<Index>::max()))
    return false;
  const std::size_t n = chars.size();
  states_.resize(n);
  records_.clear();
  enclosing_.clear();
  State current;
  Index state = kNone;  // the code of current
  const bool encode = n < kLongestEncoded;
  const auto changed = [&] {
    if (encode && current.mulDiv == kNone && current.pow == kNone && current.arrowEnd == kNone) {
      if (current.open == kNone) {
        state = -2 - 2 * current.sign;
        return;
      }
      if (current.sign == kNone) {
        state = -2 - (2 * current.open + 1);
        return;
      }
    }
    records_.push_back(current);
    state = static_cast<Index>(records_.size() - 1);
  };
  for (std::size_t k = 0; k < n; ++k) {
    const char16_t c = chars[k];
    const Index i = static_cast<Index>(k);
    switch (IsStructural(c) ? c : u'\0') {
      case u'(':
        // The bracket itself is an item of the outer level.
        current.open = i;
        changed();
        states_[k] = state;
        enclosing_.push_back(state);
        current = State{};
        state = kNone;
        continue;
      case u')':
        if (enclosing_.empty()) return false;
        // Back to the outer level as its "(" left it.
        state = enclosing_.back();
        enclosing_.pop_back();
        current = Decode(state);
        break;
      case u'+':
      case u'-':
      case kMinusSign:
        // A sign right after a digit (or ".") and an "e" belongs to an exponent.
        if (!(k >= 2 && chars[k - 1] == u'e' && (IsDigit(chars[k - 2]) || chars[k - 2] == u'.'))) {
          current.sign = i;
          changed();
        }
        break;
      case u'*':
      case kTimes:
      case u'/':
      case kDivide:
        current.mulDiv = i;
        changed();
        break;
      case u'^':
        current.pow = i;
        changed();
        break;
      case u'>':
        if (k >= 1 && IsMinus(chars[k - 1])) {
          current.arrowEnd = i;
          changed();
        }
        break;
      default:
        break;
    }
    states_[k] = state;
  }
  return enclosing_.empty();
}

std::size_t Workspace::Origin(Index i) const {
  const auto k = static_cast<std::size_t>(i);
  if (origins_.empty()) return k;  // source has no spaces
  std::size_t from = origins_[k / kOriginStep];
  for (std::size_t c = k / kOriginStep * kOriginStep; c < k; ++c) {
    ++from;
    while (source[from] == u' ' || (statement && PrepareChar(source[from]) == kDropped)) ++from;
  }
  return from;
}

std::u16string Workspace::Text(std::size_t from, std::size_t to) const {
  const std::u16string_view text = source.substr(from, to - from);
  if (!statement) return std::u16string(text);
  std::u16string prepared;
  prepared.reserve(text.size());
  AppendPrepared(text, prepared);
  return prepared;
}

void Workspace::Release() {
  // Keep the buffers of ordinary statements; give back those of huge ones.
  constexpr std::size_t kKeep = 1 << 16;
  if (states_.capacity() <= kKeep && compacted_.capacity() <= kKeep &&
      records_.capacity() <= kKeep && enclosing_.capacity() <= kKeep && pending.capacity() <= kKeep)
    return;
  *this = Workspace{};
}

Workspace& SharedWorkspace() {
  static Workspace workspace;
  return workspace;
}

class RangeParser {
 public:
  explicit RangeParser(Workspace& ws) : ws_(ws), stack_(ws.pending) {}

  /// Parses the whole run as the next child of parent, with every level below.
  bool Run(CNode& parent, Index begin, Index end, bool memoryOnly);

 private:
  bool ParseOperand(const Pending& item);
  bool ParseMemoryReference(const Pending& item, Index begin, Index end);
  bool ParseTerminal(const Pending& item, Index begin, Index end);
  CNode& Place(const Pending& item, NodeKind kind);
  void Operand(CNode& node, Index begin, Index end, bool memoryOnly = false);
  void Operands(CNode& node, Index leftBegin, Index leftEnd, Index rightBegin, Index rightEnd,
                bool rightMemoryOnly = false);
  bool IsOneGroup(Index begin, Index end) const { return ws_.IsOneGroup(begin, end); }
  std::u16string_view View(Index begin, Index end) const {
    return ws_.chars.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin));
  }
  char16_t At(Index i) const { return ws_.chars[static_cast<std::size_t>(i)]; }

  const Workspace& ws_;
  std::vector<Pending>& stack_;
};

bool RangeParser::Run(CNode& parent, Index begin, Index end, bool memoryOnly) {
  stack_.clear();
  if (parent.children.full()) return false;
  parent.children.emplace_back();
  stack_.push_back(
      {&parent, static_cast<std::uint32_t>(parent.children.size() - 1), begin, end, memoryOnly});
  while (!stack_.empty()) {
    const Pending item = stack_.back();
    stack_.pop_back();
    if (!ParseOperand(item)) return false;
  }
  return true;
}

CNode& RangeParser::Place(const Pending& item, NodeKind kind) {
  auto& slot = item.parent->children[item.slot];
  slot = MakeNode(kind);
  return *slot;
}

void RangeParser::Operand(CNode& node, Index begin, Index end, bool memoryOnly) {
  node.children.emplace_back();
  stack_.push_back(
      {&node, static_cast<std::uint32_t>(node.children.size() - 1), begin, end, memoryOnly});
}

// The shorter operand is parsed first, so that the work list holds at most
// one entry per halving of the text: a long chain of operators, leaning
// either way, keeps it short. Which is parsed first does not change the tree
// or whether the parse succeeds.
void RangeParser::Operands(CNode& node, Index leftBegin, Index leftEnd, Index rightBegin,
                           Index rightEnd, bool rightMemoryOnly) {
  node.children.emplace_back();
  node.children.emplace_back();
  const Pending left{&node, 0, leftBegin, leftEnd, false};
  const Pending right{&node, 1, rightBegin, rightEnd, rightMemoryOnly};
  if (leftEnd - leftBegin <= rightEnd - rightBegin) {
    stack_.push_back(right);
    stack_.push_back(left);
  } else {
    stack_.push_back(left);
    stack_.push_back(right);
  }
}

bool RangeParser::ParseOperand(const Pending& item) {
  if (item.memoryOnly) return ParseMemoryReference(item, item.begin, item.end);
  Index begin = item.begin;
  Index end = item.end;
  for (;;) {
    if (end <= begin) return false;  // an empty operand
    const Workspace::State at = ws_.At(end - 1);

    // Store: the last arrow anywhere at this level.
    if (const Index arrowEnd = at.arrowEnd; arrowEnd != kNone && arrowEnd - 1 >= begin) {
      CNode& node = Place(item, NodeKind::Store);
      Operands(node, begin, arrowEnd - 1, arrowEnd + 1, end, true);
      return true;
    }
    // Infix plus or minus: never the first character of the operand.
    if (const Index sign = at.sign; sign != kNone && sign > begin) {
      CNode& node = Place(item, At(sign) == u'+' ? NodeKind::Plus : NodeKind::Minus);
      Operands(node, begin, sign, sign + 1, end);
      return true;
    }
    if (IsMinus(At(begin))) {
      CNode& node = Place(item, NodeKind::ChangeSign);
      Operand(node, begin + 1, end);
      return true;
    }
    if (const Index op = at.mulDiv; op != kNone && op >= begin) {
      const char16_t c = At(op);
      CNode& node = Place(item, c == u'*' || c == kTimes ? NodeKind::Mul : NodeKind::Div);
      Operands(node, begin, op, op + 1, end);
      return true;
    }
    if (const Index op = at.pow; op != kNone && op >= begin) {
      CNode& node = Place(item, NodeKind::Pow);
      Operands(node, begin, op, op + 1, end);
      return true;
    }
    // Factorial of a number, a constant or anything holding a bracket group.
    if (end - begin >= 2 && At(end - 1) == u'!') {
      const bool hasGroup = at.open != kNone && at.open >= begin;
      if (hasGroup || CParcer::IsNumberOrConstant(View(begin, end - 1))) {
        CNode& node = Place(item, NodeKind::Factorial);
        Operand(node, begin, end - 1);
        return true;
      }
    }
    // Function: a known name, then everything from its first bracket group on.
    {
      Index open = begin;
      const Index limit =
          std::min<Index>(end, begin + static_cast<Index>(kLongestFunctionName) + 1);
      while (open < limit && At(open) != u'(') ++open;
      NodeKind kind{};
      if (open < limit && open > begin && LookUpFunction(View(begin, open), kind)) {
        CNode& node = Place(item, kind);
        Operand(node, open, end);
        return true;
      }
    }
    if (end - begin > 2 && View(begin, begin + 3) == u"mem")
      return ParseMemoryReference(item, begin, end);
    if (ParseTerminal(item, begin, end)) return true;
    // Nothing but one bracket group: parse what it holds, in the same place.
    if (!IsOneGroup(begin, end)) return false;
    ++begin;
    --end;
  }
}

bool RangeParser::ParseMemoryReference(const Pending& item, Index begin, Index end) {
  if (end - begin <= 2 || View(begin, begin + 3) != u"mem") return false;
  const Index nameAt =
      end - begin >= 6 && View(begin, begin + 6) == u"memory" ? begin + 6 : begin + 3;
  CNode& node = Place(item, NodeKind::Memory);
  // The name is exactly one bracket group, with its inner spaces kept.
  if (!IsOneGroup(nameAt, end)) return false;
  const std::size_t from = ws_.Origin(nameAt) + 1;
  const std::size_t to = ws_.Origin(end - 1);
  // Trimming and preparing commute: what preparing drops is trimmed too.
  node.texts.push_back(std::u16string(TrimWide(ws_.Text(from, to))));
  return true;
}

bool RangeParser::ParseTerminal(const Pending& item, Index begin, Index end) {
  // A run holding a bracket group is neither a constant nor a number; saying
  // so at once keeps deep nesting linear.
  const Index open = ws_.At(end - 1).open;
  if (open != kNone && open >= begin) return false;
  const std::u16string_view text = View(begin, end);
  NodeKind kind{};
  const std::u16string_view bare = StripPlus(text);
  if ((bare.empty() || !IsDigit(bare.front())) && LookUpConstant(bare, kind)) {
    Place(item, kind);
    return true;
  }
  double value = 0.0;
  const Literal literal = ScanLiteral(text, value);
  if (literal == Literal::NotNumber) return false;
  if (literal == Literal::Unconverted) value = CParcer::ConvertNumber(text);
  // Converted straight from the statement: a literal's text is not kept.
  static_cast<CNodeNumber&>(Place(item, NodeKind::Number)).value = {value, 0.0};
  return true;
}

// Whether Parse reads every text of a node of this kind as one more operand.
bool ParsesOperandTexts(NodeKind kind) {
  switch (kind) {
    case NodeKind::Store:
    case NodeKind::Number:
    case NodeKind::Memory:
    case NodeKind::Pi:
    case NodeKind::E:
    case NodeKind::I:
    case NodeKind::Result:
      return false;
    default:
      return true;
  }
}

// Parses text as one more operand of parent, with its whole subtree.
bool ParseOperandText(CNode& parent, std::u16string_view text, bool memoryOnly,
                      bool statement = false) {
  Workspace& ws = SharedWorkspace();
  bool ok = ws.Build(text, statement);
  if (ok) ok = RangeParser(ws).Run(parent, 0, static_cast<Index>(ws.chars.size()), memoryOnly);
  ws.Release();
  return ok;
}

}  // namespace

bool CParcer::ParseStatement(CNode& root, std::u16string_view text) {
  text = TrimWide(text);
  // The usual case, a root without texts of its own whose Parse would read
  // the statement as one more operand: read it in place, prepared on the
  // way, instead of from a prepared copy as long as the statement.
  if (root.texts.empty() && ParsesOperandTexts(root.kind()))
    return ParseOperandText(root, text, false, true);
  if (text.find(u'$') != std::u16string_view::npos) return false;
  std::u16string prepared;
  prepared.reserve(text.size());
  AppendPrepared(text, prepared);
  root.texts.push_back(std::move(prepared));
  return root.Parse();
}

bool CParcer::IsNumberLiteral(std::u16string_view text) {
  double ignored = 0.0;
  return ScanLiteral(text, ignored) != Literal::NotNumber;
}

bool CParcer::IsNumberOrConstant(std::u16string_view text) {
  if (text.empty()) return false;
  NodeKind kind{};
  return LookUpConstant(StripPlus(text), kind) || IsNumberLiteral(text);
}

double CParcer::ConvertNumber(std::u16string_view literal) {
  if (double value = 0.0; ScanLiteral(literal, value) == Literal::Converted) return value;
  std::string ascii;
  ascii.reserve(literal.size());
  for (char16_t c : literal) {
    if (c == u',') c = u'.';
    if (c == kMinusSign) c = u'-';
    ascii.push_back(static_cast<char>(c < 0x80 ? c : u'?'));
  }
  std::size_t start = 0;
  bool negative = false;
  if (!ascii.empty() && (ascii[0] == '+' || ascii[0] == '-')) {
    negative = ascii[0] == '-';
    start = 1;
  }
  double value = 0.0;
  const char* first = ascii.data() + start;
  const char* last = ascii.data() + ascii.size();
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    // Decide between overflow and underflow from the decimal magnitude of
    // the first significant digit.
    long long integerDigits = 0;
    long long fractionZeros = 0;
    bool seenPoint = false;
    bool significant = false;
    const char* p = first;
    for (; p < end && *p != 'e'; ++p) {
      if (*p == '.') {
        seenPoint = true;
      } else if (!seenPoint) {
        if (significant || *p != '0') {
          significant = true;
          ++integerDigits;
        }
      } else if (!significant) {
        if (*p == '0') {
          ++fractionZeros;
        } else {
          significant = true;
        }
      }
    }
    const long long magnitude = integerDigits > 0 ? integerDigits : -fractionZeros;
    long long exponent = 0;
    if (p < end && *p == 'e') {
      ++p;
      bool expNegative = false;
      if (p < end && (*p == '+' || *p == '-')) expNegative = *p++ == '-';
      for (; p < end; ++p) {
        if (exponent < 1'000'000'000LL) exponent = exponent * 10 + (*p - '0');
      }
      if (expNegative) exponent = -exponent;
    }
    value = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

bool CNode::Parse() {
  switch (kind()) {
    case NodeKind::Store:
      return texts.size() == 2 && ParseOperandText(*this, texts[0], false) &&
             ParseOperandText(*this, texts[1], true);
    case NodeKind::Number: {
      if (texts.empty()) return false;
      std::u16string& literal = texts[0];
      for (char16_t& c : literal) {
        if (c == u',') c = u'.';
        if (c == kMinusSign) c = u'-';
      }
      static_cast<CNodeNumber*>(this)->value = {ConvertNumber(literal), 0.0};
      return true;
    }
    case NodeKind::Memory: {
      if (texts.empty()) return false;
      const std::u16string& text = texts[0];
      Workspace& ws = SharedWorkspace();
      const bool group =
          ws.Build(text, false) && ws.IsOneGroup(0, static_cast<Index>(ws.chars.size()));
      std::u16string name;
      if (group) {
        const std::size_t from = ws.Origin(0) + 1;
        const std::size_t to = ws.Origin(static_cast<Index>(ws.chars.size() - 1));
        name = std::u16string(TrimWide(std::u16string_view(text).substr(from, to - from)));
      }
      ws.Release();
      if (!group) return false;
      texts[0] = std::move(name);
      return true;
    }
    case NodeKind::Pi:
    case NodeKind::E:
    case NodeKind::I:
    case NodeKind::Result:
      return true;
    default:
      for (const std::u16string& text : texts) {
        if (!ParseOperandText(*this, text, false)) return false;
      }
      return true;
  }
}

}  // namespace NCalculatorText
