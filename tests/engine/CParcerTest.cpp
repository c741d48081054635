// SPDX-License-Identifier: MIT
#include "engine/CParcer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>

#include "engine/CalculationDriver.h"
#include "engine/EngineFixture.h"
#include "engine/Nodes.h"
#include "engine/ReferenceParser.h"
#include "engine/TreeShape.h"

namespace NCalculatorText::testing {
namespace {

using vora::testing::Utf8;

// "" when the statement is refused.
std::string ParsedShape(std::string_view statement) {
  CNode root;
  if (!CParcer::ParseStatement(root, U16(statement))) return "";
  return Utf8(Shape(root));
}

TEST(CParcerTest, RuleOrderGivesPrecedenceAndAssociativity) {
  struct Case {
    const char* statement;
    const char* shape;
  } const cases[] = {
      {"1-2-3", "((1-2)-3)"},
      {"1-2+3", "((1-2)+3)"},
      {"1-2\xE2\x88\x92"
       "3",
       "((1-2)-3)"},
      {"8/2*2", "((8/2)*2)"},
      {"8\xC3\xB7"
       "2\xC3\x97"
       "2",
       "((8/2)*2)"},
      {"2^3^2", "((2^3)^2)"},
      {"-2^2", "neg((2^2))"},
      {"-3!", "neg(fact(3))"},
      {"2^3!", "(2^fact(3))"},
      {"(3!)!", "fact(fact(3))"},
      {"sin(1)!", "fact(sin(1))"},
      {"1+2*3^4", "(1+(2*(3^4)))"},
      {"3\xE2\x88\x92i\xC3\x97"
       "4",
       "(3-(i*4))"},
      {"1.5e+20+i\xC3\x97"
       "2",
       "(1.5e+20+(i*2))"},
      {"e-1", "(e-1)"},
      {"1e-1", "0.10000000000000001"},
      {"1,5e\xE2\x88\x92"
       "3",
       "0.0015"},
      {"2.5E+3", "2500"},
      {"+5", "5"},
      {"+pi", "pi"},
      {"-(2)", "neg(2)"},
      {"-sin(1)", "neg(sin(1))"},
      {"[1+2]*{3}", "((1+2)*3)"},
      {"(1+2]", "(1+2)"},
      {"((((7))))", "7"},
      {"12 3 + 1", "(123+1)"},
      {"s i n(1)", "sin(1)"},
      {"\t 1\n+\r2 ", "(1+2)"},
      {"PI+Pi+\xCF\x80", "((pi+pi)+pi)"},
      {"Rslt*RSLT*Result", "((rslt*rslt)*rslt)"},
      {"sqrt(4)+\xE2\x88\x9A(4)+SQRT[4]", "((sqrt(4)+sqrt(4))+sqrt(4))"},
      {"arctg(1)+arcth(2)+arsch(3)+arcsch(4)", "(((arctg(1)+arcth(2))+arsch(3))+arcsch(4))"},
      {"imaginarypart(1)*flooring(2)", "(im(1)*floor(2))"},
      {"5->mem[a]", "(5->mem[a])"},
      {"2->mem[x]->mem[y]", "((2->mem[x])->mem[y])"},
      {"(5->mem[a])+1", "((5->mem[a])+1)"},
      {"1\xE2\x88\x92>mem[a]", "(1->mem[a])"},
      {"1 - > mem[a]", "(1->mem[a])"},
      {"mem[ a ] + MEM(A) + memory{A}", "((mem[a]+mem[a])+mem[a])"},
      {"mem[my  cell]", "mem[my  cell]"},
      {"mem[] + mem[ ]", "(mem[]+mem[])"},
      {"mem[(x)]", "mem[(x)]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.statement);
    EXPECT_EQ(ParsedShape(c.statement), c.shape);
  }
}

TEST(CParcerTest, RefusedStatements) {
  const char* const cases[] = {
      "",
      "   ",
      "()",
      "1+",
      "*2",
      "2*-3",
      "2^-1",
      "2/+4",
      "1--2",
      "+(5)",
      "+sin(1)",
      "++5",
      "2pi",
      "2(3)",
      "(1)(2)",
      "2sin(1)",
      "4i",
      "sin 1",
      "sin1",
      "\xE2\x88\x9A"
      "4",
      "sin(1)x",
      "foo(1)",
      "sinh1(2)",
      "arcsinhhhhhhhh(1)",
      "3!!",
      "!",
      "x!",
      "2e-x",
      "1.2.3",
      "1e5.2",
      "1e",
      "e5",
      "1e5e5",
      ".e5",
      "1,2,3",
      "(1",
      "1)",
      ")1(",
      "(1))+(2)",
      "((1)",
      "$",
      "mem[$]",
      "1$2",
      "mem",
      "mem1",
      "memo[1]",
      "mem[1]2",
      "mem[1][2]",
      "5->mem[a]+1",
      "5->(mem[a])",
      "5->a",
      "mem[a]->",
      "->mem[a]",
      "a = b",
      "1 2 .3 4 e",
      "\xC2\xA0"
      "1\xC2\xA0"
      "+1",
  };
  for (const char* statement : cases) {
    SCOPED_TRACE(statement);
    CNode root;
    EXPECT_FALSE(CParcer::ParseStatement(root, U16(statement)));
  }
  // A NUL is an ordinary character that no rule accepts, never a character to drop.
  using namespace std::string_view_literals;
  for (const std::u16string_view statement : {u"1\0+2"sv, u"\0"sv, u"sin(\0)"sv, u"2*\0 3"sv}) {
    SCOPED_TRACE(Utf8(statement));
    CNode root;
    EXPECT_FALSE(CParcer::ParseStatement(root, std::u16string(statement)));
  }
}

TEST(CParcerTest, NumberLiteralTest) {
  struct Case {
    const char* text;
    bool number;
  } const cases[] = {
      {"5.", true},     {".5", true},     {"1,5", true},  {"1e5", true},  {"1.5e-3", true},
      {"2e+10", true},  {"+7", true},     {"-7", true},   {"1e+", false}, {"00", true},
      {"1.2.3", false}, {"1e5.2", false}, {"1e", false},  {"e5", false},  {"1e5e5", false},
      {".", false},     {"", false},      {"+", false},   {".e1", false}, {"1.5e", false},
      {"+-1", false},   {"1e--1", false}, {"$0$", false}, {"1e-", false}, {"1e\u2212", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CParcer::IsNumberLiteral(U16(c.text)), c.number);
  }
  EXPECT_TRUE(CParcer::IsNumberOrConstant(u"+e"));
  EXPECT_TRUE(CParcer::IsNumberOrConstant(u"rslt"));
  EXPECT_FALSE(CParcer::IsNumberOrConstant(u"ee"));
}

TEST(CParcerTest, NumberConversionIgnoresTheLocaleAndKeepsTheRange) {
  struct Case {
    const char* literal;
    double value;
  } const cases[] = {
      {"12.5e-3", 0.0125},
      {"1,5", 1.5},
      {"+2", 2.0},
      {"1e+", 1.0},
      {"5.", 5.0},
      {"0.1", 0.1},
      {"1e400", INFINITY},
      {"123456789e310", INFINITY},
      {"1e-400", 0.0},
      {"0.000001e-320", 0.0},
      {"4.9e-324", 4.9e-324},
      {"0e99999999999999999999", 0.0},
      {"9007199254740993", 9007199254740992.0},
      {"123456789012345678901234567890", 1.2345678901234568e29},
      {"0.1e-22", 1e-23},
      {"4.35", 4.35},
      {"1e22", 1e22},
      {"1e23", 1e23},
      {"000.000125", 0.000125},
      {"17e+", 17.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.literal);
    EXPECT_EQ(CParcer::ConvertNumber(U16(c.literal)), c.value);
  }
}

TEST(CParcerTest, StandaloneNodesParseTheirOwnTexts) {
  CNodePlus plus;
  plus.texts = {u"1*2", u"(3)"};
  ASSERT_TRUE(plus.Parse());
  EXPECT_EQ(Shape(plus), u"((1*2)+3)");

  CNodeStore store;
  store.texts = {u"4", u"(mem(q))"};  // a target in brackets is no memory reference
  EXPECT_FALSE(store.Parse());

  CNodeMemory memory;
  memory.texts = {u"( my cell )"};
  ASSERT_TRUE(memory.Parse());
  EXPECT_EQ(memory.texts[0], u"my cell");

  CNodeNumber number;
  number.texts = {u"2,5e\u22123"};
  ASSERT_TRUE(number.Parse());
  EXPECT_EQ(number.texts[0], u"2.5e-3");
  EXPECT_EQ(number.value.re, 2.5e-3);
}

// Statements put together from the pieces the rules look at, parsed by the
// engine and by the literal string algorithm: the two must agree on every
// refusal and every tree.
TEST(CParcerTest, AgreesWithTheLiteralAlgorithm) {
  static const char16_t* const kPieces[] = {
      u"1",      u"2.5",      u"0,5",    u"7e",   u"e",      u"1e-",     u"e+",   u"+",      u"-",
      u"\u2212", u"*",        u"\u00D7", u"/",    u"\u00F7", u"^",       u"!",    u"(",      u")",
      u"[",      u"}",        u" ",      u"\t",   u"->",     u"\u2212>", u">",    u".",      u"pi",
      u"\u03C0", u"i",        u"J",      u"Rslt", u"sin",    u"ArcSch",  u"arcs", u"\u221A", u"mem",
      u"MEMORY", u"m",        u"$",      u"x",    u"log",    u"0",       u"ee",   u"9",      u"3!",
      u"(2)",    u"mem[a b]", u"\u00A0", u"sqrt", u"1e-2"};
  constexpr std::size_t kCount = sizeof kPieces / sizeof kPieces[0];
  std::mt19937 random(20240611);
  ReferenceParser reference;
  int accepted = 0;
  for (int round = 0; round < 40000; ++round) {
    std::u16string statement;
    const std::size_t pieces = 1 + random() % 9;
    for (std::size_t k = 0; k < pieces; ++k) statement += kPieces[random() % kCount];
    std::u16string expected;
    const bool expectedOk = reference.ParseStatement(statement, expected);
    CNode root;
    const bool ok = CParcer::ParseStatement(root, statement);
    ASSERT_EQ(ok, expectedOk) << Utf8(statement);
    if (ok) {
      ASSERT_EQ(Utf8(Shape(root)), Utf8(expected)) << Utf8(statement);
      ++accepted;
    }
  }
  // The pieces must reach accepted trees often enough to mean something.
  EXPECT_GT(accepted, 1500);
}

TEST(CParcerTest, NumberLiteralTestAgreesWithTheStepwiseTest) {
  static const char16_t kAlphabet[] = u"0123456789.,e+-\u2212x";
  std::mt19937 random(7);
  for (int round = 0; round < 50000; ++round) {
    std::u16string text;
    const std::size_t length = random() % 7;
    for (std::size_t k = 0; k < length; ++k)
      text += kAlphabet[random() % (std::size(kAlphabet) - 1)];
    ASSERT_EQ(CParcer::IsNumberLiteral(text), ReferenceParser::IsNumber(text)) << Utf8(text);
  }
}

// Deep and long statements: no native recursion per level, linear work.
TEST(CParcerTest, HugeStatementsParseOrFailCleanly) {
  constexpr int kDepth = 100000;
  std::u16string nested(kDepth, u'(');
  nested += u"1";
  nested += std::u16string(kDepth, u')');
  CNode deep;
  EXPECT_TRUE(CParcer::ParseStatement(deep, nested));

  std::u16string functions;
  for (int k = 0; k < kDepth; ++k) functions += u"-abs(";
  functions += u"2";
  functions += std::u16string(kDepth, u')');
  CNode chain;
  EXPECT_TRUE(CParcer::ParseStatement(chain, functions));

  std::u16string unclosed(kDepth, u'(');
  CNode refused;
  EXPECT_FALSE(CParcer::ParseStatement(refused, unclosed));
}

}  // namespace
}  // namespace NCalculatorText::testing
