#pragma once

#include <filesystem>
#include <string>

namespace tellmar::testing {

/// The program under test: $TELLMAR_EXE when set, else the one this build made. When
/// $TELLMAR_EXE_RUNNER is set (say "wine"), the program is started through it.
std::string program_path();

struct ProgramRun {
  int status;          // exit status, or 128 + signal number
  std::string output;  // everything written to standard output
};

/// Runs the program in `dir` as a user would without a console: a new session with no
/// controlling terminal, standard input from `input`.
ProgramRun run_program(const std::filesystem::path& dir, const std::string& input = "/dev/null");

}  // namespace tellmar::testing
