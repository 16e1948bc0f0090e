#include "support/program_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <stdexcept>

namespace tellmar::testing {

std::string program_path() {
  const char* chosen = std::getenv("TELLMAR_EXE");
  return chosen != nullptr && *chosen != '\0' ? chosen : TELLMAR_EXE;
}

ProgramRun run_program(const std::filesystem::path& dir, const std::string& input) {
  const std::string program = program_path();
  const char* runner = std::getenv("TELLMAR_EXE_RUNNER");
  std::array<int, 2> pipe_ends{};
  if (pipe(pipe_ends.data()) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    setsid();
    const int in = open(input.c_str(), O_RDONLY);
    if (in < 0 || chdir(dir.c_str()) != 0) _exit(126);
    dup2(in, STDIN_FILENO);
    dup2(pipe_ends[1], STDOUT_FILENO);
    close(pipe_ends[0]);
    if (runner != nullptr && *runner != '\0') {
      execlp(runner, runner, program.c_str(), static_cast<char*>(nullptr));
    } else {
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    }
    _exit(127);
  }
  close(pipe_ends[1]);
  ProgramRun run{-1, {}};
  std::array<char, 4096> buffer{};
  for (;;) {
    const ssize_t count = read(pipe_ends[0], buffer.data(), buffer.size());
    if (count <= 0) break;
    run.output.append(buffer.data(), static_cast<std::size_t>(count));
  }
  close(pipe_ends[0]);
  int status = 0;
  waitpid(child, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

}  // namespace tellmar::testing
