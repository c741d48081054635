// SPDX-License-Identifier: MIT
#include "cli/CliLogReceiver.h"

#include "cli/Utf8.h"

namespace vora::cli {

void CliLogReceiver::AddEntry(const LogEntry& entry) {
  entries_.push_back(
      {entry.status, std::u16string(entry.context), std::u16string(entry.description)});
}

std::u16string_view StatusText(LogStatus status) {
  return status == LogStatus::Error ? u"Error" : u"Warning";
}

std::string FormatLogLines(const std::vector<CliLogEntry>& entries, std::string_view prefix) {
  std::string out;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    out += prefix;
    out += std::to_string(i + 1);
    out += '\t';
    AppendUtf8(StatusText(entries[i].status), out);
    out += '\t';
    AppendUtf8(entries[i].context, out);
    out += '\t';
    AppendUtf8(entries[i].description, out);
    out += '\n';
  }
  return out;
}

ScopedLogReceiver::ScopedLogReceiver(ILogReceiver& receiver)
    : previous_(EvaluationState::Get().logReceiver) {
  EvaluationState::Get().logReceiver = &receiver;
}

ScopedLogReceiver::~ScopedLogReceiver() {
  EvaluationState::Get().logReceiver = previous_;
}

}  // namespace vora::cli
