#pragma once

// The console and the end of a run: the leaf of run/ that every subsystem may include.

#include <string_view>

namespace tellmar {

/// Writes `text` to standard output and flushes it, so a prompt shows before the run waits.
void write_console(std::string_view text);

/// Waits for one key on the console itself (never standard input), without echo and without
/// Enter, and returns its character code. A key that sends a sequence (arrows, function keys)
/// returns the sequence's first byte. Returns 0 at once when the process has no console.
[[nodiscard]] int read_key();

/// Thrown by `end_run`; `run_averaging` turns it into the exit status.
struct RunEnded {
  int status;
};

/// Ends the run with `status`: every file the run holds is flushed and closed on the way out.
[[noreturn]] inline void end_run(int status) { throw RunEnded{status}; }

/// Writes one error line and ends the run with status 1.
[[noreturn]] inline void fail_run(std::string_view message) {
  write_console(message);
  end_run(1);
}

}  // namespace tellmar
