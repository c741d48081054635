// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "math/Complex.h"

/// The one text form of numbers: the result after "=", memory values, log
/// descriptions, the status bar and the memory file. Locale-independent.

namespace vora {

/// Lower-case "%.20g" or upper-case "%.20G" digits; exponents have at least
/// three digits.
enum class NumberCase { Lower, Upper };

/// The printf-style number format texts accepted by FormatComplex.
inline constexpr std::string_view kFormatLower = "%.20g";
inline constexpr std::string_view kFormatUpper = "%.20G";

/// x printed as "%.20g" (or "%.20G"): 20 significant digits, trailing zeros
/// removed, exponent form below 1e-4 and from 1e20, exponent widened to three
/// digits, "inf"/"nan" in the format's case.
std::u16string FormatNumber(double x, std::string_view numberFormat);

/// value as in 2+i×3: U+2212 before a negative imaginary part, U+00D7 between
/// the unit and a magnitude other than 1, "0" for zero.
std::u16string FormatComplex(Complex value, std::string_view numberFormat, char16_t unit);

/// "%.20G" when NotationCase is 1, otherwise "%.20g".
std::string_view NumberFormat();
/// 'j' when FormatI is 1, otherwise 'i'.
char16_t ImaginaryUnit();
/// "Rslt", "rslt", "RSLT", "Result", "result" or "RESULT" by FormatResult.
std::u16string_view ResultName();
/// "Mem", "mem", "MEM", "Memory", "memory" or "MEMORY" by FormatMemory.
std::u16string_view MemoryName();

/// FormatComplex with the display preferences.
std::u16string FormatForDisplay(Complex value);

}  // namespace vora
