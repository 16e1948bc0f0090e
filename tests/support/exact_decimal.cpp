#include "support/exact_decimal.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tellmar::testing {
namespace {

constexpr std::uint32_t LIMB = 1'000'000'000;
using BigInt = std::vector<std::uint32_t>;  // base 10^9, least significant limb first

void multiply(BigInt& number, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (auto& limb : number) {
    const std::uint64_t product = std::uint64_t{limb} * factor + carry;
    limb = static_cast<std::uint32_t>(product % LIMB);
    carry = product / LIMB;
  }
  while (carry != 0) {
    number.push_back(static_cast<std::uint32_t>(carry % LIMB));
    carry /= LIMB;
  }
}

std::string to_decimal(const BigInt& number) {
  std::string text = std::to_string(number.back());
  for (auto limb = number.rbegin() + 1; limb != number.rend(); ++limb) {
    const std::string part = std::to_string(*limb);
    text += std::string(9 - part.size(), '0') + part;
  }
  return text;
}

// Adds one in the last place; true when it carried out of the first digit ("99" -> "00").
bool increment(std::string& digits) {
  for (auto i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  return true;
}

std::string padded(const std::string& text, int width) {
  const auto wanted = static_cast<std::size_t>(width);
  return text.size() < wanted ? std::string(wanted - text.size(), ' ') + text : text;
}

std::string special(double value) { return std::isinf(value) && value > 0 ? "1.#IO" : "-1.#IO"; }

// Splits digits x 10^(exponent - digits.size() + 1) into integer and fraction digits.
void split(const std::string& digits, int exponent, std::string& integer, std::string& fraction) {
  const int point = exponent + 1;  // digits before the decimal point
  if (point <= 0) {
    integer.assign(1, '0');
    fraction.assign(static_cast<std::size_t>(-point), '0');
    fraction += digits;
  } else if (static_cast<std::size_t>(point) >= digits.size()) {
    integer = digits;
    integer.resize(static_cast<std::size_t>(point), '0');
    fraction.clear();
  } else {
    integer = digits.substr(0, static_cast<std::size_t>(point));
    fraction = digits.substr(static_cast<std::size_t>(point));
  }
}

}  // namespace

Expansion exact_expansion(double value) {
  int binary_exponent = 0;
  const double fraction = std::frexp(std::fabs(value), &binary_exponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int shift = binary_exponent - 53;  // |value| = mantissa x 2^shift
  BigInt number{static_cast<std::uint32_t>(mantissa % LIMB),
                static_cast<std::uint32_t>(mantissa / LIMB % LIMB),
                static_cast<std::uint32_t>(mantissa / LIMB / LIMB)};
  while (number.size() > 1 && number.back() == 0) number.pop_back();
  int power = 0;  // |value| = number x 10^power
  if (shift >= 0) {
    for (int i = 0; i < shift; ++i) multiply(number, 2);
  } else {
    for (int i = 0; i < -shift; ++i) multiply(number, 5);  // m / 2^k = m 5^k / 10^k
    power = shift;
  }
  std::string digits = to_decimal(number);
  while (digits.size() > 1 && digits.back() == '0') {
    digits.pop_back();
    ++power;
  }
  return {digits, power + static_cast<int>(digits.size()) - 1};
}

Expansion seventeen_digits(double value) {
  Expansion exact = exact_expansion(value);
  if (exact.digits.size() <= 17) {
    exact.digits.resize(17, '0');
    return exact;
  }
  std::string kept = exact.digits.substr(0, 17);
  const std::string rest = exact.digits.substr(17);
  const bool above_half =
      rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
  const bool half = rest[0] == '5' && !above_half;
  const bool odd = (kept.back() - '0') % 2 == 1;
  if ((above_half || (half && odd)) && increment(kept)) {
    kept[0] = '1';
    ++exact.exponent;
  }
  return {kept, exact.exponent};
}

std::string reference_fixed(double value, int width, int decimals) {
  if (!std::isfinite(value)) return padded(special(value), width);
  std::string integer = "0";
  std::string fraction;
  if (value != 0) {
    const Expansion form = seventeen_digits(value);
    split(form.digits, form.exponent, integer, fraction);
  }
  fraction.resize(static_cast<std::size_t>(decimals) + 1, '0');
  const bool up = fraction.back() >= '5';
  fraction.pop_back();
  std::string all = integer + fraction;
  if (up && increment(all)) all.insert(0, "1");
  integer = all.substr(0, all.size() - fraction.size());
  fraction = all.substr(integer.size());
  while (integer.size() > 1 && integer[0] == '0') integer.erase(0, 1);
  std::string text = (value < 0 ? "-" : "") + integer;
  if (decimals > 0) text += "." + fraction;
  return padded(text, width);
}

std::string reference_general(double value, int width, int precision) {
  if (!std::isfinite(value)) return padded(special(value), width);
  if (value == 0) return padded("0", width);
  const Expansion form = seventeen_digits(value);
  std::string kept = form.digits;
  kept.resize(static_cast<std::size_t>(precision) + 1, '0');
  const bool up = kept.back() >= '5';
  kept.pop_back();
  int exponent = form.exponent;
  if (up && increment(kept)) {
    kept[0] = '1';  // all nines: increment left zeros behind
    ++exponent;
  }
  std::string text = value < 0 ? "-" : "";
  if (exponent < -4 || exponent >= precision) {
    std::string fraction = kept.substr(1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    text += kept.substr(0, 1) + (fraction.empty() ? "" : "." + fraction);
    std::array<char, 16> power{};
    std::snprintf(power.data(), power.size(), "e%c%03d", exponent < 0 ? '-' : '+',
                  std::abs(exponent));
    text += power.data();
  } else {
    std::string integer;
    std::string fraction;
    split(kept, exponent, integer, fraction);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    text += integer + (fraction.empty() ? "" : "." + fraction);
  }
  return padded(text, width);
}

}  // namespace tellmar::testing
