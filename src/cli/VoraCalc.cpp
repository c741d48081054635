// SPDX-License-Identifier: MIT
#include "cli/VoraCalc.h"

#include <cstddef>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "cli/CliLogReceiver.h"
#include "cli/CliOptions.h"
#include "cli/JsonWriter.h"
#include "cli/Utf8.h"
#include "document/CalcFile.h"
#include "document/TextFile.h"
#include "engine/CalculationDriver.h"
#include "math/Format.h"
#include "memory/MemoryFile.h"
#include "memory/MemoryStore.h"
#include "memory/Statistics.h"
#include "settings/Preferences.h"

#ifndef VORA_VERSION
#define VORA_VERSION "unknown"
#endif

namespace vora::cli {

namespace {

constexpr std::string_view kProgram = "vora-calc";

constexpr bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

/// What one invocation produced, gathered before anything is written.
struct Outcome {
  bool ok = true;
  std::u16string text;
  std::ptrdiff_t position = -1;
  std::size_t unitsRead = 0;            // length of the text as read
  std::vector<std::u16string> results;  // --expr only
  std::vector<CliLogEntry> log;
};

class Invocation {
 public:
  Invocation(const CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err)
      : options_(options), in_(in), out_(out), err_(err), logScope_(log_) {}

  int Run();

 private:
  void ApplyPreferences() const;
  bool ReadWorksheet(std::u16string& text);
  bool ReadStandardInput(std::u16string& text);
  bool RunPreRuns(bool& allSucceeded);
  void CalculateAll(Outcome& outcome);
  void CalculateExpressions(Outcome& outcome);
  bool WriteBack(const Outcome& outcome);
  void WriteText(const Outcome& outcome);
  void WriteJson(const Outcome& outcome);
  void WriteLog(const Outcome& outcome);
  void WriteStatisticsText();
  void FileError(const std::string& path, std::u16string_view message);

  const CliOptions& options_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  CliLogReceiver log_;
  ScopedLogReceiver logScope_;
};

void Invocation::FileError(const std::string& path, std::u16string_view message) {
  err_ << kProgram << ": " << path << ": " << EncodeUtf8(message) << '\n';
}

void Invocation::ApplyPreferences() const {
  if (options_.trigonometricUnits) {
    SetPreference(Preference::TrigonometricUnits, *options_.trigonometricUnits);
  }
  if (options_.upperCase) SetPreference(Preference::NotationCase, 1);
  if (options_.imaginaryUnitJ) SetPreference(Preference::FormatI, *options_.imaginaryUnitJ);
}

bool Invocation::ReadStandardInput(std::u16string& text) {
  std::string bytes;
  char chunk[1 << 16];
  while (in_.read(chunk, sizeof chunk) || in_.gcount() > 0) {
    bytes.append(chunk, static_cast<std::size_t>(in_.gcount()));
  }
  if (in_.bad()) {
    err_ << kProgram << ": cannot read standard input\n";
    return false;
  }
  std::string_view view = bytes;
  // Editors on other systems like to start UTF-8 files with a byte-order mark;
  // it is not part of the worksheet.
  if (view.starts_with("\xEF\xBB\xBF")) view.remove_prefix(3);
  Utf8Error error;
  if (!DecodeUtf8(view, text, error)) {
    const std::size_t offset = error.offset + (bytes.size() - view.size());
    err_ << kProgram << ": standard input is not valid UTF-8 (" << error.reason << " at byte "
         << offset << "); nothing was calculated\n";
    return false;
  }
  return true;
}

bool Invocation::ReadWorksheet(std::u16string& text) {
  if (!options_.expressions.empty()) {
    std::u16string joined;
    for (std::size_t i = 0; i < options_.expressions.size(); ++i) {
      std::u16string expression;
      Utf8Error error;
      if (!DecodeUtf8(options_.expressions[i], expression, error)) {
        err_ << kProgram << ": --expr " << (i + 1) << " is not valid UTF-8 (" << error.reason
             << " at byte " << error.offset << ")\n";
        return false;
      }
      if (i > 0) joined += u';';
      joined += expression;
    }
    text = std::move(joined);
    return true;
  }
  if (options_.FromStandardInput()) return ReadStandardInput(text);
  // As Open does: an empty file is an empty worksheet.
  const FileStatus status = LoadCalculationFile(options_.file, text);
  if (status == FileStatus::Ok) return true;
  FileError(options_.file, FileStatusMessage(status, false));
  return false;
}

// Memory files and executed files run before the worksheet, each as a run of
// its own like the menu commands. Their logs are printed as they come, each
// line marked with the file's name; a failing statement there does not stop
// the worksheet but makes the exit status 1.
bool Invocation::RunPreRuns(bool& allSucceeded) {
  for (const PreRun& preRun : options_.preRuns) {
    log_.ClearEntries();
    const FileStatus status = preRun.kind == PreRun::Kind::LoadMemory ? LoadMemoryFile(preRun.path)
                                                                      : ReplayFile(preRun.path);
    if (status != FileStatus::Ok) {
      FileError(preRun.path, FileStatusMessage(status, false));
      return false;
    }
    for (const auto& entry : log_.Entries()) {
      if (entry.status == LogStatus::Error) allSucceeded = false;
    }
    err_ << FormatLogLines(log_.Entries(), preRun.path + ": ");
  }
  return true;
}

void Invocation::CalculateAll(Outcome& outcome) {
  outcome.position = options_.at.value_or(-1);
  outcome.ok = NCalculatorText::RunCalculation(outcome.text, outcome.position);
  outcome.log = log_.Entries();
}

// Each statement is calculated as a run of its own at its first character, so
// that its result can be taken from the last result. Runs of ";" and
// statements of blanks and comments are stepped over here as a Calculate all
// would skip them; the logs of the runs are kept together.
void Invocation::CalculateExpressions(Outcome& outcome) {
  std::u16string& text = outcome.text;
  std::size_t next = 0;
  while (true) {
    std::u16string copy = text;
    if (!NCalculatorText::BlankComments(copy)) {
      // The driver reports the unclosed comment itself.
      std::ptrdiff_t all = -1;
      outcome.ok = NCalculatorText::RunCalculation(text, all);
      outcome.log.insert(outcome.log.end(), log_.Entries().begin(), log_.Entries().end());
      return;
    }
    std::size_t start = next;
    while (start < copy.size() && copy[start] == u';') ++start;
    if (start >= copy.size()) break;
    std::size_t end = copy.find(u';', start);
    if (end == std::u16string::npos) end = copy.size();
    bool blank = true;
    for (std::size_t k = start; k < end && blank; ++k) blank = IsBlank(copy[k]);
    if (blank) {
      next = end;
      continue;
    }
    std::ptrdiff_t position = static_cast<std::ptrdiff_t>(start);
    const bool ok = NCalculatorText::RunCalculation(text, position);
    outcome.log.insert(outcome.log.end(), log_.Entries().begin(), log_.Entries().end());
    if (!ok) {
      outcome.ok = false;
      outcome.position = -1;
      return;
    }
    outcome.results.push_back(FormatForDisplay(NCalculatorText::LastResult()));
    next = static_cast<std::size_t>(position);
  }
  outcome.position = static_cast<std::ptrdiff_t>(text.size());
}

// The reader drops NULs and what follows them, an odd last byte and every
// byte-order mark; writing such a text back would lose part of the file
// without a word, so the file is left alone instead.
bool Invocation::WriteBack(const Outcome& outcome) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(options_.file, ec);
  const auto units = static_cast<std::uintmax_t>(outcome.unitsRead);
  if (ec || (size != 2 * units && size != 2 * units + 2)) {
    err_ << kProgram << ": " << options_.file
         << ": not written back: reading it dropped part of the file (a NUL, an odd last byte "
            "or byte-order marks inside)\n";
    return false;
  }
  const FileStatus status = StoreCalculationFile(options_.file, outcome.text);
  if (status == FileStatus::Ok) return true;
  FileError(options_.file, FileStatusMessage(status, true));
  return false;
}

void Invocation::WriteText(const Outcome& outcome) {
  std::string bytes;
  if (!options_.expressions.empty()) {
    for (const auto& result : outcome.results) {
      AppendUtf8(result, bytes);
      bytes += '\n';
    }
  } else if (!options_.inPlace) {
    AppendUtf8(outcome.text, bytes);
  }
  out_ << bytes;
}

void Invocation::WriteJson(const Outcome& outcome) {
  JsonWriter json;
  json.BeginObject();
  json.Key("ok");
  json.Bool(outcome.ok);
  json.Key("text");
  json.String(outcome.text);
  json.Key("position");
  json.Integer(outcome.position);
  json.Key("lastResult");
  json.String(FormatForDisplay(NCalculatorText::LastResult()));
  if (!options_.expressions.empty()) {
    json.Key("results");
    json.BeginArray();
    for (const auto& result : outcome.results) json.String(result);
    json.EndArray();
  }
  json.Key("log");
  json.BeginArray();
  for (const auto& entry : outcome.log) {
    json.BeginObject();
    json.Key("status");
    json.String(StatusText(entry.status));
    json.Key("context");
    json.String(entry.context);
    json.Key("description");
    json.String(entry.description);
    json.EndObject();
  }
  json.EndArray();
  json.Key("memory");
  json.BeginArray();
  MemoryStore::Get().ForEach([&json](const MemoryCell& cell) {
    json.BeginObject();
    json.Key("name");
    json.String(cell.name);
    json.Key("value");
    json.String(FormatForDisplay(cell.value));
    json.Key("included");
    json.Bool(cell.included);
    json.EndObject();
  });
  json.EndArray();
  if (options_.statistics) {
    json.Key("statistics");
    json.BeginArray();
    for (const auto& [label, text] : StatisticsOfAllCells()) {
      json.BeginObject();
      json.Key("label");
      json.String(label);
      json.Key("text");
      json.String(text);
      json.EndObject();
    }
    json.EndArray();
  }
  json.EndObject();
  out_ << json.Text() << '\n';
}

void Invocation::WriteLog(const Outcome& outcome) {
  err_ << FormatLogLines(outcome.log);
}

void Invocation::WriteStatisticsText() {
  std::string bytes;
  for (const auto& [label, text] : StatisticsOfAllCells()) {
    AppendUtf8(label, bytes);
    bytes += '\t';
    AppendUtf8(text, bytes);
    bytes += '\n';
  }
  out_ << bytes;
}

int Invocation::Run() {
  ApplyPreferences();
  Outcome outcome;
  if (!ReadWorksheet(outcome.text)) return kExitUsageOrFile;
  outcome.unitsRead = outcome.text.size();
  if (options_.at && *options_.at > static_cast<std::ptrdiff_t>(outcome.text.size())) {
    err_ << kProgram << ": --at " << *options_.at << " is beyond the end of the worksheet ("
         << outcome.text.size() << " code units)\n";
    return kExitUsageOrFile;
  }
  bool preRunsSucceeded = true;
  if (!RunPreRuns(preRunsSucceeded)) return kExitUsageOrFile;

  log_.ClearEntries();
  if (options_.expressions.empty()) {
    CalculateAll(outcome);
  } else {
    CalculateExpressions(outcome);
  }

  int status = outcome.ok && preRunsSucceeded ? kExitOk : kExitCalculationFailed;
  if (options_.inPlace && !WriteBack(outcome)) status = kExitUsageOrFile;
  if (!options_.saveMemory.empty()) {
    const FileStatus saved = SaveMemoryFile(options_.saveMemory, false);
    if (saved != FileStatus::Ok) {
      FileError(options_.saveMemory, FileStatusMessage(saved, true));
      status = kExitUsageOrFile;
    }
  }

  if (options_.json) {
    WriteJson(outcome);
  } else {
    WriteText(outcome);
    if (options_.statistics) {
      // The statistics start on a line of their own.
      if (options_.expressions.empty() && !options_.inPlace && !outcome.text.empty() &&
          outcome.text.back() != u'\n') {
        out_ << '\n';
      }
      WriteStatisticsText();
    }
  }
  WriteLog(outcome);
  out_.flush();
  return status;
}

}  // namespace

int RunVoraCalc(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
                std::ostream& err) {
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, options, error)) {
    err << kProgram << ": " << error << "\nTry '" << kProgram << " --help' for more.\n";
    return kExitUsageOrFile;
  }
  if (options.action == CliOptions::Action::Help) {
    out << HelpText();
    return kExitOk;
  }
  if (options.action == CliOptions::Action::Version) {
    out << kProgram << ' ' << VORA_VERSION << '\n';
    return kExitOk;
  }
  Invocation invocation(options, in, out, err);
  return invocation.Run();
}

}  // namespace vora::cli
