// SPDX-License-Identifier: MIT
#include "math/Format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

#include "settings/Preferences.h"

namespace vora {

namespace {

constexpr char16_t kMinusSign = u'\u2212';
constexpr char16_t kTimesSign = u'\u00D7';

bool IsUpper(std::string_view numberFormat) {
  return !numberFormat.empty() && numberFormat.back() == 'G';
}

}  // namespace

std::u16string FormatNumber(double x, std::string_view numberFormat) {
  // std::to_chars is the C-locale printf "%.20g" without the locale.
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                       std::chars_format::general, 20);
  std::string_view digits(buffer.data(),
                          ec == std::errc{} ? static_cast<std::size_t>(end - buffer.data()) : 0);

  const bool upper = IsUpper(numberFormat);
  std::u16string text;
  text.reserve(digits.size() + 2);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    char c = digits[i];
    if (c == 'e') {
      // The exponent is written with at least three digits: 1e+021, 1e-005.
      text.push_back(upper ? u'E' : u'e');
      text.push_back(static_cast<char16_t>(digits[i + 1]));
      const std::string_view exponent = digits.substr(i + 2);
      for (std::size_t pad = exponent.size(); pad < 3; ++pad) text.push_back(u'0');
      for (char d : exponent) text.push_back(static_cast<char16_t>(d));
      break;
    }
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    text.push_back(static_cast<char16_t>(c));
  }
  return text;
}

std::u16string FormatComplex(Complex value, std::string_view numberFormat, char16_t unit) {
  const double re = value.re;
  const double im = value.im;
  std::u16string text;
  if (re != 0.0) {
    text = FormatNumber(re, numberFormat);
    if (im == 0.0) return text;
    if (im > 0.0) text.push_back(u'+');
    if (im < 0.0) text.push_back(kMinusSign);
    text.push_back(unit);
    if (im == 1.0 || im == -1.0) return text;
    text.push_back(kTimesSign);
    text += FormatNumber(std::fabs(im), numberFormat);
    return text;
  }
  if (im < 0.0) {
    text.push_back(kMinusSign);
    text.push_back(unit);
    if (im == -1.0) return text;
    text.push_back(kTimesSign);
    text += FormatNumber(std::fabs(im), numberFormat);
    return text;
  }
  if (im > 0.0) {
    text.push_back(unit);
    if (im == 1.0) return text;
    text.push_back(kTimesSign);
    text += FormatNumber(im, numberFormat);
    return text;
  }
  return u"0";
}

std::string_view NumberFormat() {
  return GetPreference(Preference::NotationCase) == 1 ? kFormatUpper : kFormatLower;
}

char16_t ImaginaryUnit() {
  return GetPreference(Preference::FormatI) == 1 ? u'j' : u'i';
}

std::u16string_view ResultName() {
  constexpr std::array<std::u16string_view, 6> names = {u"Rslt",   u"rslt",   u"RSLT",
                                                        u"Result", u"result", u"RESULT"};
  const std::uint32_t index = GetPreference(Preference::FormatResult);
  return index < names.size() ? names[index] : names[0];
}

std::u16string_view MemoryName() {
  constexpr std::array<std::u16string_view, 6> names = {u"Mem",    u"mem",    u"MEM",
                                                        u"Memory", u"memory", u"MEMORY"};
  const std::uint32_t index = GetPreference(Preference::FormatMemory);
  return index < names.size() ? names[index] : names[0];
}

std::u16string FormatForDisplay(Complex value) {
  return FormatComplex(value, NumberFormat(), ImaginaryUnit());
}

}  // namespace vora
