#include "text/formatted_numbers.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tellmar {
namespace {

constexpr int FORM_DIGITS = 17;

// A positive magnitude as d1.d2...d17 x 10^exponent. Rounding turns the dropped digits into
// zeros, and any digit past the 17th reads as zero.
struct DecimalForm {
  std::array<char, FORM_DIGITS> digits;
  int exponent = 0;

  [[nodiscard]] char digit(int index) const noexcept {
    return index >= 0 && index < FORM_DIGITS ? digits[static_cast<std::size_t>(index)] : '0';
  }
};

DecimalForm zero_form() noexcept {
  DecimalForm form;
  form.digits.fill('0');
  return form;
}

// The value nearest to `magnitude` with 17 significant digits (to_chars is exact; an exact
// half at the 18th digit goes to even).
DecimalForm decimal_form(double magnitude) {
  assert(std::isfinite(magnitude) && magnitude > 0);  // requires: callers take the rest
  std::array<char, 32> text;                          // "d.dddddddddddddddde+XXX"
  const auto written = std::to_chars(text.data(), text.data() + text.size(), magnitude,
                                     std::chars_format::scientific, FORM_DIGITS - 1);
  DecimalForm form;
  form.digits[0] = text[0];
  std::copy_n(text.begin() + 2, FORM_DIGITS - 1, form.digits.begin() + 1);
  const char* exponent = text.data() + 2 + (FORM_DIGITS - 1) + 1;  // past "d." digits and "e"
  const bool negative = *exponent == '-';
  std::from_chars(exponent + 1, written.ptr, form.exponent);
  if (negative) form.exponent = -form.exponent;
  return form;
}

// Keeps the first `kept` digits; a first dropped digit of 5 or more adds one to the last kept.
// 1.5625 kept 4 -> 1.563; 9.9995 kept 4 -> 1.000, exponent one higher.
void round_to(DecimalForm& form, int kept) {
  assert(kept >= 1);  // requires: callers handle "nothing kept" themselves
  if (kept >= FORM_DIGITS) return;
  const auto first_dropped = static_cast<std::size_t>(kept);
  const bool up = form.digits[first_dropped] >= '5';
  std::fill(form.digits.begin() + kept, form.digits.end(), '0');
  if (!up) return;
  for (auto i = first_dropped; i-- > 0;) {
    if (form.digits[i] != '9') {
      ++form.digits[i];
      return;
    }
    form.digits[i] = '0';
  }
  form.digits[0] = '1';  // all nines carried out of the first digit
  ++form.exponent;
}

// Integer part (0 below 1), then the point and `decimals` digits when decimals > 0.
// digits 6667, exponent 0, 3 decimals -> "6.667"; digits 1, exponent -3 -> "0.001".
void append_fixed(std::string& text, const DecimalForm& form, int decimals) {
  if (form.exponent < 0) {
    text += '0';
  } else {
    for (int i = 0; i <= form.exponent; ++i) text += form.digit(i);
  }
  if (decimals <= 0) return;
  text += '.';
  for (int k = 1; k <= decimals; ++k) text += form.digit(form.exponent + k);
}

void drop_trailing_zeros(std::string& text) {
  if (text.find('.') == std::string::npos) return;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
}

std::string padded(std::string text, int width) {
  const auto wanted = static_cast<std::size_t>(std::max(width, 0));
  if (text.size() < wanted) text.insert(0, wanted - text.size(), ' ');
  return text;
}

// What "1#INF" and "1#IND" become when rounded as if the letters were digits.
std::string non_finite_text(double value) {
  return std::isinf(value) && value > 0 ? "1.#IO" : "-1.#IO";
}

}  // namespace

std::string format_fixed(double value, int width, int decimals) {
  assert(decimals >= 0);
  if (!std::isfinite(value)) return padded(non_finite_text(value), width);
  DecimalForm form = zero_form();
  if (value != 0) {
    form = decimal_form(std::fabs(value));
    const int kept = form.exponent + 1 + decimals;  // digits down to the last decimal
    if (kept >= 1) {
      round_to(form, kept);
    } else if (kept == 0 && form.digits[0] >= '5') {
      form = zero_form();  // 0.0005 to 3 decimals -> 0.001
      form.digits[0] = '1';
      form.exponent = -decimals;
    } else {
      form = zero_form();
    }
  }
  std::string text = value < 0 ? "-" : "";
  append_fixed(text, form, decimals);
  return padded(std::move(text), width);
}

std::string format_general(double value, int width, int precision) {
  if (!std::isfinite(value)) return padded(non_finite_text(value), width);
  if (value == 0) return padded("0", width);
  precision = std::max(precision, 1);
  DecimalForm form = decimal_form(std::fabs(value));
  round_to(form, precision);
  std::string text = value < 0 ? "-" : "";
  if (form.exponent < -4 || form.exponent >= precision) {
    // digits 1235, exponent 4 -> "1.235e+004"; digits 1, exponent 4 -> "1e+004"
    std::string mantissa{form.digits[0], '.'};
    for (int i = 1; i < precision; ++i) mantissa += form.digit(i);
    drop_trailing_zeros(mantissa);
    text += mantissa;
    text += form.exponent < 0 ? "e-" : "e+";
    const std::string power = std::to_string(std::abs(form.exponent));
    text.append(power.size() < 3 ? 3 - power.size() : 0, '0');
    text += power;
  } else {
    // digits 1235, exponent 1 -> "12.35"; digits 1, exponent -2 -> "0.01"
    append_fixed(text, form, precision - 1 - form.exponent);
    drop_trailing_zeros(text);
  }
  return padded(std::move(text), width);
}

}  // namespace tellmar
