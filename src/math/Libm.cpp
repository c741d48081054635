// SPDX-License-Identifier: MIT
#include "math/Libm.h"

#include <cerrno>
#include <cfenv>

#include "math/MathError.h"

// How errors of glibc's routines are detected. glibc reports a genuine error
// of a routine (domain, pole, overflow, underflow of the result) through errno,
// and leaves errno alone for the exceptions its internals raise and then absorb;
// the exception flags alone would also fire for harmless tiny intermediates. So
// errno decides whether there is an error at all, and the flags only tell the
// kinds that share ERANGE apart (pole, overflow, underflow). glibc never reports
// loss of significance, so the two loss kinds do not arise from it.
//
// The caller's errno and exception flags are saved and restored around each
// call, so nothing outside sees the probing.

namespace vora {

namespace {

class ErrorProbe {
 public:
  ErrorProbe() : savedErrno_(errno) {
    fegetexceptflag(&savedFlags_, FE_ALL_EXCEPT);
    feclearexcept(FE_ALL_EXCEPT);
    errno = 0;
  }
  ~ErrorProbe() {
    fesetexceptflag(&savedFlags_, FE_ALL_EXCEPT);
    errno = savedErrno_;
  }
  ErrorProbe(const ErrorProbe&) = delete;
  ErrorProbe& operator=(const ErrorProbe&) = delete;

  // Reports what the routine signalled; the value shown is that of the table of
  // library error types (the argument for domain and pole, else the result).
  void Report(double argument, double returnValue) const {
    const int error = errno;
    if (error == 0) return;
    int type = 0;
    if (error == EDOM) {
      type = kLibDomain;
    } else if (error == ERANGE) {
      if (fetestexcept(FE_DIVBYZERO))
        type = kLibSingularity;
      else if (fetestexcept(FE_OVERFLOW))
        type = kLibOverflow;
      else
        type = kLibUnderflow;
    }
    if (type != 0) OnMathLibraryError(type, argument, returnValue);
  }

 private:
  int savedErrno_;
  std::fexcept_t savedFlags_{};
};

}  // namespace

double LibmCall(double (*routine)(double), double x) {
  const ErrorProbe probe;
  const double result = routine(x);
  probe.Report(x, result);
  return result;
}

double LibmCall(double (*routine)(double, double), double x, double y) {
  const ErrorProbe probe;
  const double result = routine(x, y);
  probe.Report(x, result);
  return result;
}

long double LibmCall(long double (*routine)(long double), long double x) {
  const ErrorProbe probe;
  const long double result = routine(x);
  probe.Report(static_cast<double>(x), static_cast<double>(result));
  return result;
}

long double LibmCall(long double (*routine)(long double, long double), long double x,
                     long double y) {
  const ErrorProbe probe;
  const long double result = routine(x, y);
  probe.Report(static_cast<double>(x), static_cast<double>(result));
  return result;
}

}  // namespace vora
