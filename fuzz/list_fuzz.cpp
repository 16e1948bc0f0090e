// Arbitrary bytes as "files.in", with the names resolved in a scratch directory that holds a
// few PSD files. Loading either fills the set within its capacities or ends the run with one
// message; it never reads or writes past the set.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "run/console.h"
#include "spectra/spectrum_set.h"

namespace {

void enter_scratch_directory() {
  const auto scratch =
      std::filesystem::temp_directory_path() / ("tellmar-list-fuzz-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch / "folder");
  std::filesystem::current_path(scratch);
  std::ofstream("a") << "10 1\n20 2\n30 3\n";
  std::ofstream("b.txt") << "10 1e-3 20 2e-3\r\n";
  std::ofstream("c") << "Freq PSD\n";
  std::string full;
  for (int p = 0; p < tellmar::MAX_POINTS; ++p) full += std::to_string(p) + " 1\n";
  std::ofstream("d") << full << "1 1\n";  // one pair too many
  // The console lines of failed runs are expected; keep them out of the fuzzer's output.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool entered = (enter_scratch_directory(), true);
  (void)entered;
  // Names stay inside the scratch directory: no path separators.
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '/') return 0;
  }
  // Loading reads none of the tables, so only the counts need to start from zero.
  static auto set = std::make_unique<tellmar::SpectrumSet>();
  set->file_count = 0;
  set->max_point_count = 0;
  set->point_count.fill(0);
  std::FILE* list = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (list == nullptr) return 0;
  try {
    tellmar::load_spectra(list, *set);
  } catch (const tellmar::RunEnded& ended) {
    if (ended.status != 1) std::abort();
  }
  std::fclose(list);
  if (set->file_count < 0 || set->file_count > tellmar::MAX_FILES) std::abort();
  for (int f = 0; f < set->file_count; ++f) {
    const int points = set->point_count[static_cast<std::size_t>(f)];
    if (points < 0 || points > set->max_point_count || points > tellmar::MAX_POINTS) std::abort();
  }
  return 0;
}
