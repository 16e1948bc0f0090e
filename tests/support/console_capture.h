#pragma once

#include <gtest/gtest.h>

#include <string>

#include "run/console.h"

namespace tellmar::testing {

/// What calling `step` wrote to the console, and the status it ended the run with (-1 when it
/// returned).
struct Ending {
  int status = -1;
  std::string console;
};

template <typename Step>
Ending run_step(Step step) {
  ::testing::internal::CaptureStdout();
  Ending ending;
  try {
    step();
  } catch (const RunEnded& ended) {
    ending.status = ended.status;
  }
  ending.console = ::testing::internal::GetCapturedStdout();
  return ending;
}

}  // namespace tellmar::testing
