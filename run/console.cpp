#include "run/console.h"

#include <cstdio>

namespace tellmar {

void write_console(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

}  // namespace tellmar
