// SPDX-License-Identifier: MIT
#include "WorksheetGenerator.h"

#include <random>
#include <string>

namespace vora::bench {
namespace {

class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  void Statement(std::u16string& sheet) {
    switch (Pick(10)) {
      case 0:
        sheet += u"// " + Word() + u" " + Word() + u"\n";
        break;
      case 1:
        sheet += u"/* " + Word() + u" */ ";
        break;
      default:
        break;
    }
    std::u16string expression = Expression(Pick(3) == 0 ? 1 : 0);
    if (Pick(4) == 0) {
      const std::u16string cell = u"v" + Number(0, cells_ + 1);
      expression += u" -> Mem[" + cell + u"]";
      if (cells_ < 50) ++cells_;
    }
    sheet += expression;
    if (Pick(3) == 0) sheet += u" = " + Number(1, 100000);  // an old result
    sheet += Pick(3) == 0 ? u";\n" : u"; ";
  }

 private:
  std::u16string Expression(int depth) {
    std::u16string e = Operand(depth);
    const int terms = 1 + static_cast<int>(Pick(3));
    for (int k = 0; k < terms; ++k) {
      static const char16_t* const kOps[] = {u"+", u"-", u"*", u"/", u" + ", u" - "};
      const std::u16string op = kOps[Pick(6)];
      e += op;
      e += op.find(u'/') != std::u16string::npos ? Positive() : Operand(depth);
    }
    return e;
  }

  std::u16string Operand(int depth) {
    switch (depth > 0 ? Pick(12) : 0) {
      case 1:
        return u"sin(" + Expression(depth - 1) + u")";
      case 2:
        return u"cos(" + Expression(depth - 1) + u")";
      case 3:
        return u"sqrt(abs(" + Expression(depth - 1) + u"))";
      case 4:
        return u"(" + Expression(depth - 1) + u")";
      case 5:
        return u"ln(1+abs(" + Expression(depth - 1) + u"))";
      case 6:
        return u"atan(" + Expression(depth - 1) + u")";
      case 7:
        return Number(1, 9) + u"^" + Number(0, 4);
      case 8:
        // Reads are damped so that values cannot grow from statement to
        // statement until they overflow.
        return cells_ > 0 ? u"ln(1+abs(mem[v" + Number(0, cells_ - 1) + u"]))" : Positive();
      case 9:
        return u"atan(Rslt)";
      case 10:
        return u"pi";
      default:
        return Positive();
    }
  }

  // A divisor: never zero.
  std::u16string Positive() {
    std::u16string n = Number(1, 999);
    if (Pick(3) == 0) n += u"." + Number(0, 99);
    return n;
  }

  std::u16string Word() {
    static const char16_t* const kWords[] = {u"total", u"rate",  u"check", u"angle",
                                             u"note",  u"price", u"sum",   u"area"};
    return kWords[Pick(8)];
  }

  std::u16string Number(unsigned low, unsigned high) {
    const unsigned n = low + static_cast<unsigned>(Pick(high - low + 1));
    std::u16string out;
    for (char c : std::to_string(n)) out.push_back(static_cast<char16_t>(c));
    return out;
  }

  std::size_t Pick(std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
  }

  std::mt19937 random_;
  unsigned cells_ = 0;
};

}  // namespace

std::u16string GenerateWorksheet(std::size_t statements, unsigned seed) {
  Generator generator(seed);
  std::u16string sheet;
  for (std::size_t k = 0; k < statements; ++k) generator.Statement(sheet);
  return sheet;
}

std::u16string GenerateWorksheetOfSize(std::size_t codeUnits, unsigned seed) {
  Generator generator(seed);
  std::u16string sheet;
  std::u16string statement;
  for (;;) {
    statement.clear();
    generator.Statement(statement);
    if (sheet.size() + statement.size() > codeUnits) break;
    sheet += statement;
  }
  sheet.resize(codeUnits, u' ');
  return sheet;
}

std::u16string GenerateLongSum(std::size_t codeUnits) {
  std::u16string sum = u"1";
  sum.reserve(codeUnits + 2);
  while (sum.size() + 2 <= codeUnits) sum += u"+1";
  return sum;
}

std::u16string GenerateNesting(std::size_t depth) {
  std::u16string text(depth, u'(');
  text += u"1+2";
  text.append(depth, u')');
  return text;
}

}  // namespace vora::bench
