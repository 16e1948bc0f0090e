#include "spectra/number_scan.h"

#include <array>
#include <charconv>
#include <limits>
#include <system_error>

namespace tellmar {
namespace {

constexpr int MANTISSA_DIGITS = 19;  // 10^19 - 1 still fits in 64 bits
// Halfway points between doubles have at most 767 significant digits, so 800 digits and one
// sticky digit for anything non-zero beyond them round exactly like the whole text.
constexpr int KEPT_DIGITS = 800;
constexpr std::int64_t EXPONENT_CAP = 100'000'000'000'000'000;  // no overflow while accumulating
constexpr std::int64_t TEXT_EXPONENT_LIMIT = 100'000;  // far past both ends of the double range
constexpr std::uint64_t EXACT_MANTISSA_LIMIT = std::uint64_t{1} << 53;
constexpr std::array<double, 23> EXACT_POWERS = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

[[nodiscard]] constexpr bool is_digit(int c) noexcept { return c >= '0' && c <= '9'; }

// The significant digits of a number: its magnitude is digits x 10^scale.
struct Significand {
  std::uint64_t mantissa = 0;  // the first MANTISSA_DIGITS digits
  int count = 0;               // digits kept, leading zeros not counted
  std::int64_t scale = 0;
  bool sticky = false;  // a non-zero digit beyond KEPT_DIGITS
  std::array<char, KEPT_DIGITS> kept;
};

// Correctly rounded magnitude of digits x 10^exponent.
double to_magnitude(const Significand& digits, std::int64_t exponent) {
  if (digits.count == 0) return 0.0;
  // Both factors exact, so one rounding: the common "10.5000", "1.234567e-03" land here.
  if (digits.count <= MANTISSA_DIGITS && digits.mantissa <= EXACT_MANTISSA_LIMIT &&
      exponent >= -22 && exponent <= 22) {
    const auto mantissa = static_cast<double>(digits.mantissa);
    return exponent >= 0 ? mantissa * EXACT_POWERS[static_cast<std::size_t>(exponent)]
                         : mantissa / EXACT_POWERS[static_cast<std::size_t>(-exponent)];
  }
  std::array<char, KEPT_DIGITS + 32> text;
  char* out = text.data();
  for (int i = 0; i < digits.count; ++i) *out++ = digits.kept[static_cast<std::size_t>(i)];
  if (digits.sticky) {
    *out++ = '1';
    --exponent;
  }
  const std::int64_t digit_count = out - text.data();
  if (exponent > TEXT_EXPONENT_LIMIT) exponent = TEXT_EXPONENT_LIMIT;
  if (exponent < -TEXT_EXPONENT_LIMIT) exponent = -TEXT_EXPONENT_LIMIT;
  *out++ = 'e';
  out = std::to_chars(out, text.data() + text.size(), exponent).ptr;
  double magnitude = 0.0;
  const auto [ptr, error] = std::from_chars(text.data(), out, magnitude);
  if (error == std::errc::result_out_of_range) {
    // digits d1 d2 ... x 10^exponent has the order of magnitude exponent + digit_count - 1.
    return exponent + digit_count - 1 > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return magnitude;
}

}  // namespace

ScanResult scan_number(TextReader& in) {
  const std::uint64_t start = in.offset();
  int c = in.peek();
  const bool negative = c == '-';
  if (c == '-' || c == '+') {
    in.advance();
    c = in.peek();
  }
  Significand digits;
  bool any_digit = false;
  bool in_fraction = false;
  for (;; c = in.peek()) {
    if (is_digit(c)) {
      any_digit = true;
      if (digits.count == 0 && c == '0') {
        if (in_fraction) --digits.scale;  // "0.05": the zeros only move the point
      } else if (digits.count < KEPT_DIGITS) {
        if (digits.count < MANTISSA_DIGITS) {
          digits.mantissa = digits.mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        }
        digits.kept[static_cast<std::size_t>(digits.count++)] = static_cast<char>(c);
        if (in_fraction) --digits.scale;
      } else {
        digits.sticky = digits.sticky || c != '0';
        if (!in_fraction) ++digits.scale;
      }
    } else if (c == '.' && !in_fraction) {
      in_fraction = true;
    } else {
      break;
    }
    in.advance();
  }
  if (!any_digit) return {0.0, false, in.offset() - start};

  std::int64_t exponent = 0;
  if (c == 'e' || c == 'E') {
    in.advance();
    c = in.peek();
    const bool exponent_negative = c == '-';
    if (c == '-' || c == '+') {
      in.advance();
      c = in.peek();
    }
    // "1e" and "1e+" take the marker in and leave the value alone.
    for (; is_digit(c); c = in.peek()) {
      if (exponent < EXPONENT_CAP) exponent = exponent * 10 + (c - '0');
      in.advance();
    }
    if (exponent_negative) exponent = -exponent;
  }
  const double magnitude = to_magnitude(digits, digits.scale + exponent);
  return {negative ? -magnitude : magnitude, true, in.offset() - start};
}

ScanResult scan_number(std::string_view text) {
  TextReader in(text);
  return scan_number(in);
}

}  // namespace tellmar
