// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>

/// Worksheets that look like a person's: numbers, the four operators, powers,
/// functions, stores and reads of memory cells, Rslt, comments, line breaks
/// and old results after "=". Every statement evaluates without an error, so
/// Calculate all runs through the whole sheet. The same seed gives the same
/// sheet.
namespace vora::bench {

/// A sheet of the given number of statements.
std::u16string GenerateWorksheet(std::size_t statements, unsigned seed = 1);

/// A sheet of the given number of UTF-16 code units (cut after a statement's
/// ";" and padded with blanks).
std::u16string GenerateWorksheetOfSize(std::size_t codeUnits, unsigned seed = 1);

/// One statement "1+1+...+1" of about the given number of code units.
std::u16string GenerateLongSum(std::size_t codeUnits);

/// A statement nested depth brackets deep around a small expression.
std::u16string GenerateNesting(std::size_t depth);

}  // namespace vora::bench
