#include "support/program_run.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
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

bool through_runner() {
  const char* runner = std::getenv("TELLMAR_EXE_RUNNER");
  return runner != nullptr && *runner != '\0';
}

void exec_program() {
  const std::string program = program_path();
  if (through_runner()) {
    const char* const runner = std::getenv("TELLMAR_EXE_RUNNER");
    execlp(runner, runner, program.c_str(), static_cast<char*>(nullptr));
  } else {
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
  }
  _exit(127);
}

ProgramRun run_program(const std::filesystem::path& dir, const std::string& input) {
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
    exec_program();
  }
  close(pipe_ends[1]);
  ProgramRun run{-1, {}, 0};
  int status = 0;
  rusage usage{};
  // Read until the program has ended and its output is drained; a helper it started (Wine's
  // services) may hold the pipe open long after.
  bool ended = false;
  std::array<char, 4096> buffer{};
  for (;;) {
    pollfd ready{pipe_ends[0], POLLIN, 0};
    if (poll(&ready, 1, ended ? 0 : 50) > 0) {
      const ssize_t count = read(pipe_ends[0], buffer.data(), buffer.size());
      if (count <= 0) break;
      run.output.append(buffer.data(), static_cast<std::size_t>(count));
      continue;
    }
    if (ended) break;
    ended = wait4(child, &status, WNOHANG, &usage) == child;
  }
  if (!ended) wait4(child, &status, 0, &usage);
  close(pipe_ends[0]);
  if (through_runner()) {
    // A Windows console program writes its line breaks as CR LF on a pipe.
    for (auto at = run.output.find("\r\n"); at != std::string::npos;
         at = run.output.find("\r\n", at)) {
      run.output.erase(at, 1);
    }
  }
  run.peak_kib = usage.ru_maxrss;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

}  // namespace tellmar::testing
