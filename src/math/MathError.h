// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "math/Complex.h"

/// The one reporter of numeric errors and warnings and the process-wide
/// evaluation state it updates. Nothing here throws or shows a message: a
/// report becomes a LogEntry for the registered ILogReceiver, and errors clear
/// evaluationOk, which every evaluating routine returns.

namespace vora {

enum class MathErrorKind : int {
  SyntaxError = 0,
  UninitializedMemory = 1,
  Overflow = 2,
  Underflow = 3,
  NotDefined = 4,
  Singularity = 5,
  PartialLoss = 6,
  TotalLoss = 7,
  NoError = 8,
};

/// Names the operation being evaluated in log entries.
enum class OperationCode : int {
  None = 0,
  Number = 1,
  Division = 2,
  Multiplication = 3,
  Addition = 4,
  Subtraction = 5,
  Sine = 6,
  Cosine = 7,
  Tangent = 8,
  Cotangent = 9,
  Secant = 10,
  Cosecant = 11,
  Arcsine = 12,
  Arccosine = 13,
  Arctangent = 14,
  Arccotangent = 15,
  Arcsecant = 16,
  Arccosecant = 17,
  HyperbolicCosine = 18,
  HyperbolicSine = 19,
  HyperbolicTangent = 20,
  HyperbolicCotangent = 21,
  HyperbolicSecant = 22,
  HyperbolicCosecant = 23,
  ArhyperbolicCosine = 24,
  ArhyperbolicSine = 25,
  ArhyperbolicTangent = 26,
  ArhyperbolicCotangent = 27,
  ArhyperbolicSecant = 28,
  ArhyperbolicCosecant = 29,
  NaturalLogarithm = 30,
  DecimalLogarithm = 31,
  Power = 32,
  Exponent = 33,
  Factorial = 34,
  Memory = 35,
  SquareRoot = 36,
  AbsoluteValue = 37,
};

/// The context text of a code; "Undefined" for any value outside 0..37.
std::u16string_view OperationContext(int code);

enum class LogStatus : int { Warning = 0, Error = 1 };

/// One report. The texts are lent for the duration of AddEntry only.
struct LogEntry {
  LogStatus status;
  std::u16string_view context;
  std::u16string_view description;
};

class ILogReceiver {
 public:
  virtual ~ILogReceiver() = default;
  virtual void AddEntry(const LogEntry& entry) = 0;
  virtual void ClearEntries() = 0;
};

/// Process-wide; one instance, reached through EvaluationState::Get().
struct EvaluationState {
  int currentOperation = 0;
  bool evaluationOk = true;
  MathErrorKind lastErrorKind = MathErrorKind::NoError;
  bool suppressOverflowReport = false;
  int trigUnits = 0;  // 0 radians, 1 degrees, 2 grads
  ILogReceiver* logReceiver = nullptr;

  static EvaluationState& Get();
  /// Back to the initial values, receiver included (for tests).
  static void ResetForTests();
};

/// The reset at the start of every calculation run: flags and code back to
/// their initial values, the log cleared through the receiver, trigUnits
/// taken from the preference (1 and 2 kept, anything else 0).
void BeginCalculationRun(unsigned trigUnitsPreference);

/// Builds the entry for kind (0..7) showing the value (re, im), hands it to
/// the receiver, updates the state, and returns evaluationOk.
bool ReportMathError(MathErrorKind kind, double re, double im);
inline bool ReportMathError(MathErrorKind kind, Complex value) {
  return ReportMathError(kind, value.re, value.im);
}

/// The description ReportMathError builds for kind and value, with the
/// current operation and display preferences.
std::u16string MathErrorDescription(MathErrorKind kind, double re, double im);

/// Library error types of the classic math-exception record.
enum MathLibraryErrorType : int {
  kLibDomain = 1,
  kLibSingularity = 2,
  kLibOverflow = 3,
  kLibUnderflow = 4,
  kLibTotalLoss = 5,
  kLibPartialLoss = 6,
};

/// Maps a real math routine's error to a report; always answers "handled" (1).
int OnMathLibraryError(int type, double argument, double returnValue);

/// Makes an operation code current for a node's lifetime: saves the previous
/// code, clears suppressOverflowReport on entry and on exit, restores the code.
class OperationScope {
 public:
  explicit OperationScope(OperationCode code);
  ~OperationScope();
  OperationScope(const OperationScope&) = delete;
  OperationScope& operator=(const OperationScope&) = delete;

 private:
  int previous_;
};

}  // namespace vora
