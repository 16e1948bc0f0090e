#include "spectra/text_reader.h"

#include <cstring>
#include <string>

#include "run/console.h"

namespace tellmar {

void fail_to_open(std::string_view name) {
  fail_run(" Failed to open file: " + std::string(name) + " \n");
}

void fail_to_write(std::string_view name) {
  fail_run(" Failed to write file: " + std::string(name) + " \n");
}

TextReader::TextReader(std::string_view text) noexcept
    : block_begin(text.data()),
      next(text.data()),
      end(text.data() + text.size()),
      exhausted(true) {}

TextReader::TextReader(std::FILE* file_to_read) noexcept
    : file(file_to_read), block_begin(nullptr), next(nullptr), end(nullptr) {}

// Moves the `kept` bytes from `next` on to the block's start and fills the rest of the block.
void TextReader::read_block(std::size_t kept) {
  taken_before = offset();
  if (kept > 0) std::memmove(block.data(), next, kept);
  const std::size_t count = std::fread(block.data() + kept, 1, block.size() - kept, file);
  block_begin = next = block.data();
  end = block_begin + kept + count;
  // fread stops short only at the end of the file or on an error.
  if (count < block.size() - kept) {
    exhausted = true;
    read_failed = std::ferror(file) != 0;
  }
}

int TextReader::refill() {
  if (exhausted) return END_OF_TEXT;
  read_block(0);
  return next != end ? static_cast<unsigned char>(*next) : END_OF_TEXT;
}

std::string_view TextReader::read_window(std::size_t kept) {
  read_block(kept);
  return {next, static_cast<std::size_t>(end - next)};
}

bool read_name(TextReader& in, Name& name) {
  in.skip_space();
  name.text.clear();
  name.length = 0;
  for (int c = in.peek(); c != END_OF_TEXT && !is_space(c); c = in.peek()) {
    if (name.text.size() < NAME_TEXT_CAP) name.text.push_back(static_cast<char>(c));
    ++name.length;
    in.advance();
  }
  return name.length > 0;
}

}  // namespace tellmar
