// SPDX-License-Identifier: MIT
#include "cli/CliOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vora::cli {
namespace {

bool Parse(std::vector<std::string_view> args, CliOptions& options, std::string& error) {
  return ParseCliOptions(args, options, error);
}

TEST(CliOptionsTest, AcceptsEveryOptionInItsForms) {
  CliOptions o;
  std::string error;
  ASSERT_TRUE(Parse({"--units", "deg", "--upper", "--imaginary-unit=j", "--json", "--at", "17",
                     "--load-memory", "a.tvm", "--execute=b.tvc", "--load-memory", "c.tvm",
                     "--save-memory", "out.tvm", "--stats", "-i", "sheet.tvc"},
                    o, error))
      << error;
  EXPECT_EQ(o.action, CliOptions::Action::Calculate);
  EXPECT_EQ(o.file, "sheet.tvc");
  EXPECT_EQ(o.trigonometricUnits, 1u);
  EXPECT_TRUE(o.upperCase);
  EXPECT_EQ(o.imaginaryUnitJ, 1u);
  EXPECT_TRUE(o.json);
  EXPECT_EQ(o.at, 17);
  EXPECT_TRUE(o.inPlace);
  EXPECT_TRUE(o.statistics);
  EXPECT_EQ(o.saveMemory, "out.tvm");
  // Memory loads and executed files keep their command-line order.
  ASSERT_EQ(o.preRuns.size(), 3u);
  EXPECT_EQ(o.preRuns[0].kind, PreRun::Kind::LoadMemory);
  EXPECT_EQ(o.preRuns[0].path, "a.tvm");
  EXPECT_EQ(o.preRuns[1].kind, PreRun::Kind::Execute);
  EXPECT_EQ(o.preRuns[1].path, "b.tvc");
  EXPECT_EQ(o.preRuns[2].path, "c.tvm");
}

TEST(CliOptionsTest, ExpressionsCollectInOrderAndMayLookLikeOptions) {
  CliOptions o;
  std::string error;
  ASSERT_TRUE(Parse({"-e", "1+2", "--expr", "-5", "-e2*3", "--expr=--x", "--units=rad"}, o, error))
      << error;
  EXPECT_EQ(o.expressions, (std::vector<std::string>{"1+2", "-5", "2*3", "--x"}));
  EXPECT_EQ(o.trigonometricUnits, 0u);
  EXPECT_TRUE(o.FromStandardInput());
}

TEST(CliOptionsTest, FileNamesAndStandardInput) {
  struct Row {
    std::vector<std::string_view> args;
    std::string file;
    bool fromStandardInput;
  };
  const Row rows[] = {
      {{}, "", true},
      {{"-"}, "-", true},
      {{"sheet.tvc"}, "sheet.tvc", false},
      {{"--", "-e"}, "-e", false},  // after "--" a name is a name
      {{"--json", "--", "--json"}, "--json", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    CliOptions o;
    std::string error;
    ASSERT_TRUE(Parse(row.args, o, error)) << error;
    EXPECT_EQ(o.file, row.file);
    EXPECT_EQ(o.FromStandardInput(), row.fromStandardInput);
  }
}

TEST(CliOptionsTest, HelpAndVersionWinOverEverythingElse) {
  struct Row {
    std::vector<std::string_view> args;
    CliOptions::Action action;
  };
  const Row rows[] = {
      {{"--help"}, CliOptions::Action::Help},
      {{"-h", "-i"}, CliOptions::Action::Help},  // -i without a file is not an error here
      {{"--version", "-e", "1", "x.tvc"}, CliOptions::Action::Version},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.front());
    CliOptions o;
    std::string error;
    ASSERT_TRUE(Parse(row.args, o, error)) << error;
    EXPECT_EQ(o.action, row.action);
  }
}

TEST(CliOptionsTest, UsageErrorsSayWhatIsWrong) {
  struct Row {
    std::vector<std::string_view> args;
    std::string_view message;
  };
  const Row rows[] = {
      {{"--frobnicate"}, "unknown option '--frobnicate'"},
      {{"-x"}, "unknown option '-x'"},
      {{"--json=1"}, "unknown option '--json=1'"},
      {{"-e"}, "--expr needs a value"},
      {{"a.tvc", "--at"}, "--at needs a value"},
      {{"--at", "-1", "a.tvc"}, "--at needs a position of 0 or more, not '-1'"},
      {{"--at", "12x"}, "--at needs a position of 0 or more, not '12x'"},
      {{"--at="}, "--at needs a position of 0 or more, not ''"},
      {{"--at", "99999999999999999999999"},
       "--at needs a position of 0 or more, not '99999999999999999999999'"},
      {{"--units", "turns"}, "--units takes rad, deg or grad, not 'turns'"},
      {{"--units", "DEG"}, "--units takes rad, deg or grad, not 'DEG'"},
      {{"--imaginary-unit", "k"}, "--imaginary-unit takes i or j, not 'k'"},
      {{"--load-memory="}, "--load-memory needs a file name"},
      {{"a.tvc", "b.tvc"}, "only one worksheet file can be given, not also 'b.tvc'"},
      {{""}, "the worksheet file name is empty"},
      {{"-e", "1", "a.tvc"}, "--expr cannot be combined with a worksheet file"},
      {{"-e", "1", "--at", "0"}, "--at cannot be combined with --expr"},
      {{"-i"}, "--in-place needs a worksheet file"},
      {{"-i", "-"}, "--in-place needs a worksheet file"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.message);
    CliOptions o;
    std::string error;
    EXPECT_FALSE(Parse(row.args, o, error));
    EXPECT_EQ(error, row.message);
  }
}

TEST(CliOptionsTest, HelpListsEveryOption) {
  const std::string_view help = HelpText();
  for (std::string_view option :
       {"--expr", "--at", "--units", "--upper", "--imaginary-unit", "--in-place", "--json",
        "--load-memory", "--execute", "--save-memory", "--stats", "--help", "--version"}) {
    SCOPED_TRACE(option);
    EXPECT_NE(help.find(option), std::string_view::npos);
  }
}

}  // namespace
}  // namespace vora::cli
