// Arbitrary bytes as "files.in", with the names resolved in a scratch directory that holds a
// few PSD files. Loading either fills the set within its capacities or ends the run with one
// message; it never reads or writes past the set.

#include <fcntl.h>
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

// Makes the scratch directory with its PSD files once and returns it.
const std::filesystem::path& scratch_directory() {
  static const std::filesystem::path scratch = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("tellmar-list-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(path / "folder");
    std::ofstream(path / "a") << "10 1\n20 2\n30 3\n";
    std::ofstream(path / "b.txt") << "10 1e-3 20 2e-3\r\n";
    std::ofstream(path / "c") << "Freq PSD\n";
    std::string full;
    for (int p = 0; p < tellmar::MAX_POINTS; ++p) full += std::to_string(p) + " 1\n";
    std::ofstream(path / "d") << full << "1 1\n";  // one pair too many
    // The console lines of failed runs are expected; keep them out of the fuzzer's output.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
    // Removed at exit; kept apart from `scratch`, which is destroyed before this runs.
    static const auto* const removed_at_exit = new std::filesystem::path(path);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(*removed_at_exit, ignored);
    });
    return path;
  }();
  return scratch;
}

// Works in the scratch directory for its lifetime, then goes back, so that the fuzzer's own
// relative paths (corpus, artifacts) keep meaning what they meant.
class InScratchDirectory {
 public:
  InScratchDirectory() : previous_(open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (previous_ < 0 || chdir(scratch_directory().c_str()) != 0) std::abort();
  }
  ~InScratchDirectory() {
    if (fchdir(previous_) != 0) std::abort();
    close(previous_);
  }
  InScratchDirectory(const InScratchDirectory&) = delete;
  InScratchDirectory& operator=(const InScratchDirectory&) = delete;

 private:
  int previous_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
    const InScratchDirectory in_scratch;
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
