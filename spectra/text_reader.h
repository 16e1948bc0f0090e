#pragma once

// Reading the input files: bytes in large blocks, white space and names.

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace tellmar {

constexpr int END_OF_TEXT = -1;

struct FileCloser {
  void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
/// An open file that is closed when it goes out of scope, on every path.
using FilePointer = std::unique_ptr<std::FILE, FileCloser>;

/// Writes " Failed to open file: NAME " and ends the run with status 1.
[[noreturn]] void fail_to_open(std::string_view name);
/// Writes " Failed to write file: NAME " and ends the run with status 1.
[[noreturn]] void fail_to_write(std::string_view name);

/// Space, tab, line feed, vertical tab, form feed and carriage return.
[[nodiscard]] constexpr bool is_space(int c) noexcept {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

/// A forward reader over a file, read in blocks, or over text already in memory.
/// Binary: every byte comes through unchanged, a carriage return included.
struct TextReader {
  explicit TextReader(std::string_view text) noexcept;
  explicit TextReader(std::FILE* file) noexcept;
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  /// The next byte (0 to 255) without taking it, or `END_OF_TEXT`.
  [[nodiscard]] int peek() { return next != end ? static_cast<unsigned char>(*next) : refill(); }
  /// Takes the byte `peek` showed; requires that it was not `END_OF_TEXT`.
  void advance() noexcept { ++next; }
  /// Takes the white space ahead, across blocks.
  void skip_space() {
    do {
      while (next != end && is_space(static_cast<unsigned char>(*next))) ++next;
    } while (next == end && refill() != END_OF_TEXT);
  }
  /// The bytes ahead in memory, at least `wanted` of them unless the text ends sooner (for
  /// `wanted` up to a block); reads more and moves what is left to the block's start as needed.
  [[nodiscard]] std::string_view window(std::size_t wanted) {
    const auto available = static_cast<std::size_t>(end - next);
    if (available < wanted && !exhausted) return read_window(available);
    return {next, available};
  }
  /// True when nothing follows the bytes in memory: a window then runs to the end of the text.
  [[nodiscard]] bool complete() const noexcept { return exhausted; }
  /// Takes `count` bytes of the window.
  void skip(std::size_t count) noexcept { next += count; }
  /// Bytes taken so far.
  [[nodiscard]] std::uint64_t offset() const noexcept {
    return taken_before + static_cast<std::uint64_t>(next - block_begin);
  }
  /// True once reading the file failed (a directory, an I/O error); it then reads as ended.
  [[nodiscard]] bool failed() const noexcept { return read_failed; }

 private:
  int refill();
  void read_block(std::size_t kept);
  std::string_view read_window(std::size_t kept);

  std::FILE* file = nullptr;
  const char* block_begin;
  const char* next;
  const char* end;
  std::uint64_t taken_before = 0;
  bool exhausted = false;
  bool read_failed = false;
  // 64 KiB: a PSD file of 2000 pairs (about 50 KB) comes in one read.
  std::array<char, 1 << 16> block;
};

/// One name of the list file. Names can be any length in the file; the text kept for messages
/// and paths is capped so that no input can grow memory.
struct Name {
  std::string text;          // at most `NAME_TEXT_CAP` bytes
  std::uint64_t length = 0;  // bytes in the whole name
};
constexpr std::size_t NAME_TEXT_CAP = 256;

/// Skips white space and reads the following run of other bytes into `name`.
/// Returns false at the end of the text.
bool read_name(TextReader& in, Name& name);

}  // namespace tellmar
