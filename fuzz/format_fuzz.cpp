// Arbitrary doubles through both formatters: the text fills at least its width, reads back
// within half a unit of its last digit, and is exactly what the slow exact reference writes.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/exact_decimal.h"
#include "text/formatted_numbers.h"

namespace {

// Checks that `text` reads back within half a unit of `last_digit`, allowing for the rounding
// to 17 digits that comes first. The text is read back as a long double, so that reading it
// neither overflows (1.798e+308) nor loses digits among the subnormals, and the rounding of
// that reading is allowed for too.
void check_reads_back(const std::string& text, double value, long double last_digit) {
  const long double parsed = std::strtold(text.c_str(), nullptr);
  const long double read_back = std::nextafter(std::fabs(parsed), HUGE_VALL) - std::fabs(parsed);
  const long double allowed =
      0.5L * last_digit + std::fabs(static_cast<long double>(value)) * 1e-16L + 0.5L * read_back;
  if (!(std::fabs(parsed - static_cast<long double>(value)) <= allowed * (1 + 1e-12L)))
    std::abort();
}

// The power of ten of the first digit `text` shows: its exponent when it has one, else from
// its value, which then lies in the normal range.
long double first_digit_power(const std::string& text) {
  const std::size_t e = text.find('e');
  if (e != std::string::npos) return std::strtold(text.c_str() + e + 1, nullptr);
  return std::floor(std::log10(std::fabs(std::strtold(text.c_str(), nullptr))));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(double)) return 0;
  double value = 0;
  std::memcpy(&value, data, sizeof value);

  const std::string general = tellmar::format_general(value, 12, 4);
  const std::string fixed = tellmar::format_fixed(value, 8, 3);
  if (general.size() < 12 || fixed.size() < 8) std::abort();
  if (general != tellmar::testing::reference_general(value, 12, 4)) std::abort();
  if (fixed != tellmar::testing::reference_fixed(value, 8, 3)) std::abort();
  if (!std::isfinite(value) || value == 0) return 0;

  check_reads_back(fixed, value, 1e-3L);
  // The unit of the 4th significant digit of the rounded value.
  check_reads_back(general, value, std::pow(10.0L, first_digit_power(general) - 3));
  return 0;
}
