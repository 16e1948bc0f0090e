// Arbitrary bytes as a PSD file. The scanner never takes more than is there, reads the same
// from a file in blocks as from memory, and gives strtod's value for the text it took.

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "spectra/number_scan.h"
#include "spectra/text_reader.h"

namespace {

// Equal to the bit: -0.0 is not 0.0 here.
bool same_double(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (size == 0) return 0;
  tellmar::TextReader memory(text);
  std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (file == nullptr) return 0;
  tellmar::TextReader blocks(file);
  for (;;) {
    memory.skip_space();
    blocks.skip_space();
    const std::uint64_t start = memory.offset();
    if (blocks.offset() != start) std::abort();
    const tellmar::ScanResult result = tellmar::scan_number(memory);
    const tellmar::ScanResult same = tellmar::scan_number(blocks);
    if (result.read != same.read || result.consumed != same.consumed) std::abort();
    if (result.read && !same_double(result.value, same.value)) std::abort();
    if (start + result.consumed > size) std::abort();
    if (result.read) {
      // strtod takes the same text the same way; it may go on further ("1e" -> "1", "0x1").
      const std::string taken(text.substr(start, result.consumed));
      const double expected = std::strtod(taken.c_str(), nullptr);
      if (!same_double(expected, result.value)) std::abort();
    }
    if (!result.read && result.consumed == 0) {
      // Where loading would stop, step over the byte and look for the next number.
      if (memory.peek() == tellmar::END_OF_TEXT) break;
      memory.advance();
      if (blocks.peek() == tellmar::END_OF_TEXT) std::abort();
      blocks.advance();
    }
  }
  std::fclose(file);
  return 0;
}
