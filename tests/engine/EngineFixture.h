// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/CalculatorState.h"

namespace NCalculatorText::testing {

/// Fresh calculator state for each test, and the log in a compact form.
class EngineTest : public vora::testing::CalculatorStateTest {
 protected:
  /// The log as "Error|Context|Description" lines, for compact expectations.
  std::string LogText() const {
    std::string out;
    for (const auto& e : log.entries) {
      out += e.status == vora::LogStatus::Error ? "Error|" : "Warning|";
      out += vora::testing::Utf8(e.context) + "|" + vora::testing::Utf8(e.description) + "\n";
    }
    return out;
  }
};

/// UTF-8 test literals to the UTF-16 text of the engine (BMP only).
inline std::u16string U16(std::string_view utf8) {
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    char32_t cp = c;
    std::size_t len = 1;
    if (c >= 0xE0) {
      cp = c & 0x0F;
      len = 3;
    } else if (c >= 0xC0) {
      cp = c & 0x1F;
      len = 2;
    }
    for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (utf8[i + k] & 0x3F);
    out.push_back(static_cast<char16_t>(cp));
    i += len;
  }
  return out;
}

}  // namespace NCalculatorText::testing
