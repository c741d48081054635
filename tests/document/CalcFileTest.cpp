// SPDX-License-Identifier: MIT
#include "document/CalcFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "document/TempFolder.h"
#include "support/Bytes.h"
#include "support/CalculatorState.h"

namespace vora {
namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;
using testing::Utf8;

using testing::Bytes16;

class CalcFileTest : public testing::CalculatorStateTest {
 protected:
  testing::TempFolder dir_;
};

TEST_F(CalcFileTest, StoringWritesTheMarkAndTheTextAsTheEditorHoldsIt) {
  const struct {
    std::u16string_view text;
    std::string bytes;
  } rows[] = {
      {u"1+2=3", "\xFF\xFE" + Bytes16(u"1+2=3")},  // twelve bytes
      {u"a=1;\r\nb", "\xFF\xFE" + Bytes16(u"a=1;\r\nb")},
      {u"", "\xFF\xFE"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Utf8(row.text));
    const fs::path path = dir_ / "sheet.tvc";
    ASSERT_EQ(StoreCalculationFile(path, row.text), FileStatus::Ok);
    EXPECT_EQ(testing::TempFolder::Bytes(path), row.bytes);
    std::u16string loaded = u"?";
    ASSERT_EQ(LoadCalculationFile(path, loaded), FileStatus::Ok);
    EXPECT_EQ(Utf8(loaded), Utf8(row.text));
  }
}

TEST_F(CalcFileTest, AnyFileLoads) {
  const struct {
    const char* label;
    std::string bytes;
    std::u16string_view text;
  } rows[] = {
      {"empty file, empty worksheet", "", u""},
      {"mark in the middle removed", Bytes16(u"1+\uFEFF2"), u"1+2"},
      {"cut at the first NUL", Bytes16(u"1+2\0garbage"sv), u"1+2"},
      {"8-bit text", "ab", u"\u6261"},
      {"odd length", std::string("1\0+", 3), u"1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    std::u16string loaded = u"?";
    ASSERT_EQ(LoadCalculationFile(dir_.Put("any.tvc", row.bytes), loaded), FileStatus::Ok);
    EXPECT_EQ(Utf8(loaded), Utf8(row.text));
  }
  std::u16string loaded = u"kept";
  EXPECT_EQ(LoadCalculationFile(dir_ / "missing.tvc", loaded), FileStatus::OpenFailed);
  EXPECT_EQ(LoadCalculationFile(dir_.path(), loaded), FileStatus::OpenFailed);
  EXPECT_EQ(Utf8(loaded), "kept");
}

TEST_F(CalcFileTest, ExecuteRunsTheFileForItsEffectOnly) {
  const fs::path path = dir_.Put("run.tvc", Bytes16(u"\uFEFF2->Mem[a]; Mem[a]*3"));
  std::vector<FileChoice> choices;
  int refreshes = 0;
  CommandUi ui;
  ui.chooseFile = [&](const FileChoice& choice) {
    choices.push_back(choice);
    return std::optional<fs::path>(path);
  };
  ui.refresh = [&] { ++refreshes; };

  EXPECT_EQ(ExecuteFile(ui), CommandOutcome::Done);
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_TRUE(choices[0].filter == kCalculationFileFilter);
  EXPECT_TRUE(choices[0].defaultExtension == u"tvc");
  EXPECT_FALSE(choices[0].save);
  EXPECT_EQ(refreshes, 1);
  ASSERT_NE(MemoryStore::Get().Find(u"a"), nullptr);
  EXPECT_EQ(MemoryStore::Get().Find(u"a")->value.re, 2);
  EXPECT_EQ(NCalculatorText::LastResult().re, 6);
  // The results the run wrote into its text are thrown away.
  EXPECT_EQ(testing::TempFolder::Bytes(path), Bytes16(u"\uFEFF2->Mem[a]; Mem[a]*3"));
}

TEST_F(CalcFileTest, ExecuteFailuresAndCancel) {
  const struct {
    const char* label;
    std::optional<fs::path> chosen;
    CommandOutcome outcome;
    std::vector<std::u16string> messages;
  } rows[] = {
      {"cancelled", std::nullopt, CommandOutcome::Cancelled, {}},
      {"missing",
       dir_ / "missing.tvc",
       CommandOutcome::Failed,
       {u"Cannot open the file for reading"}},
      {"empty", dir_.Put("empty.tvc", ""), CommandOutcome::Failed, {u"Cannot read the file"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    std::vector<std::u16string> messages;
    CommandUi ui;
    ui.chooseFile = [&](const FileChoice&) { return row.chosen; };
    ui.showFailure = [&](std::u16string_view message) { messages.emplace_back(message); };
    ui.refresh = [] { FAIL() << "refreshed without a run"; };
    EXPECT_EQ(ExecuteFile(ui), row.outcome);
    EXPECT_EQ(messages, row.messages);
  }
  EXPECT_EQ(ExecuteFile(CommandUi{}), CommandOutcome::Cancelled);  // nobody to ask
}

TEST_F(CalcFileTest, TheNameProposedForANewDocument) {
  const struct {
    std::u16string_view title;
    std::u16string_view name;
  } rows[] = {
      {u"Calculation", u"Calculation.tvc"},
      {u"a:b", u"a.tvc"},
      {u"x/y\\z", u"x.tvc"},
      {u"x\\y", u"x.tvc"},
      {u"", u".tvc"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Utf8(row.title));
    EXPECT_EQ(Utf8(ProposedSaveName(row.title)), Utf8(row.name));
  }
}

}  // namespace
}  // namespace vora
