// SPDX-License-Identifier: MIT
#include "engine/CalculationDriver.h"

#include "engine/CParcer.h"
#include "math/Format.h"
#include "math/MathError.h"
#include "settings/Preferences.h"

namespace NCalculatorText {
namespace {

vora::Complex lastResult;

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

}  // namespace

vora::Complex& LastResult() {
  return lastResult;
}

void ResetLastResultForTests() {
  lastResult = {};
}

bool RunCalculation(std::u16string& text, std::ptrdiff_t& position) {
  vora::BeginCalculationRun(vora::GetPreference(vora::Preference::TrigonometricUnits));
  std::u16string copy = text;
  if (!BlankComments(copy)) {
    vora::ReportMathError(vora::MathErrorKind::SyntaxError, 0.0, 0.0);
    return false;
  }
  return EvaluateStatements(text, copy, position);
}

bool BlankComments(std::u16string& copy) {
  // One pass from the left finds the same comments as searching the whole
  // text again after each one: blanking never creates a new opener.
  const std::size_t n = copy.size();
  std::size_t i = 0;
  while (i + 1 < n) {
    if (copy[i] != u'/' || (copy[i + 1] != u'/' && copy[i + 1] != u'*')) {
      ++i;
      continue;
    }
    std::size_t last;  // the comment's last character
    if (copy[i + 1] == u'/') {
      const std::size_t lineFeed = copy.find(u'\n', i + 2);
      last = lineFeed == std::u16string::npos ? n - 1 : lineFeed;
    } else {
      // The star of the opener may begin the closer: "/*/" is a comment.
      const std::size_t closer = copy.find(u"*/", i + 1);
      if (closer == std::u16string::npos) return false;
      last = closer + 1;
    }
    for (std::size_t k = i; k <= last; ++k) copy[k] = u' ';
    i = last + 1;
  }
  return true;
}

bool EvaluateStatements(std::u16string& text, const std::u16string& copy,
                        std::ptrdiff_t& position) {
  // The new text is built in one pass: unchanged runs are copied as they
  // are, each calculated statement is rewritten as it is reached.
  const std::size_t n = copy.size();
  // Positions in the copy are positions in the text; a copy of another
  // length cannot be used.
  if (n != text.size()) return false;
  const bool all = position == -1;
  std::u16string out;
  std::size_t copied = 0;  // text before this has been handled
  std::ptrdiff_t shift = 0;
  bool ok = true;
  std::ptrdiff_t caret = -2;  // not yet known

  std::size_t s = 0;
  while (s < n) {
    if (copy[s] == u';') {
      ++s;
      continue;
    }
    std::size_t end = copy.find(u';', s);
    if (end == std::u16string::npos) end = n;
    const std::size_t length = end - s;
    const auto first = static_cast<std::ptrdiff_t>(s);
    const auto stop = static_cast<std::ptrdiff_t>(end);
    if (!all && (position < first || position > stop)) {
      s = end;
      continue;
    }
    const std::u16string_view statement = std::u16string_view(copy).substr(s, length);
    std::size_t q = statement.rfind(u'=');
    std::size_t r = 0;
    if (q != std::u16string_view::npos) {
      r = q + 1;
      while (r < length && IsBlank(statement[r])) ++r;
      if (r == length) r = q + 1;
    } else {
      std::size_t k = length;
      while (k > 0 && IsBlank(statement[k - 1])) --k;
      if (k == 0) {  // blanks and comments only
        s = end;
        continue;
      }
      q = k;
      r = q + 1;
    }

    // Evaluated before the new text grows, so that a huge statement's tree
    // and the new text are not in memory at the same time.
    vora::Complex value{};
    const bool evaluated = EvaluateExpression(statement.substr(0, q), value);

    if (out.empty()) out.reserve(text.size() + text.size() / 4 + 64);
    out.append(text, copied, s + q - copied);
    // What stays of the old result: the characters that are blank in the
    // copy, i.e. blanks and comments.
    const std::size_t resultAt = out.size();
    std::ptrdiff_t deleted = 0;
    std::size_t keptBeforeResult = 0;
    for (std::size_t k = q; k < length; ++k) {
      if (IsBlank(statement[k])) {
        out.push_back(text[s + k]);
        if (k > q && k < r) ++keptBeforeResult;
      } else {
        ++deleted;
      }
    }
    copied = end;

    if (!evaluated) {
      ok = false;
      break;
    }
    const std::u16string result = vora::FormatForDisplay(value);
    out.insert(resultAt + keptBeforeResult, result);
    out.insert(resultAt, 1, u'=');
    shift += 1 + static_cast<std::ptrdiff_t>(result.size()) - deleted;

    if (!all) {
      const std::size_t semicolon = copy.find(u';', static_cast<std::size_t>(position));
      caret = semicolon == std::u16string::npos
                  ? -1
                  : static_cast<std::ptrdiff_t>(semicolon) + shift + 1;
      break;
    }
    s = end;
  }

  if (copied == 0 && out.empty()) {
    // Nothing was rewritten.
    if (ok) position = static_cast<std::ptrdiff_t>(text.size());
    return ok;
  }
  out.append(text, copied, std::u16string::npos);
  text = std::move(out);
  if (!ok) return false;
  position = caret >= 0 ? caret : static_cast<std::ptrdiff_t>(text.size());
  return true;
}

bool EvaluateExpression(std::u16string_view expression, vora::Complex& out) {
  CNode root;
  if (!CParcer::ParseStatement(root, expression) || root.children.empty() || !root.children[0]) {
    vora::ReportMathError(vora::MathErrorKind::SyntaxError, 0.0, 0.0);
    return false;
  }
  vora::Complex value{};
  if (!root.children[0]->Evaluate(value)) return false;
  out = value;
  lastResult = value;
  return true;
}

}  // namespace NCalculatorText
