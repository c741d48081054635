// SPDX-License-Identifier: MIT
#include "cli/VoraCalc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "engine/CalculationDriver.h"
#include "math/MathError.h"
#include "memory/MemoryStore.h"
#include "settings/Preferences.h"
#include "support/CalculatorState.h"

namespace vora::cli {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

struct Result {
  int status;
  std::string out;
  std::string err;
};

/// Runs vora-calc in the process on fresh engine state, with files in a
/// folder of its own.
class VoraCalcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetState();
    dir_ = fs::temp_directory_path() /
           ("vora-calc-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    ResetState();
    fs::remove_all(dir_);
  }
  static void ResetState() { testing::ResetCalculatorState(); }

  Result Run(std::vector<std::string> args, const std::string& input = {}) {
    std::vector<std::string_view> views(args.begin(), args.end());
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunVoraCalc(views, in, out, err);
    return {status, out.str(), err.str()};
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  /// FF FE and the UTF-16LE units of an ASCII text.
  static std::string Utf16File(std::string_view ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
      bytes += c;
      bytes += '\0';
    }
    return bytes;
  }

  fs::path dir_;
};

TEST_F(VoraCalcTest, CalculatesAllOfStandardInputWithTheLogOnStandardError) {
  struct Row {
    std::string input;
    std::string out;
    std::string err;
    int status;
  };
  const Row rows[] = {
      {"1+2", "1+2=3", "", 0},
      {"2; Rslt*3\n", "2=2; Rslt*3=6\n", "", 0},
      {"1; 1/0 = 9; 5", "1=1; 1/0  ; 5", "1\tError\tDivision\tOperation has singularity at 0\n", 1},
      {"1+1; /* open", "1+1; /* open", "1\tError\tNone\tSyntax error\n", 1},
      {"Mem[x]+1", "Mem[x]+1=1",
       "1\tWarning\tMemory\tUninitialized memory used, value forced to 0\n", 0},
      {"", "", "", 0},
      // A NUL in a pipe and any other character pass through; a leading
      // UTF-8 byte-order mark is not part of the worksheet.
      {"1+2; // \0 \xC3\xA9 \xF0\x9F\x98\x80\n"s, "1+2=3; // \0 \xC3\xA9 \xF0\x9F\x98\x80\n"s, "",
       0},
      {"\xEF\xBB\xBF"
       "2*3",
       "2*3=6", "", 0},
      {"3\xE2\x88\x92i\xC3\x97"
       "4 = old",
       "3\xE2\x88\x92i\xC3\x97"
       "4 = 3\xE2\x88\x92i\xC3\x97"
       "4",
       "", 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    ResetState();
    const Result r = Run({}, row.input);
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(r.err, row.err);
    EXPECT_EQ(r.status, row.status);
    const Result dash = Run({"-"}, row.input);
    EXPECT_EQ(dash.out, r.out);
  }
}

TEST_F(VoraCalcTest, RefusesStandardInputThatIsNotUtf8AndCalculatesNothing) {
  const std::string inputs[] = {
      "5->Mem[a]; 1+\xFF",
      "5->Mem[a]; \xED\xA0\x80",  // a surrogate encoded on its own
      "5->Mem[a]; \xC3",          // cut off at the end
      "\xFF\xFE"
      "5\0-\0>\0"s,  // UTF-16 piped in
  };
  for (const auto& input : inputs) {
    SCOPED_TRACE(::testing::PrintToString(input));
    const Result r = Run({}, input);
    EXPECT_EQ(r.status, kExitUsageOrFile);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("vora-calc: standard input is not valid UTF-8"), std::string::npos)
        << r.err;
    EXPECT_EQ(MemoryStore::Get().Count(), 0u);
  }
}

TEST_F(VoraCalcTest, ReadsFilesAsCalculationFilesAndWritesEveryCodeUnit) {
  struct Row {
    std::string name;
    std::string bytes;
    std::string out;
  };
  const Row rows[] = {
      {"crlf", Utf16File("1+2;\r\n3*4 = 0\r\n"), "1+2=3;\r\n3*4 = 12\r\n"},
      {"no-bom", Utf16File("2^3").substr(2), "2^3=8"},
      {"cut-at-nul",
       Utf16File("1+1") + "\0\0"
                          "9\0"s,
       "1+1=2"},
      {"mark-inside", Utf16File("1+") + "\xFF\xFE" + Utf16File("1").substr(2), "1+1=2"},
      {"odd-byte", Utf16File("7") + "x", "7=7"},
      {"empty", "", ""},
      // A lone surrogate in a comment comes out as its three bytes.
      {"lone-surrogate", Utf16File("1;//") + "\x00\xD8"s + Utf16File("\n2").substr(2),
       "1=1;//\xED\xA0\x80\n2=2"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = Path(row.name + ".tvc");
    WriteBytes(path, row.bytes);
    const Result r = Run({path});
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(r.status, kExitOk) << r.err;
  }
}

TEST_F(VoraCalcTest, ExpressionsPrintOneResultPerStatementUpToTheFirstFailure) {
  struct Row {
    std::vector<std::string> args;
    std::string out;
    int status;
  };
  const Row rows[] = {
      {{"-e", "2", "-e", "Rslt*3"}, "2\n6\n", 0},
      {{"-e", "2;Rslt*3"}, "2\n6\n", 0},
      {{"-e", "1+1 = 7"}, "2\n", 0},
      // Empty statements, blanks and comments are stepped over.
      {{"-e", "", "-e", ";;", "-e", " /* c */ ", "-e", "1+1", "-e", "// end"}, "2\n", 0},
      {{"-e", "1", "-e", "1/0", "-e", "5"}, "1\n", 1},
      {{"-e", "a = b = 5"}, "", 1},
      {{"-e", "1", "-e", "/* open"}, "", 1},
      {{"-e", "sqrt(-4)", "--imaginary-unit", "j"},
       "j\xC3\x97"
       "2\n",
       0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.back());
    ResetState();
    const Result r = Run(row.args);
    EXPECT_EQ(r.out, row.out) << r.err;
    EXPECT_EQ(r.status, row.status);
  }
  ResetState();
  const Result failed = Run({"-e", "7", "-e", "Mem[q]", "-e", "1/0"});
  EXPECT_EQ(failed.err,
            "1\tWarning\tMemory\tUninitialized memory used, value forced to 0\n"
            "2\tError\tDivision\tOperation has singularity at 0\n");
}

TEST_F(VoraCalcTest, DisplayOptionsSetThePreferencesOfTheRun) {
  struct Row {
    std::vector<std::string> args;
    std::string input;
    std::string out;
  };
  const Row rows[] = {
      {{"--units", "deg"}, "asin(1)", "asin(1)=90"},
      {{"--units", "grad"}, "acos(0)", "acos(0)=100"},
      {{"--units", "rad"}, "asin(1)*2", "asin(1)*2=3.141592653589793116"},
      {{"--upper"}, "1e22", "1e22=1E+022"},
      {{}, "1e22", "1e22=1e+022"},
      {{"--imaginary-unit", "j"},
       "3-4*i",
       "3-4*i=3\xE2\x88\x92j\xC3\x97"
       "4"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    ResetState();
    const Result r = Run(row.args, row.input);
    EXPECT_EQ(r.out, row.out) << r.err;
  }
}

TEST_F(VoraCalcTest, AtCalculatesOnlyTheStatementAtThePosition) {
  const std::string sheet = "1+1; 2+2 = 9; 3+3";
  struct Row {
    std::string at;
    std::string out;
    int position;
  };
  const Row rows[] = {
      {"0", "1+1=2; 2+2 = 9; 3+3", 6},
      {"7", "1+1; 2+2 = 4; 3+3", 13},
      {"15", "1+1; 2+2 = 9; 3+3=6", 19},
      {"17", "1+1; 2+2 = 9; 3+3=6", 19},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.at);
    ResetState();
    const Result r = Run({"--at", row.at}, sheet);
    EXPECT_EQ(r.out, row.out);
    ResetState();
    const Result json = Run({"--at", row.at, "--json"}, sheet);
    EXPECT_NE(json.out.find("\"position\": " + std::to_string(row.position) + ","),
              std::string::npos)
        << json.out;
  }
  const Result beyond = Run({"--at", "18"}, sheet);
  EXPECT_EQ(beyond.status, kExitUsageOrFile);
  EXPECT_EQ(beyond.out, "");
  EXPECT_EQ(beyond.err, "vora-calc: --at 18 is beyond the end of the worksheet (17 code units)\n");
}

TEST_F(VoraCalcTest, JsonReportsTextPositionResultLogAndMemory) {
  MemoryStore::Get().CellForStore(u"old").value = {0, -2};
  MemoryStore::Get().SetIncluded(u"old", true);
  const Result r = Run({"--json"}, "5->Mem[a];\n\"x\"");
  EXPECT_EQ(r.status, kExitCalculationFailed);
  EXPECT_EQ(r.out,
            "{\"ok\": false, \"text\": \"5->Mem[a]=5;\\n\\\"x\\\"\", \"position\": -1, "
            "\"lastResult\": \"5\", "
            "\"log\": [{\"status\": \"Error\", \"context\": \"None\", \"description\": \"Syntax "
            "error\"}], "
            "\"memory\": [{\"name\": \"a\", \"value\": \"5\", \"included\": false}, "
            "{\"name\": \"old\", \"value\": \"\xE2\x88\x92i\xC3\x97"
            "2\", \"included\": true}]}\n");
  EXPECT_EQ(r.err, "1\tError\tNone\tSyntax error\n");
}

TEST_F(VoraCalcTest, InPlaceWritesTheCalculationFileBack) {
  const std::string path = Path("sheet.tvc");
  WriteBytes(path, Utf16File("1+2 = 0;\r\n1/0 = 4;\r\n5").substr(2));  // no mark yet
  const Result r = Run({"-i", path});
  EXPECT_EQ(r.status, kExitCalculationFailed);
  EXPECT_EQ(r.out, "");
  // The results before the failure are kept, as the window keeps them.
  EXPECT_EQ(ReadBytes(path), Utf16File("1+2 = 3;\r\n1/0  ;\r\n5"));

  const std::string lossy = Path("lossy.tvc");
  const std::string bytes = Utf16File("1+1") + "\0\0"s + Utf16File("keep").substr(2);
  WriteBytes(lossy, bytes);
  const Result refused = Run({"--in-place", lossy});
  EXPECT_EQ(refused.status, kExitUsageOrFile);
  EXPECT_NE(refused.err.find("not written back"), std::string::npos) << refused.err;
  EXPECT_EQ(ReadBytes(lossy), bytes);
}

TEST_F(VoraCalcTest, FilesThatCannotBeReadOrWrittenExitWithStatusTwo) {
  WriteBytes(Path("empty.tvm"), "");
  WriteBytes(Path("one.tvm"), Utf16File("1->Mem[a];\r\n"));
  struct Row {
    std::vector<std::string> args;
    std::string err;
  };
  const Row rows[] = {
      {{Path("missing.tvc")}, Path("missing.tvc") + ": Cannot open the file for reading"},
      {{dir_.string()}, dir_.string() + ": Cannot open the file for reading"},
      {{"--load-memory", Path("missing.tvm"), "-e", "1"},
       Path("missing.tvm") + ": Cannot open the file for reading"},
      {{"--load-memory", Path("empty.tvm"), "-e", "1"},
       Path("empty.tvm") + ": Cannot read the file"},
      {{"--execute", Path("empty.tvm"), "-e", "1"}, Path("empty.tvm") + ": Cannot read the file"},
      {{"--load-memory", Path("one.tvm"), "--save-memory", Path("no/such/folder/m.tvm"), "-e", "1"},
       Path("no/such/folder/m.tvm") + ": Cannot open the file for writing"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.err);
    ResetState();
    const Result r = Run(row.args);
    EXPECT_EQ(r.status, kExitUsageOrFile);
    EXPECT_NE(r.err.find("vora-calc: " + row.err + "\n"), std::string::npos) << r.err;
  }
}

TEST_F(VoraCalcTest, MemoryFilesAreReplayedBeforeAndSavedAfterTheRun) {
  WriteBytes(Path("a.tvm"), Utf16File("5->Mem[a];\r\n"));
  WriteBytes(Path("b.tvc"), Utf16File("1->Mem[b]; 1/0; 9->Mem[b]"));
  const std::string saved = Path("saved.tvm");
  const Result r = Run({"--load-memory", Path("a.tvm"), "--execute", Path("b.tvc"), "--save-memory",
                        saved, "-e", "Mem[a]+Mem[b]->Mem[c]"});
  EXPECT_EQ(r.out, "6\n");
  // The executed file's failure is logged under its name and counts in the
  // exit status, but the worksheet still runs.
  EXPECT_EQ(r.err, Path("b.tvc") + ": 1\tError\tDivision\tOperation has singularity at 0\n");
  EXPECT_EQ(r.status, kExitCalculationFailed);
  EXPECT_EQ(ReadBytes(saved), Utf16File("5->Mem[a];\r\n1->Mem[b];\r\n6->Mem[c];\r\n"));
}

TEST_F(VoraCalcTest, StatisticsFollowTheTextOnLinesOfTheirOwn) {
  const Result r = Run({"--stats"}, "1->Mem[a]; 1->Mem[b]");
  EXPECT_EQ(r.out,
            "1->Mem[a]=1; 1->Mem[b]=1\n"
            "Mean (average)\t1\n"
            "Variance\t0\n"
            "Standard deviation\t0\n"
            "Average deviation\t0\n"
            "Skewness\tCannot be calculated\n"
            "Kurtosis\tCannot be calculated\n");
  EXPECT_EQ(r.status, kExitOk);
}

TEST_F(VoraCalcTest, UsageHelpAndVersion) {
  const Result bad = Run({"--frobnicate"});
  EXPECT_EQ(bad.status, kExitUsageOrFile);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err,
            "vora-calc: unknown option '--frobnicate'\nTry 'vora-calc --help' for more.\n");

  const Result help = Run({"--help"});
  EXPECT_EQ(help.status, kExitOk);
  EXPECT_EQ(help.out, HelpText());

  const Result version = Run({"--version"});
  EXPECT_EQ(version.status, kExitOk);
  EXPECT_TRUE(version.out.starts_with("vora-calc ")) << version.out;
}

}  // namespace
}  // namespace vora::cli
