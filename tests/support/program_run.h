#pragma once

#include <filesystem>
#include <string>

namespace tellmar::testing {

/// The program under test: $TELLMAR_EXE when set, else the one this build made. When
/// $TELLMAR_EXE_RUNNER is set (say "wine"), the program is started through it.
std::string program_path();

/// True when the program runs through $TELLMAR_EXE_RUNNER, as a Windows program.
bool through_runner();

/// Replaces the calling (child) process with the program, through the runner when one is set.
[[noreturn]] void exec_program();

struct ProgramRun {
  int status;          // exit status, or 128 + signal number
  std::string output;  // everything written to standard output
  long peak_kib;       // the program's peak resident memory
};

/// Runs the program in `dir` as a user would without a console: a new session with no
/// controlling terminal, standard input from `input`.
/// Under a runner, the console's CR LF line breaks read as LF.
ProgramRun run_program(const std::filesystem::path& dir, const std::string& input = "/dev/null");

}  // namespace tellmar::testing
