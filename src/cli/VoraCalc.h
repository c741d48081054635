// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

/// The whole of vora-calc behind main(): parse the command line, read the
/// worksheet, calculate, write the text, the results or the JSON report, and
/// answer the exit status. The streams are parameters so that tests can run it
/// in the process; it uses the process-wide engine state like the window does.

namespace vora::cli {

enum ExitStatus : int { kExitOk = 0, kExitCalculationFailed = 1, kExitUsageOrFile = 2 };

/// args are the arguments after the program name. in is read as bytes.
int RunVoraCalc(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
                std::ostream& err);

}  // namespace vora::cli
