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
// to 17 digits that comes first.
void check_reads_back(const std::string& text, double value, double last_digit) {
  const double parsed = std::strtod(text.c_str(), nullptr);
  const double allowed = 0.5 * last_digit + std::fabs(value) * 1e-16;
  if (!(std::fabs(parsed - value) <= allowed * (1 + 1e-12))) std::abort();
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

  check_reads_back(fixed, value, 1e-3);
  // The unit of the 4th significant digit of the rounded value.
  const double shown = std::strtod(general.c_str(), nullptr);
  const double exponent = std::floor(std::log10(std::fabs(shown)));
  check_reads_back(general, value, std::pow(10.0, exponent - 3));
  return 0;
}
