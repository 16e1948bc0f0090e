#include "spectra/number_scan.h"

#include <array>
#include <charconv>
#include <limits>
#include <optional>
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
// Numbers shorter than this are scanned in one piece from memory, byte by byte only when longer.
// The short path took a full-capacity run from 579 to 451 million instructions
// (bench/run_bench.sh); bench/scan_bench puts it at 15 ns a number, a third of strtod's time.
constexpr std::size_t SHORT_NUMBER_WINDOW = 64;
constexpr int SHORT_EXPONENT_DIGITS = 5;

[[nodiscard]] constexpr bool is_digit(int c) noexcept { return c >= '0' && c <= '9'; }

// Correctly rounded magnitude of the decimal digits `digits` x 10^exponent (any length,
// no leading zero), through the library's exact conversion.
double convert_digits(std::string_view digits, std::int64_t exponent) {
  std::array<char, KEPT_DIGITS + 32> text;
  auto* const out = std::copy(digits.begin(), digits.end(), text.data());
  if (exponent > TEXT_EXPONENT_LIMIT) exponent = TEXT_EXPONENT_LIMIT;
  if (exponent < -TEXT_EXPONENT_LIMIT) exponent = -TEXT_EXPONENT_LIMIT;
  *out = 'e';
  char* const text_end = std::to_chars(out + 1, text.data() + text.size(), exponent).ptr;
  double magnitude = 0.0;
  const auto [ptr, error] = std::from_chars(text.data(), text_end, magnitude);
  if (error == std::errc::result_out_of_range) {
    // d1 d2 ... dn x 10^exponent has the order of magnitude exponent + n - 1.
    return exponent + static_cast<std::int64_t>(digits.size()) - 1 > 0
               ? std::numeric_limits<double>::infinity()
               : 0.0;
  }
  return magnitude;
}

// Magnitude of mantissa x 10^exponent for a mantissa of at most MANTISSA_DIGITS digits.
double convert_mantissa(std::uint64_t mantissa, std::int64_t exponent) {
  if (mantissa == 0) return 0.0;
  // Both factors exact, so one rounding: the common "10.5000", "1.234567e-03" land here.
  if (mantissa <= EXACT_MANTISSA_LIMIT && exponent >= -22 && exponent <= 22) {
    const auto exact = static_cast<double>(mantissa);
    return exponent >= 0 ? exact * EXACT_POWERS[static_cast<std::size_t>(exponent)]
                         : exact / EXACT_POWERS[static_cast<std::size_t>(-exponent)];
  }
  std::array<char, MANTISSA_DIGITS + 1> digits;
  const char* const digits_end = std::to_chars(digits.begin(), digits.end(), mantissa).ptr;
  return convert_digits({digits.data(), static_cast<std::size_t>(digits_end - digits.data())},
                        exponent);
}

// Scans a number of the usual length from memory. Gives up (nullopt) on anything the careful
// scan below must decide: more than MANTISSA_DIGITS digits, a long exponent, or a number that
// runs to the end of `text` while more text may follow.
std::optional<ScanResult> scan_short(std::string_view text, bool complete) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin;
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) ++p;
  bool any_digit = false;
  while (p != end && *p == '0') {  // leading zeros count for nothing
    ++p;
    any_digit = true;
  }
  std::uint64_t mantissa = 0;
  std::int64_t scale = 0;
  const char* const integer = p;
  for (; p != end && is_digit(*p); ++p) mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
  std::ptrdiff_t significant = p - integer;
  if (p != end && *p == '.') {
    ++p;
    if (significant == 0) {  // "0.005": zeros after the point only move it
      const char* const zeros = p;
      while (p != end && *p == '0') ++p;
      scale -= p - zeros;
      any_digit = any_digit || p != zeros;
    }
    const char* const fraction = p;
    for (; p != end && is_digit(*p); ++p) {
      mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    }
    significant += p - fraction;
    scale -= p - fraction;
  }
  any_digit = any_digit || significant > 0;
  if (significant > MANTISSA_DIGITS) return std::nullopt;
  std::int64_t exponent = 0;
  if (any_digit && p != end && (*p == 'e' || *p == 'E')) {
    ++p;
    const bool exponent_negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+')) ++p;
    const char* const digits = p;
    for (; p != end && is_digit(*p); ++p) {
      if (p - digits == SHORT_EXPONENT_DIGITS) return std::nullopt;
      exponent = exponent * 10 + (*p - '0');
    }
    if (exponent_negative) exponent = -exponent;
  }
  if (p == end && !complete) return std::nullopt;
  const auto consumed = static_cast<std::uint64_t>(p - begin);
  if (!any_digit) return ScanResult{0.0, false, consumed};
  const double magnitude = convert_mantissa(mantissa, scale + exponent);
  return ScanResult{negative ? -magnitude : magnitude, true, consumed};
}

// The significant digits of a number of any length: its magnitude is digits x 10^scale.
struct Significand {
  int count = 0;  // digits kept, leading zeros not counted
  std::int64_t scale = 0;
  bool sticky = false;  // a non-zero digit beyond KEPT_DIGITS
  std::array<char, KEPT_DIGITS + 1> kept;
};

// Byte by byte through the reader, so a number may be as long as it likes and cross blocks.
ScanResult scan_long(TextReader& in) {
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
        if (in_fraction) --digits.scale;
      } else if (digits.count < KEPT_DIGITS) {
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
  double magnitude = 0.0;
  if (digits.count > 0) {
    if (digits.sticky) {
      digits.kept[static_cast<std::size_t>(digits.count++)] = '1';
      --exponent;
    }
    magnitude = convert_digits({digits.kept.data(), static_cast<std::size_t>(digits.count)},
                               digits.scale + exponent);
  }
  return {negative ? -magnitude : magnitude, true, in.offset() - start};
}

}  // namespace

ScanResult scan_number(TextReader& in) {
  const std::string_view ahead = in.window(SHORT_NUMBER_WINDOW);
  if (const auto result = scan_short(ahead, in.complete())) {
    in.skip(static_cast<std::size_t>(result->consumed));
    return *result;
  }
  return scan_long(in);
}

ScanResult scan_number(std::string_view text) {
  TextReader in(text);
  return scan_number(in);
}

}  // namespace tellmar
