#pragma once

// The exact text of the numbers in the report and result files.
//
// Both conversions start from the value's 17-significant-digit decimal form and round that to
// the digits shown, a 5 in the first dropped digit going up: 1.5625 -> "1.563", 0.0625 ->
// "0.063". Exponents carry a sign and at least three digits. Negative zero has no "-".
// +infinity is "1.#IO"; -infinity and not-a-number are "-1.#IO". Text is padded on the left
// with spaces to `width` and never cut.

#include <string>

namespace tellmar {

/// "%8.3lf": fixed point with `decimals` decimals; requires decimals >= 0.
/// 20.0 / 3 -> "   6.667", 0.0005 -> "   0.001", 1234.5678 -> "1234.568", 1e20 with 0 decimals
/// -> "100000000000000000000" (digits past the 17th are zeros).
[[nodiscard]] std::string format_fixed(double value, int width, int decimals);

/// "%12.4g": `precision` significant digits (at least 1), exponent form when the rounded
/// exponent is below -4 or at least `precision`, trailing zeros dropped.
/// 12345 -> "  1.235e+004", 0.0125 -> "      0.0125", 9999.5 -> "      1e+004",
/// 0.000025 -> "    2.5e-005", 0 -> "           0".
[[nodiscard]] std::string format_general(double value, int width, int precision);

}  // namespace tellmar
