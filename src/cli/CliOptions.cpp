// SPDX-License-Identifier: MIT
#include "cli/CliOptions.h"

#include <charconv>
#include <limits>

namespace vora::cli {

namespace {

/// Options that take a value, with the long name they are reported by.
struct ValueOption {
  std::string_view shortName;
  std::string_view longName;
};

constexpr ValueOption kValueOptions[] = {
    {"-e", "--expr"},      {"", "--at"},          {"", "--units"},   {"", "--imaginary-unit"},
    {"", "--load-memory"}, {"", "--save-memory"}, {"", "--execute"},
};

const ValueOption* FindValueOption(std::string_view name) {
  for (const auto& option : kValueOptions) {
    if (name == option.longName || (!option.shortName.empty() && name == option.shortName)) {
      return &option;
    }
  }
  return nullptr;
}

bool ParsePosition(std::string_view text, std::ptrdiff_t& position) {
  if (text.empty()) return false;
  std::ptrdiff_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < 0) return false;
  position = value;
  return true;
}

std::string Quoted(std::string_view text) {
  std::string out = "'";
  out += text;
  out += "'";
  return out;
}

bool ApplyValue(std::string_view name, std::string_view value, CliOptions& options,
                std::string& error) {
  if ((name == "--load-memory" || name == "--execute" || name == "--save-memory") &&
      value.empty()) {
    error = std::string(name) + " needs a file name";
    return false;
  }
  if (name == "--expr") {
    options.expressions.emplace_back(value);
  } else if (name == "--at") {
    std::ptrdiff_t position = 0;
    if (!ParsePosition(value, position)) {
      error = "--at needs a position of 0 or more, not " + Quoted(value);
      return false;
    }
    options.at = position;
  } else if (name == "--units") {
    if (value == "rad") {
      options.trigonometricUnits = 0;
    } else if (value == "deg") {
      options.trigonometricUnits = 1;
    } else if (value == "grad") {
      options.trigonometricUnits = 2;
    } else {
      error = "--units takes rad, deg or grad, not " + Quoted(value);
      return false;
    }
  } else if (name == "--imaginary-unit") {
    if (value == "i") {
      options.imaginaryUnitJ = 0;
    } else if (value == "j") {
      options.imaginaryUnitJ = 1;
    } else {
      error = "--imaginary-unit takes i or j, not " + Quoted(value);
      return false;
    }
  } else if (name == "--load-memory") {
    options.preRuns.push_back({PreRun::Kind::LoadMemory, std::string(value)});
  } else if (name == "--execute") {
    options.preRuns.push_back({PreRun::Kind::Execute, std::string(value)});
  } else if (name == "--save-memory") {
    options.saveMemory = value;
  }
  return true;
}

bool CheckCombinations(const CliOptions& options, std::string& error) {
  const bool hasFile = !options.file.empty();
  if (!options.expressions.empty()) {
    if (hasFile) {
      error = "--expr cannot be combined with a worksheet file";
      return false;
    }
    if (options.at) {
      error = "--at cannot be combined with --expr";
      return false;
    }
    if (options.inPlace) {
      error = "--in-place cannot be combined with --expr";
      return false;
    }
  }
  if (options.inPlace && options.FromStandardInput()) {
    error = "--in-place needs a worksheet file";
    return false;
  }
  return true;
}

}  // namespace

bool ParseCliOptions(std::span<const std::string_view> args, CliOptions& options,
                     std::string& error) {
  options = CliOptions{};
  error.clear();
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
    if (!isOption) {
      if (!options.file.empty()) {
        error = "only one worksheet file can be given, not also " + Quoted(arg);
        return false;
      }
      if (arg.empty()) {
        error = "the worksheet file name is empty";
        return false;
      }
      options.file = arg;
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "-h" || arg == "--help") {
      options.action = CliOptions::Action::Help;
      continue;
    }
    if (arg == "--version") {
      options.action = CliOptions::Action::Version;
      continue;
    }
    if (arg == "-i" || arg == "--in-place") {
      options.inPlace = true;
      continue;
    }
    if (arg == "--upper") {
      options.upperCase = true;
      continue;
    }
    if (arg == "--json") {
      options.json = true;
      continue;
    }
    if (arg == "--stats") {
      options.statistics = true;
      continue;
    }
    // --name=value, --name value, -e value, -evalue
    std::string_view name = arg;
    std::optional<std::string_view> value;
    if (arg.starts_with("--")) {
      if (const auto equals = arg.find('='); equals != std::string_view::npos) {
        name = arg.substr(0, equals);
        value = arg.substr(equals + 1);
      }
    } else if (arg.size() > 2) {
      name = arg.substr(0, 2);
      value = arg.substr(2);
    }
    const ValueOption* option = FindValueOption(name);
    if (option == nullptr) {
      error = "unknown option " + Quoted(arg);
      return false;
    }
    if (!value) {
      if (i + 1 == args.size()) {
        error = std::string(option->longName) + " needs a value";
        return false;
      }
      value = args[++i];
    }
    if (!ApplyValue(option->longName, *value, options, error)) return false;
  }
  if (options.action != CliOptions::Action::Calculate) return true;
  return CheckCombinations(options, error);
}

std::string_view HelpText() {
  return R"(Usage: vora-calc [OPTIONS] [FILE]

Calculates every statement of a worksheet and writes the calculated text to
standard output as UTF-8. FILE is read as a calculation file (UTF-16LE); without
FILE, or with "-", the worksheet is read from standard input as UTF-8.

Options:
  -e, --expr EXPR         calculate EXPR instead of a file; several are joined
                          with ";". Prints the result of each calculated
                          statement, one per line, up to the first failure.
      --at POS            calculate only the statement at POS (a UTF-16
                          code-unit offset) instead of every statement
      --units rad|deg|grad
                          angle unit of the trigonometric functions
      --upper             write numbers with a capital E (1.5E+020)
      --imaginary-unit i|j
                          letter of the imaginary unit in results
  -i, --in-place          write the calculated text back to FILE as a
                          calculation file (byte-order mark, UTF-16LE)
      --json              write one JSON object with the text, position, last
                          result, log and memory instead of the text
      --load-memory FILE  replay a memory file before the worksheet
                          (repeatable; in command-line order with --execute)
      --execute FILE      run a calculation file for its effect on the memory
                          and the last result before the worksheet
      --save-memory FILE  save every memory cell to FILE after the run
      --stats             after the run, print the statistics of all memory
                          cells, one "Label<TAB>text" line each
  -h, --help              show this help and exit
      --version           show the version and exit

The log of the run goes to standard error, one entry a line:
N<TAB>Status<TAB>Context<TAB>Description.

Exit status: 0 when every calculated statement succeeded, 1 when a statement
failed or a comment is not closed, 2 for a usage error, input that is not
UTF-8, or a file that cannot be read or written.
)";
}

}  // namespace vora::cli
