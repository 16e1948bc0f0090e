// The yardstick of the whole-run benchmark: reads files.in and every PSD file in it and parses
// the pairs with std::from_chars, nothing else. A full run of tellmar should cost no more.

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int main() {
  std::ifstream list("files.in", std::ios::binary);
  double sum = 0;
  std::size_t numbers = 0;
  for (std::string name; list >> name;) {
    std::ifstream in(name, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const char* p = text.data();
    const char* const end = p + text.size();
    for (;;) {
      while (p != end && is_space(*p)) ++p;
      double value = 0;
      const auto [next, error] = std::from_chars(p, end, value);
      if (error != std::errc()) break;
      sum += value;
      ++numbers;
      p = next;
    }
  }
  std::printf("%zu numbers, sum %g\n", numbers, sum);
  return 0;
}
