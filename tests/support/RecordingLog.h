// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "math/MathError.h"
#include "settings/Preferences.h"

namespace vora::testing {

/// One log entry with its texts copied (the reporter only lends them).
struct RecordedEntry {
  LogStatus status;
  std::u16string context;
  std::u16string description;
  bool operator==(const RecordedEntry&) const = default;
};

/// A log receiver that keeps every entry, as the log pane does.
class RecordingLog : public ILogReceiver {
 public:
  void AddEntry(const LogEntry& entry) override {
    entries.push_back(
        {entry.status, std::u16string(entry.context), std::u16string(entry.description)});
  }
  void ClearEntries() override {
    entries.clear();
    ++clears;
  }

  std::vector<RecordedEntry> entries;
  int clears = 0;
};

/// Resets the process-wide evaluation state and preferences around each test
/// and registers a recording log.
class CoreStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EvaluationState::ResetForTests();
    PreferenceState::ResetForTests();
    EvaluationState::Get().logReceiver = &log;
  }
  void TearDown() override {
    EvaluationState::ResetForTests();
    PreferenceState::ResetForTests();
  }

  RecordingLog log;
};

inline std::string Utf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace vora::testing

namespace vora::testing {
// Readable failure messages for log entries.
inline void PrintTo(const RecordedEntry& e, std::ostream* os) {
  *os << (e.status == LogStatus::Error ? "Error" : "Warning") << " [" << Utf8(e.context) << "] "
      << Utf8(e.description);
}
}  // namespace vora::testing
