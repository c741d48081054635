// SPDX-License-Identifier: MIT
#include "document/TextFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#include "document/TempFolder.h"
#include "support/Bytes.h"

namespace vora {
namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;

using testing::Hex;

std::string Units(std::u16string_view text) {
  std::string out;
  char buffer[8];
  for (char16_t c : text) {
    std::snprintf(buffer, sizeof buffer, "%04X ", static_cast<unsigned>(c));
    out += buffer;
  }
  return out;
}

class TextFileTest : public ::testing::Test {
 protected:
  fs::path Put(const std::string& name, std::string_view bytes) { return dir_.Put(name, bytes); }
  static std::string Bytes(const fs::path& path) { return testing::TempFolder::Bytes(path); }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path()))
      names.push_back(entry.path().filename().string());
    return names;
  }

  testing::TempFolder dir_;
};

TEST_F(TextFileTest, BytesDecodeAsLittleEndianUnitsCutAtNulWithoutByteOrderMarks) {
  const struct {
    const char* label;
    std::string_view bytes;
    std::u16string_view text;
  } rows[] = {
      {"no bytes", ""sv, u""},
      {"a single byte", "1"sv, u""},
      {"odd length drops the last byte", "1\0+\0002"sv, u"1+"},
      {"mark then text",
       "\xFF\xFE"
       "1\0+\0002\0=\0003\0"sv,
       u"1+2=3"},
      {"marks anywhere are removed",
       "a\0\xFF\xFE"
       "b\0\xFF\xFE"sv,
       u"ab"},
      {"cut at the first NUL", "a\0\0\0b\0"sv, u"a"},
      {"NUL first", "\0\0a\0"sv, u""},
      {"big-endian mark reads as U+FFFE and stays", "\xFE\xFF\0a"sv, u"\uFFFE\u6100"},
      {"8-bit text pairs up", "ab"sv, u"\u6261"},
      {"lone surrogate kept", "\x00\xD8x\0"sv, u"\xD800x"},
      {"CR LF", "5\0\r\0\n\0"sv, u"5\r\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(Units(DecodeFileBytes(row.bytes)), Units(row.text));
  }
}

TEST_F(TextFileTest, WritingPutsTheMarkThenTheUnitsAndNothingElse) {
  const struct {
    std::u16string_view text;
    std::string_view bytes;
  } rows[] = {
      {u"1+2=3",
       "\xFF\xFE"
       "1\0+\0002\0=\0003\0"sv},  // twelve bytes
      {u"5->Mem[a];\r\n",
       "\xFF\xFE"
       "5\0-\0>\0M\0e\0m\0[\0a\0]\0;\0\r\0\n\0"sv},
      {u"", "\xFF\xFE"sv},
      {u"\u2212i\u00d72", "\xFF\xFE\x12\x22i\0\xD7\0002\0"sv},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(Units(row.text));
    EXPECT_EQ(Hex(EncodeFileBytes(row.text)), Hex(row.bytes));
    const fs::path path = dir_ / "out.tvc";
    ASSERT_EQ(WriteTextFile(path, row.text), FileStatus::Ok);
    EXPECT_EQ(Hex(Bytes(path)), Hex(row.bytes));
    std::u16string back;
    ASSERT_EQ(ReadTextFile(path, back), FileStatus::Ok);
    EXPECT_EQ(Units(back), Units(row.text));
  }
}

TEST_F(TextFileTest, FilesThatCannotBeRead) {
  const fs::path unreadable = Put("locked.tvm", "a\0"sv);
  fs::permissions(unreadable, fs::perms::none);
  const bool permissionsHold = !std::ifstream(unreadable).is_open();  // not so for root

  const struct {
    const char* label;
    fs::path path;
    FileStatus status;
  } rows[] = {
      {"missing", dir_ / "missing.tvm", FileStatus::OpenFailed},
      {"a folder", dir_.path(), FileStatus::OpenFailed},
      {"empty", Put("empty.tvm", ""), FileStatus::ReadFailed},
      {"unreadable", unreadable, permissionsHold ? FileStatus::OpenFailed : FileStatus::Ok},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    std::u16string text = u"untouched";
    EXPECT_EQ(ReadTextFile(row.path, text), row.status);
    if (row.status != FileStatus::Ok) {
      EXPECT_TRUE(text == u"untouched");
    }
  }

  // One byte is something read, even if it spells no code unit; and an empty
  // file is a valid byte string for the reader that accepts it.
  std::u16string text = u"x";
  EXPECT_EQ(ReadTextFile(Put("one.tvm", "1"), text), FileStatus::Ok);
  EXPECT_TRUE(text.empty());
  std::string bytes = "x";
  EXPECT_EQ(ReadFileBytes(dir_ / "empty.tvm", bytes), FileStatus::Ok);
  EXPECT_TRUE(bytes.empty());
}

TEST_F(TextFileTest, AFileAboveTheLimitIsRefusedBeforeItIsRead) {
  const fs::path path = dir_ / "huge.tvc";
  Put("huge.tvc", "");
  fs::resize_file(path, kMaxTextFileBytes + 1);  // sparse: costs no disk
  std::u16string text = u"untouched";
  EXPECT_EQ(ReadTextFile(path, text), FileStatus::TooLarge);
  EXPECT_TRUE(text == u"untouched");
  EXPECT_TRUE(FileStatusMessage(FileStatus::TooLarge, false) == u"Cannot read the file");
}

TEST_F(TextFileTest, SavingReplacesTheOldFileCompletelyAndKeepsItsPermissions) {
  const fs::path path = Put("work.tvc", "a much longer previous content than the new one");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_EQ(WriteTextFile(path, u"1"), FileStatus::Ok);
  EXPECT_EQ(Hex(Bytes(path)), Hex("\xFF\xFE"
                                  "1\0"sv));
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Entries(), std::vector<std::string>{"work.tvc"});
}

TEST_F(TextFileTest, SavingThroughALinkReplacesTheFileItNames) {
  const fs::path real = Put("real.tvc", "old");
  const fs::path link = dir_ / "link.tvc";
  fs::create_symlink(real, link);
  ASSERT_EQ(WriteTextFile(link, u"2"), FileStatus::Ok);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Hex(Bytes(real)), Hex("\xFF\xFE"
                                  "2\0"sv));
}

TEST_F(TextFileTest, FailedSavesLeaveTheOldFileAndNoTemporary) {
  const fs::path readOnly = Put("readonly.tvc", "old");
  fs::permissions(readOnly, fs::perms::owner_read);
  fs::create_directory(dir_ / "folder.tvc");
  Put("keep.tvc", "old");

  const struct {
    const char* label;
    fs::path path;
    FileStatus status;
  } rows[] = {
      {"into a missing folder", dir_ / "no" / "such.tvc", FileStatus::OpenFailed},
      {"over a folder", dir_ / "folder.tvc", FileStatus::OpenFailed},
      {"over a read-only file", readOnly, FileStatus::OpenFailed},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(WriteTextFile(row.path, u"new"), row.status);
    EXPECT_TRUE(FileStatusMessage(row.status, true) == u"Cannot open the file for writing");
  }
  EXPECT_EQ(Bytes(readOnly), "old");
  EXPECT_FALSE(fs::exists(dir_ / "no"));
  std::vector<std::string> names = Entries();
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"folder.tvc", "keep.tvc", "readonly.tvc"}));
}

TEST_F(TextFileTest, ASaveThatFailsHalfWayLeavesTheOldFileIntact) {
  const fs::path path = Put("memory.tvm", "old content");
  const std::u16string big(100000, u'7');

  // A file-size limit makes the disk "full" after a few kilobytes.
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit previous{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
  rlimit small = previous;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const FileStatus status = WriteTextFile(path, big);
  setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(status, FileStatus::WriteFailed);
  EXPECT_EQ(Bytes(path), "old content");
  EXPECT_EQ(Entries(), std::vector<std::string>{"memory.tvm"});
  EXPECT_TRUE(FileStatusMessage(status, true) == u"Cannot open the file for writing");
}

TEST_F(TextFileTest, ReadMessages) {
  EXPECT_TRUE(FileStatusMessage(FileStatus::OpenFailed, false) ==
              u"Cannot open the file for reading");
  EXPECT_TRUE(FileStatusMessage(FileStatus::ReadFailed, false) == u"Cannot read the file");
  EXPECT_TRUE(FileStatusMessage(FileStatus::Ok, false).empty());
}

}  // namespace
}  // namespace vora
