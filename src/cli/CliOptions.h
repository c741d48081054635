// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

/// The command line of vora-calc as data, and its parser. Parsing only checks
/// the shape of the command line (known options, values, combinations); files
/// are opened later by the run.

namespace vora::cli {

/// A file run before the worksheet, in the order given on the command line.
struct PreRun {
  enum class Kind { LoadMemory, Execute };
  Kind kind;
  std::string path;
};

struct CliOptions {
  enum class Action { Calculate, Help, Version };
  Action action = Action::Calculate;

  /// Empty or "-": the worksheet comes from standard input as UTF-8.
  std::string file;
  std::vector<std::string> expressions;
  std::optional<std::ptrdiff_t> at;

  std::optional<std::uint32_t> trigonometricUnits;  // 0 rad, 1 deg, 2 grad
  bool upperCase = false;
  std::optional<std::uint32_t> imaginaryUnitJ;  // 0 i, 1 j

  bool inPlace = false;
  bool json = false;

  std::vector<PreRun> preRuns;
  std::string saveMemory;  // empty: not saved
  bool statistics = false;

  bool FromStandardInput() const { return file.empty() || file == "-"; }
};

/// Fills options from the arguments after the program name. On a usage error
/// returns false with a one-line message in error.
bool ParseCliOptions(std::span<const std::string_view> args, CliOptions& options,
                     std::string& error);

/// The text of --help.
std::string_view HelpText();

}  // namespace vora::cli
