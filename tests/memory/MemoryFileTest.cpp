// SPDX-License-Identifier: MIT
#include "memory/MemoryFile.h"

#include <gtest/gtest.h>

#include <cfloat>
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

using testing::Hex;

using testing::Bytes16;

// Evaluation state, preferences, the store and the last result start afresh,
// and every test gets its own folder.
class MemoryFileTest : public testing::CalculatorStateTest {
 protected:
  static void Set(const std::u16string& name, Complex value, bool included = false) {
    MemoryCell& cell = MemoryStore::Get().CellForStore(name);
    cell.value = value;
    cell.included = included;
  }
  static std::optional<Complex> Value(const std::u16string& name) {
    const MemoryCell* cell = MemoryStore::Get().Find(name);
    if (cell == nullptr) return std::nullopt;
    return cell->value;
  }
  static std::vector<std::u16string> Names() {
    std::vector<std::u16string> names;
    MemoryStore::Get().ForEach([&](const MemoryCell& cell) { names.push_back(cell.name); });
    return names;
  }

  testing::TempFolder dir_;
};

TEST_F(MemoryFileTest, TheScriptIgnoresTheDisplayPreferences) {
  // Upper case and the unit j for display must not leak into the file.
  SetPreference(Preference::NotationCase, 1);
  SetPreference(Preference::FormatI, 1);
  SetPreference(Preference::FormatMemory, 3);
  Set(u"x", {2.5, 0}, true);
  Set(u"z", {3, 4});
  Set(u"zz", {3, -4}, true);
  Set(u"u", {0, 1});
  Set(u"v", {0, -2});
  Set(u"10", {1e-5, 0});
  Set(u"9", {0, 0}, true);

  EXPECT_EQ(Utf8(WriteScript(false)), Utf8(u"\uFEFF"
                                           u"1.0000000000000000818e-005->Mem[10];\r\n"
                                           u"0->Mem[9];\r\n"
                                           u"i->Mem[u];\r\n"
                                           u"\u2212i\u00d72->Mem[v];\r\n"
                                           u"2.5->Mem[x];\r\n"
                                           u"3+i\u00d74->Mem[z];\r\n"
                                           u"3\u2212i\u00d74->Mem[zz];\r\n"));
  EXPECT_EQ(Utf8(WriteScript(true)), Utf8(u"\uFEFF"
                                          u"0->Mem[9];\r\n"
                                          u"2.5->Mem[x];\r\n"
                                          u"3\u2212i\u00d74->Mem[zz];\r\n"));
}

TEST_F(MemoryFileTest, AnEmptyStoreGivesTheMarkAlone) {
  EXPECT_EQ(Utf8(WriteScript(false)), Utf8(u"\uFEFF"));
  const fs::path path = dir_ / "empty.tvm";
  ASSERT_EQ(SaveMemoryFile(path, false), FileStatus::Ok);
  EXPECT_EQ(Hex(testing::TempFolder::Bytes(path)), Hex("\xFF\xFE"sv));
}

TEST_F(MemoryFileTest, SavingOneCellWritesExactlyItsLine) {
  Set(u"a", {5, 0});
  const fs::path path = dir_ / "a.tvm";
  ASSERT_EQ(SaveMemoryFile(path, false), FileStatus::Ok);
  EXPECT_EQ(Hex(testing::TempFolder::Bytes(path)), Hex("\xFF\xFE"
                                                       "5\0-\0>\0M\0e\0m\0[\0a\0]\0;\0\r\0\n\0"sv));
}

TEST_F(MemoryFileTest, EveryKindOfValueComesBackExactly) {
  const struct {
    std::u16string name;
    Complex value;
  } cells[] = {
      {u"zero", {0, 0}},
      {u"real", {2.5, 0}},
      {u"negative", {-0.1, 0}},
      {u"pi", {kPi, 0}},
      {u"tiny", {DBL_MIN, 0}},
      {u"huge", {-DBL_MAX, 0}},
      {u"third", {1.0 / 3.0, 0}},
      {u"complex", {3, 4}},
      {u"conjugate", {3, -4}},
      {u"unit", {0, 1}},
      {u"minus unit", {0, -1}},
      {u"imaginary", {0, -2}},
      {u"mixed", {-1.5e-7, 6.02214076e23}},
      {u"10", {10, 0}},
      {u"9", {9, 0}},
  };
  for (const auto& cell : cells) Set(cell.name, cell.value, true);
  const fs::path path = dir_ / "all.tvm";
  ASSERT_EQ(SaveMemoryFile(path, false), FileStatus::Ok);

  MemoryStore::ResetForTests();
  ASSERT_EQ(LoadMemoryFile(path), FileStatus::Ok);
  EXPECT_TRUE(log.entries.empty()) << Utf8(log.entries.front().description);
  for (const auto& cell : cells) {
    SCOPED_TRACE(Utf8(cell.name));
    const auto loaded = Value(cell.name);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->re, cell.value.re);
    EXPECT_EQ(loaded->im, cell.value.im);
    EXPECT_FALSE(MemoryStore::Get().Find(cell.name)->included);
  }
  EXPECT_EQ(Names().size(), std::size(cells));
}

TEST_F(MemoryFileTest, LoadingAddsToTheStoreAndOverwritesOnlyWhatTheFileNames) {
  Set(u"a", {5, 0});
  Set(u"c", {7, 0});
  const fs::path path = dir_ / "a.tvm";
  ASSERT_EQ(SaveMemoryFile(path, false), FileStatus::Ok);

  MemoryStore::ResetForTests();
  Set(u"b", {1, 0});
  Set(u"c", {-1, 0}, true);
  ASSERT_EQ(LoadMemoryFile(path), FileStatus::Ok);
  EXPECT_EQ(Names(), (std::vector<std::u16string>{u"a", u"b", u"c"}));
  EXPECT_EQ(Value(u"a")->re, 5);
  EXPECT_EQ(Value(u"b")->re, 1);
  EXPECT_EQ(Value(u"c")->re, 7);
  EXPECT_TRUE(MemoryStore::Get().Find(u"c")->included);  // a store keeps the tick
  EXPECT_TRUE(MemoryStore::Get().memoryChanged);
}

TEST_F(MemoryFileTest, AFileIsAScriptRunToItsFirstFailure) {
  const struct {
    const char* label;
    std::string bytes;
    std::vector<std::u16string> cells;
    double lastResult;
  } rows[] = {
      {"any statements, the last result follows", Bytes16(u"1->Mem[a];\r\n2*3"), {u"a"}, 6},
      {"a failure stops the replay, earlier stores stay",
       Bytes16(u"1->Mem[a];1/0;2->Mem[b]"),
       {u"a"},
       1},
      {"a NUL ends the text", Bytes16(u"1->Mem[a];\0 2->Mem[b]"sv), {u"a"}, 1},
      {"marks anywhere are dropped, an odd byte too",
       Bytes16(u"\uFEFF4\uFEFF->Mem[a];") + "x",
       {u"a"},
       4},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    MemoryStore::ResetForTests();
    NCalculatorText::ResetLastResultForTests();
    ASSERT_EQ(LoadMemoryFile(dir_.Put("script.tvm", row.bytes)), FileStatus::Ok);
    EXPECT_EQ(Names(), row.cells);
    EXPECT_EQ(NCalculatorText::LastResult().re, row.lastResult);
  }
}

TEST_F(MemoryFileTest, BadFilesChangeNothing) {
  Set(u"b", {1, 0});
  const fs::path locked = dir_.Put("locked.tvm", "5\0"sv);
  fs::permissions(locked, fs::perms::none);
  const bool permissionsHold = !std::ifstream(locked).is_open();  // not so for root

  const struct {
    const char* label;
    fs::path path;
    FileStatus status;
    std::u16string_view message;
  } rows[] = {
      {"empty", dir_.Put("empty.tvm", ""), FileStatus::ReadFailed, u"Cannot read the file"},
      {"missing", dir_ / "missing.tvm", FileStatus::OpenFailed,
       u"Cannot open the file for reading"},
      {"a folder", dir_.path(), FileStatus::OpenFailed, u"Cannot open the file for reading"},
      {"unreadable", locked, permissionsHold ? FileStatus::OpenFailed : FileStatus::Ok,
       u"Cannot open the file for reading"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    if (row.status == FileStatus::Ok) continue;
    std::vector<std::u16string> failures;
    CommandUi ui;
    ui.chooseFile = [&](const FileChoice&) { return std::optional<fs::path>(row.path); };
    ui.showFailure = [&](std::u16string_view message) { failures.emplace_back(message); };
    ui.refresh = [] { FAIL() << "refreshed after a failure"; };
    EXPECT_EQ(LoadMemory(ui), CommandOutcome::Failed);
    EXPECT_EQ(failures, std::vector<std::u16string>{std::u16string(row.message)});
    EXPECT_EQ(LoadMemoryFile(row.path), row.status);
    EXPECT_EQ(Names(), std::vector<std::u16string>{u"b"});
  }
}

TEST_F(MemoryFileTest, ABigEndianFileIsReadAsLittleEndianUnits) {
  // FE FF 00 35 ... spells U+FFFE, U+3500, ...: nothing a statement can store.
  Set(u"b", {1, 0});
  const fs::path path = dir_.Put("be.tvm", Bytes16(u"\uFEFF5->Mem[a];", true));
  ASSERT_EQ(LoadMemoryFile(path), FileStatus::Ok);
  EXPECT_EQ(Names(), std::vector<std::u16string>{u"b"});
  EXPECT_FALSE(log.entries.empty());
}

TEST_F(MemoryFileTest, TheSaveCommand) {
  Set(u"a", {5, 0}, true);
  Set(u"b", {6, 0});
  std::vector<FileChoice> choices;
  std::vector<std::u16string> failures;
  std::optional<fs::path> answer;
  CommandUi ui;
  ui.chooseFile = [&](const FileChoice& choice) {
    choices.push_back(choice);
    return answer;
  };
  ui.showFailure = [&](std::u16string_view message) { failures.emplace_back(message); };

  EXPECT_EQ(SaveMemory(ui), CommandOutcome::Cancelled);
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_TRUE(choices[0].filter == u"Calculator memory files (*.tvm)|*.tvm||");
  EXPECT_TRUE(choices[0].defaultExtension == u"tvm");
  EXPECT_TRUE(choices[0].initialName == u"Memory 1");
  EXPECT_TRUE(choices[0].save);
  EXPECT_TRUE(fs::is_empty(dir_.path()));

  answer = dir_ / "m.tvm";
  EXPECT_EQ(SaveMemory(ui), CommandOutcome::Done);
  EXPECT_EQ(testing::TempFolder::Bytes(*answer).size(), 2u + 2 * 24);  // both cells
  EXPECT_EQ(SaveMemory(ui, true), CommandOutcome::Done);
  EXPECT_EQ(testing::TempFolder::Bytes(*answer).size(), 2u + 2 * 12);  // the ticked one

  answer = dir_ / "no" / "m.tvm";
  EXPECT_EQ(SaveMemory(ui), CommandOutcome::Failed);
  EXPECT_EQ(failures, std::vector<std::u16string>{u"Cannot open the file for writing"});
}

TEST_F(MemoryFileTest, TheLoadCommand) {
  std::vector<FileChoice> choices;
  int refreshes = 0;
  std::optional<fs::path> answer;
  CommandUi ui;
  ui.chooseFile = [&](const FileChoice& choice) {
    choices.push_back(choice);
    return answer;
  };
  ui.refresh = [&] { ++refreshes; };

  EXPECT_EQ(LoadMemory(ui), CommandOutcome::Cancelled);
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_TRUE(choices[0].filter == u"Calculator memory files (*.tvm)|*.tvm|All files (*.*)|*.*||");
  EXPECT_TRUE(choices[0].defaultExtension == u"tvm");
  EXPECT_FALSE(choices[0].save);
  EXPECT_EQ(refreshes, 0);

  answer = dir_.Put("m.tvm", Bytes16(u"\uFEFF8->Mem[q];"));
  EXPECT_EQ(LoadMemory(ui), CommandOutcome::Done);
  EXPECT_EQ(refreshes, 1);
  EXPECT_EQ(Value(u"q")->re, 8);
  EXPECT_EQ(NCalculatorText::LastResult().re, 8);
  EXPECT_EQ(testing::TempFolder::Bytes(*answer).size(), 22u);  // the file is not rewritten
}

TEST_F(MemoryFileTest, TheFreeCommandAsksAsThePreferenceSays) {
  enum Answer { NotAsked, Yes, No };
  const struct {
    std::uint32_t confirmation;
    Answer answer;
    bool erased;
  } rows[] = {
      {0, NotAsked, true}, {1, Yes, true}, {1, No, false}, {2, Yes, true}, {2, No, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message()
                 << "FreeConfirmation " << row.confirmation << " answer " << row.answer);
    MemoryStore::ResetForTests();
    Set(u"a", {1, 0});
    SetPreference(Preference::FreeConfirmation, row.confirmation);
    std::vector<std::u16string> questions;
    int refreshes = 0;
    CommandUi ui;
    ui.confirm = [&](std::u16string_view question) {
      questions.emplace_back(question);
      return row.answer == Yes;
    };
    ui.refresh = [&] { ++refreshes; };
    EXPECT_EQ(FreeMemory(ui), row.erased ? CommandOutcome::Done : CommandOutcome::Cancelled);
    EXPECT_EQ(MemoryStore::Get().Count(), row.erased ? 0u : 1u);
    EXPECT_EQ(refreshes, row.erased ? 1 : 0);
    if (row.answer == NotAsked) {
      EXPECT_TRUE(questions.empty());
    } else {
      EXPECT_EQ(questions, std::vector<std::u16string>{
                               u"You are about to erase all the memory.\nAre you sure?"});
    }
  }
}

}  // namespace
}  // namespace vora
