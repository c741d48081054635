// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "math/MathError.h"

/// The log of vora-calc: keeps a copy of every entry of the current run (the
/// reporter only lends the texts) and renders them as text lines or JSON. It
/// prints nothing by itself; the run decides where the lines go.

namespace vora::cli {

struct CliLogEntry {
  LogStatus status;
  std::u16string context;
  std::u16string description;
  bool operator==(const CliLogEntry&) const = default;
};

class CliLogReceiver : public ILogReceiver {
 public:
  void AddEntry(const LogEntry& entry) override;
  void ClearEntries() override { entries_.clear(); }

  const std::vector<CliLogEntry>& Entries() const { return entries_; }

 private:
  std::vector<CliLogEntry> entries_;
};

/// "Error" or "Warning", as the log pane shows the status.
std::u16string_view StatusText(LogStatus status);

/// One UTF-8 line per entry, "N<TAB>Status<TAB>Context<TAB>Description", N
/// counted from 1; each line starts with prefix.
std::string FormatLogLines(const std::vector<CliLogEntry>& entries, std::string_view prefix = {});

/// Registers a receiver in the evaluation state for a scope and puts the
/// previous one back afterwards.
class ScopedLogReceiver {
 public:
  explicit ScopedLogReceiver(ILogReceiver& receiver);
  ~ScopedLogReceiver();
  ScopedLogReceiver(const ScopedLogReceiver&) = delete;
  ScopedLogReceiver& operator=(const ScopedLogReceiver&) = delete;

 private:
  ILogReceiver* previous_;
};

}  // namespace vora::cli
