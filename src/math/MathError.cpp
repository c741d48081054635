// SPDX-License-Identifier: MIT
#include "math/MathError.h"

#include <array>
#include <string>

#include "math/Format.h"

namespace vora {

namespace {

constexpr std::array<std::u16string_view, 38> kContexts = {
    u"None",
    u"Number",
    u"Division",
    u"Multiplication",
    u"Addition",
    u"Subtraction",
    u"Sine",
    u"Cosine",
    u"Tangent",
    u"Cotangent",
    u"Secant",
    u"Cosecant",
    u"Arcsine",
    u"Arccosine",
    u"Arctangent",
    u"Arccotangent",
    u"Arcsecant",
    u"Arccosecant",
    u"Hyperbolic cosine",
    u"Hyperbolic sine",
    u"Hyperbolic tangent",
    u"Hyperbolic cotangent",
    u"Hyperbolic secant",
    u"Hyperbolic cosecant",
    u"Archyperbolic cosine",
    u"Archyperbolic sine",
    u"Archyperbolic tangent",
    u"Archyperbolic cotangent",
    u"Archyperbolic secant",
    u"Archyperbolic cosecant",
    u"Natural logarithm",
    u"Decimal logarithm",
    u"Power",
    u"Exponent",
    u"Factorial",
    u"Memory",
    u"Square root",
    u"Absolute value",
};

EvaluationState& StateInstance() {
  static EvaluationState state;
  return state;
}

bool IsErrorKind(MathErrorKind kind) {
  switch (kind) {
    case MathErrorKind::SyntaxError:
    case MathErrorKind::Overflow:
    case MathErrorKind::NotDefined:
    case MathErrorKind::Singularity:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::u16string_view OperationContext(int code) {
  if (code < 0 || code >= static_cast<int>(kContexts.size())) return u"Undefined";
  return kContexts[static_cast<std::size_t>(code)];
}

EvaluationState& EvaluationState::Get() {
  return StateInstance();
}

void EvaluationState::ResetForTests() {
  StateInstance() = EvaluationState{};
}

void BeginCalculationRun(unsigned trigUnitsPreference) {
  EvaluationState& state = EvaluationState::Get();
  state.evaluationOk = true;
  state.currentOperation = 0;
  state.lastErrorKind = MathErrorKind::NoError;
  state.suppressOverflowReport = false;
  state.trigUnits = (trigUnitsPreference == 1 || trigUnitsPreference == 2)
                        ? static_cast<int>(trigUnitsPreference)
                        : 0;
  if (state.logReceiver != nullptr) state.logReceiver->ClearEntries();
}

std::u16string MathErrorDescription(MathErrorKind kind, double re, double im) {
  switch (kind) {
    case MathErrorKind::SyntaxError:
      return u"Syntax error";
    case MathErrorKind::UninitializedMemory:
      return u"Uninitialized memory used, value forced to 0";
    case MathErrorKind::Overflow: {
      const std::u16string_view slot = re > 0.0 ? u" positive " : re < 0.0 ? u" negative " : u" ";
      std::u16string text = u"Operation resulted in overflow, too big";
      text += slot;
      text += u"number returned";
      return text;
    }
    case MathErrorKind::Underflow:
      return u"Operation resulted in underflow, result accepted as " +
             FormatNumber(re, NumberFormat());
    case MathErrorKind::NotDefined:
      return u"Function is not defined for " + FormatForDisplay({re, im});
    case MathErrorKind::Singularity: {
      const bool division =
          EvaluationState::Get().currentOperation == static_cast<int>(OperationCode::Division);
      return std::u16string(division ? u"Operation" : u"Function") + u" has singularity at " +
             FormatForDisplay({re, im});
    }
    case MathErrorKind::PartialLoss:
      return u"Operation resulted in partial loss of precision, result accepted as " +
             FormatNumber(re, NumberFormat());
    case MathErrorKind::TotalLoss:
      return u"Operation resulted in total loss of precision, result accepted as " +
             FormatNumber(re, NumberFormat());
    case MathErrorKind::NoError:
      break;
  }
  return {};
}

bool ReportMathError(MathErrorKind kind, double re, double im) {
  EvaluationState& state = EvaluationState::Get();
  const int raw = static_cast<int>(kind);
  if (raw < 0 || raw > static_cast<int>(MathErrorKind::TotalLoss)) return state.evaluationOk;

  if (kind == MathErrorKind::Overflow && state.suppressOverflowReport) {
    state.lastErrorKind = kind;
    return state.evaluationOk;
  }

  const bool error = IsErrorKind(kind);
  if (state.logReceiver != nullptr) {
    const std::u16string description = MathErrorDescription(kind, re, im);
    const LogEntry entry{error ? LogStatus::Error : LogStatus::Warning,
                         OperationContext(state.currentOperation), description};
    state.logReceiver->AddEntry(entry);
  }
  state.lastErrorKind = kind;
  if (error) state.evaluationOk = false;
  return state.evaluationOk;
}

int OnMathLibraryError(int type, double argument, double returnValue) {
  switch (type) {
    case kLibDomain:
      ReportMathError(MathErrorKind::NotDefined, argument, 0.0);
      break;
    case kLibSingularity:
      ReportMathError(MathErrorKind::Singularity, argument, 0.0);
      break;
    case kLibOverflow:
      ReportMathError(MathErrorKind::Overflow, returnValue, 0.0);
      break;
    case kLibUnderflow:
      ReportMathError(MathErrorKind::Underflow, returnValue, 0.0);
      break;
    case kLibTotalLoss:
      ReportMathError(MathErrorKind::TotalLoss, returnValue, 0.0);
      break;
    case kLibPartialLoss:
      ReportMathError(MathErrorKind::PartialLoss, returnValue, 0.0);
      break;
    default:
      break;
  }
  return 1;
}

OperationScope::OperationScope(OperationCode code)
    : previous_(EvaluationState::Get().currentOperation) {
  EvaluationState& state = EvaluationState::Get();
  state.currentOperation = static_cast<int>(code);
  state.suppressOverflowReport = false;
}

OperationScope::~OperationScope() {
  EvaluationState& state = EvaluationState::Get();
  state.currentOperation = previous_;
  state.suppressOverflowReport = false;
}

}  // namespace vora
