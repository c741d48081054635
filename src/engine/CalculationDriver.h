// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "math/Complex.h"

/// One calculation run over a worksheet text: statements are taken from a copy
/// whose comments are blanked, evaluated in order, and their results written
/// back into the text. The driver never shows anything; failures reach the user
/// through the log receiver of the evaluation state.

namespace NCalculatorText {

/// Calculates the statement at position, or every statement when position is
/// -1. The text is changed in place; position comes back as the caret position
/// (unchanged when the run fails). True when every evaluated statement succeeded.
bool RunCalculation(std::u16string& text, std::ptrdiff_t& position);

/// Replaces every comment of copy by spaces, keeping its length. False when a
/// "/*" has no closing "*/".
bool BlankComments(std::u16string& copy);

/// The statement loop of a run: statements are read from copy (text with its
/// comments blanked, same length) and their new results written into text.
bool EvaluateStatements(std::u16string& text, const std::u16string& copy, std::ptrdiff_t& position);

/// Parses and evaluates one expression; on success writes its value to out and
/// to LastResult(). A parse failure reports "Syntax error".
bool EvaluateExpression(std::u16string_view expression, vora::Complex& out);

/// The value of the last statement that evaluated successfully in the process.
vora::Complex& LastResult();
void ResetLastResultForTests();

}  // namespace NCalculatorText
