// The key read on POSIX systems: the controlling terminal, in non-canonical mode without echo.

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>

#include "run/console.h"

namespace tellmar {
namespace {

// What the signal handler needs to put the terminal back; set only while a key is awaited.
int terminal = -1;
termios saved_mode;

constexpr std::array<int, 3> ENDING_SIGNALS = {SIGINT, SIGTERM, SIGHUP};
std::array<struct sigaction, ENDING_SIGNALS.size()> previous_actions;
std::array<bool, ENDING_SIGNALS.size()> handled;

extern "C" void restore_and_end(int signal_number) {
  tcsetattr(terminal, TCSANOW, &saved_mode);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);  // delivered as the handler returns: the process ends as usual
}

// Puts the terminal back and the previous signal actions with it, however the wait ends.
struct TerminalModeGuard {
  TerminalModeGuard(int fd, const termios& mode) {
    terminal = fd;
    saved_mode = mode;
    for (std::size_t i = 0; i < ENDING_SIGNALS.size(); ++i) {
      sigaction(ENDING_SIGNALS[i], nullptr, &previous_actions[i]);
      // A signal the caller ignores (nohup, a background job) stays ignored.
      handled[i] = previous_actions[i].sa_handler != SIG_IGN;
      if (!handled[i]) continue;
      struct sigaction action {};
      action.sa_handler = restore_and_end;
      sigemptyset(&action.sa_mask);
      sigaction(ENDING_SIGNALS[i], &action, nullptr);
    }
  }
  ~TerminalModeGuard() {
    tcsetattr(terminal, TCSANOW, &saved_mode);
    for (std::size_t i = 0; i < ENDING_SIGNALS.size(); ++i) {
      if (handled[i]) sigaction(ENDING_SIGNALS[i], &previous_actions[i], nullptr);
    }
    close(terminal);
    terminal = -1;
  }
  TerminalModeGuard(const TerminalModeGuard&) = delete;
  TerminalModeGuard& operator=(const TerminalModeGuard&) = delete;
};

ssize_t read_retrying(int fd, void* buffer, std::size_t size) {
  ssize_t count = 0;
  do {
    count = read(fd, buffer, size);
  } while (count < 0 && errno == EINTR);
  return count;
}

}  // namespace

int read_key() {
  const int fd = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return 0;  // no controlling terminal: nobody to wait for
  termios mode;
  if (tcgetattr(fd, &mode) != 0) {
    close(fd);
    return 0;
  }
  const TerminalModeGuard guard(fd, mode);
  termios single_key = mode;
  single_key.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);  // ISIG stays: Ctrl-C still ends
  single_key.c_cc[VMIN] = 1;
  single_key.c_cc[VTIME] = 0;
  tcsetattr(fd, TCSANOW, &single_key);

  unsigned char key = 0;
  if (read_retrying(fd, &key, 1) != 1) return 0;  // hung up
  if (key == '\x1b') {
    // Arrow and function keys send ESC and a few more bytes at once: take them all, so none is
    // left for the shell. A lone Esc costs a tenth of a second here.
    single_key.c_cc[VMIN] = 0;
    single_key.c_cc[VTIME] = 1;
    tcsetattr(fd, TCSANOW, &single_key);
    std::array<unsigned char, 16> rest;
    while (read_retrying(fd, rest.data(), rest.size()) > 0) {
    }
  }
  return key;
}

}  // namespace tellmar
