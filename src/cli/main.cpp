// SPDX-License-Identifier: MIT
#include <iostream>
#include <string_view>
#include <vector>

#include "cli/VoraCalc.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const int status = vora::cli::RunVoraCalc(args, std::cin, std::cout, std::cerr);
  std::cout.flush();
  if (!std::cout) return vora::cli::kExitUsageOrFile;
  return status;
}
