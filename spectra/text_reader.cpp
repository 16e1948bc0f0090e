#include "spectra/text_reader.h"

namespace tellmar {

TextReader::TextReader(std::string_view text) noexcept
    : block_begin(text.data()),
      next(text.data()),
      end(text.data() + text.size()),
      exhausted(true) {}

TextReader::TextReader(std::FILE* file_to_read) noexcept
    : file(file_to_read), block_begin(nullptr), next(nullptr), end(nullptr) {}

int TextReader::refill() {
  if (exhausted) return END_OF_TEXT;
  taken_before = offset();
  const std::size_t count = std::fread(block.data(), 1, block.size(), file);
  block_begin = next = block.data();
  end = block_begin + count;
  if (count == 0) {
    exhausted = true;
    read_failed = std::ferror(file) != 0;
    return END_OF_TEXT;
  }
  return static_cast<unsigned char>(*next);
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
