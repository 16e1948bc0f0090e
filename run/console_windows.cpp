// The key read on Windows: the console's own input, through the C runtime's single-key read.

#include <conio.h>
#include <windows.h>

#include "run/console.h"

namespace tellmar {
namespace {

// True when the process has a console to read keys from; redirected standard input does not
// count, since the key comes from the console itself.
bool has_console_input() {
  const HANDLE input =
      CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (input == INVALID_HANDLE_VALUE) return false;
  DWORD mode = 0;
  const bool console = GetConsoleMode(input, &mode) != 0;
  CloseHandle(input);
  return console;
}

}  // namespace

int read_key() {
  if (!has_console_input()) return 0;  // no console: nobody to wait for
  const int key = _getch();
  // Arrow and function keys come as 0 or 224 and a second code: take that too, so it does not
  // answer the next prompt.
  if (key == 0 || key == 0xE0) (void)_getch();
  return key;
}

}  // namespace tellmar
