#pragma once

// A slow, independent reference for the number text: the exact decimal expansion of a double
// by big-integer arithmetic, and the two formats built from it by plain string handling.

#include <string>

namespace tellmar::testing {

/// The digits of |value| exactly (no leading zeros) and the power of ten of the first digit.
/// requires: value finite and non-zero.
struct Expansion {
  std::string digits;
  int exponent;
};
Expansion exact_expansion(double value);

/// |value| rounded to 17 significant digits, an exact half going to even.
Expansion seventeen_digits(double value);

/// What "%W.Dlf" must write, from `seventeen_digits`.
std::string reference_fixed(double value, int width, int decimals);
/// What "%W.Pg" must write, from `seventeen_digits`.
std::string reference_general(double value, int width, int precision);

}  // namespace tellmar::testing
