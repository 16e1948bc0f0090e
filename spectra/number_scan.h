#pragma once

// The number scanner of the PSD files.

#include <cstdint>
#include <string_view>

#include "spectra/text_reader.h"

namespace tellmar {

/// What one scan found. `consumed` counts the bytes taken even when no number was read: a sign
/// or decimal point before the failure is used up, the byte that stopped the scan is not.
struct ScanResult {
  double value = 0.0;
  bool read = false;
  std::uint64_t consumed = 0;
};

/// Reads the longest number at the reader's position, without skipping white space first:
/// [+-] digits with at most one ".", at least one digit, then, after a digit, [eE][+-]digits
/// (a marker with no digits is taken in and ignored). The value is the correctly rounded double;
/// past the range of a double it is infinite, or zero when tiny.
/// "12abc" -> 12 (2 taken), "-.x" -> nothing (2 taken), "1e+" -> 1 (3 taken), "inf" -> nothing.
[[nodiscard]] ScanResult scan_number(TextReader& in);

/// The same scan over text in memory.
[[nodiscard]] ScanResult scan_number(std::string_view text);

}  // namespace tellmar
