// The key reads through a real pseudo-terminal: the program's controlling terminal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <string>
#include <thread>

#include "support/program_run.h"
#include "support/temp_dir.h"

namespace tellmar {
namespace {

const std::string FIRST_PROMPT = "Press any key to continue.";
const std::string LAST_PROMPT = "Press any key to exit.";

// The text a user sees: without carriage returns, and without the cursor controls that Wine's
// console writes around every character (a space is written as "erase, one column right").
std::string visible(const std::string& screen) {
  std::string text;
  for (std::size_t i = 0; i < screen.size();) {
    if (screen.compare(i, 4, "\x1b[1C") == 0) {
      text += ' ';
      i += 4;
    } else if (screen[i] == '\x1b') {
      const auto end = screen.find_first_of("ABCDHJKhlm", i + 1);
      i = end == std::string::npos ? screen.size() : end + 1;
    } else {
      if (screen[i] != '\r') text += screen[i];
      ++i;
    }
  }
  return text;
}

// The program on a fresh pseudo-terminal in a directory with an empty "files.in".
class OnTerminal : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.write("files.in", "");
    dir.write("keys", "qqq\n");
  }
  void TearDown() override {
    if (child > 0) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
    if (terminal >= 0) close(terminal);
  }

  void start(bool redirect_input = false) {
    child = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (chdir(dir.path().c_str()) != 0) _exit(126);
      if (redirect_input) dup2(open("keys", O_RDONLY), STDIN_FILENO);
      testing::exec_program();
    }
    ASSERT_EQ(tcgetattr(terminal, &initial), 0);
  }

  // Reads what the program writes until `marker` shows; false after `limit` without it.
  bool read_until(const std::string& marker,
                  std::chrono::seconds limit = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (visible(seen).find(marker) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      read_some(100);
    }
    return true;
  }

  // Presses `keys` and reads until `marker` shows. Wine's console at times draws nothing more
  // until the next key comes; there the exit status after the last key tells what was taken.
  bool answer(const std::string& keys, const std::string& marker) {
    press(keys);
    if (!testing::through_runner()) return read_until(marker);
    read_until(marker, std::chrono::seconds(5));
    return true;
  }

  // True when the program writes no more words for `milliseconds` (Wine's console may still
  // draw the line breaks it was given).
  bool stays_quiet(int milliseconds) {
    const auto words = [this] {
      const std::string text = visible(seen);
      return std::count_if(text.begin(), text.end(), [](char c) { return c != ' ' && c != '\n'; });
    };
    const auto before = words();
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < deadline) read_some(20);
    return words() == before;
  }

  // Waits until the program has put the terminal into single-key mode.
  bool awaits_key() {
    for (int i = 0; i < 1000; ++i) {
      termios mode{};
      tcgetattr(terminal, &mode);
      if ((mode.c_lflag & ICANON) == 0) return (mode.c_lflag & ECHO) == 0;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  void press(const std::string& keys) const {
    ASSERT_EQ(write(terminal, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  int exit_status() {
    int status = 0;
    waitpid(child, &status, 0);
    child = -1;
    while (read_some(50)) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  [[nodiscard]] tcflag_t local_modes() const {
    termios mode{};
    tcgetattr(terminal, &mode);
    return mode.c_lflag;
  }

  testing::TempDir dir;
  pid_t child = -1;
  int terminal = -1;
  termios initial{};
  std::string seen;

 private:
  bool read_some(int timeout_ms) {
    pollfd ready{terminal, POLLIN, 0};
    if (poll(&ready, 1, timeout_ms) <= 0) return false;
    std::array<char, 1024> buffer{};
    const ssize_t count = read(terminal, buffer.data(), buffer.size());
    if (count <= 0) return false;
    seen.append(buffer.data(), static_cast<std::size_t>(count));
    return true;
  }
};

TEST_F(OnTerminal, WaitsForSingleKeysWithoutEchoAndEndsWithTheLastOne) {
  start();
  ASSERT_TRUE(read_until(FIRST_PROMPT));
  ASSERT_TRUE(awaits_key());
  EXPECT_TRUE(stays_quiet(300)) << seen;
  ASSERT_TRUE(answer("#", LAST_PROMPT)) << seen;  // no Enter
  ASSERT_TRUE(awaits_key());
  press("q");
  EXPECT_EQ(exit_status(), 113);
  EXPECT_EQ(visible(seen).find('#'), std::string::npos) << "echoed: " << seen;
  EXPECT_TRUE(visible(seen).ends_with(LAST_PROMPT)) << "after the last prompt: " << seen;
  EXPECT_EQ(local_modes(), initial.c_lflag);
}

TEST_F(OnTerminal, IgnoresRedirectedStandardInput) {
  if (testing::through_runner()) GTEST_SKIP() << "Wine takes its console from standard input";
  start(/*redirect_input=*/true);
  ASSERT_TRUE(read_until(FIRST_PROMPT));
  EXPECT_TRUE(stays_quiet(300)) << seen;
  press(" ");
  ASSERT_TRUE(read_until(LAST_PROMPT));
  press("z");
  EXPECT_EQ(exit_status(), 'z');
}

TEST_F(OnTerminal, TakesAWholeKeySequenceAsOneKey) {
  start();
  ASSERT_TRUE(read_until(FIRST_PROMPT));
  ASSERT_TRUE(awaits_key());
  // The up arrow: nothing of it may answer the last prompt.
  ASSERT_TRUE(answer("\x1b[A", LAST_PROMPT));
  EXPECT_TRUE(stays_quiet(300)) << seen;
  ASSERT_TRUE(awaits_key());
  press("q");
  EXPECT_EQ(exit_status(), 113);
}

TEST_F(OnTerminal, RestoresTheTerminalWhenInterrupted) {
  if (testing::through_runner()) GTEST_SKIP() << "Wine ends a program on signals its own way";
  struct Row {
    const char* how;
    int signal_number;
  };
  const Row rows[] = {{"Ctrl-C", SIGINT}, {"SIGTERM", SIGTERM}, {"SIGHUP", SIGHUP}};
  for (const Row& r : rows) {
    start();
    ASSERT_TRUE(read_until(FIRST_PROMPT)) << r.how;
    ASSERT_TRUE(awaits_key()) << r.how;
    if (r.signal_number == SIGINT) {
      press("\x03");
    } else {
      kill(child, r.signal_number);
    }
    EXPECT_EQ(exit_status(), 128 + r.signal_number) << r.how;
    EXPECT_EQ(local_modes(), initial.c_lflag) << r.how;
    close(terminal);
    terminal = -1;
    seen.clear();
  }
}

}  // namespace
}  // namespace tellmar
