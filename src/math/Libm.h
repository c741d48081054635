// SPDX-License-Identifier: MIT
#pragma once

/// The single road from the elementary functions to glibc's real routines, so
/// that a domain, pole, overflow or underflow error inside one is reported
/// through OnMathLibraryError like any other report.

namespace vora {

double LibmCall(double (*routine)(double), double x);
double LibmCall(double (*routine)(double, double), double x, double y);
long double LibmCall(long double (*routine)(long double), long double x);
long double LibmCall(long double (*routine)(long double, long double), long double x,
                     long double y);

}  // namespace vora
