#include <cstdio>
#include <limits>
#include <string>

#include "run/console.h"
#include "run/run_averaging.h"
#include "spectra/number_scan.h"
#include "spectra/spectrum_set.h"
#include "spectra/text_reader.h"

namespace tellmar {
namespace {

// Pairs until the first frequency that does not scan. A failed amplitude still makes a point
// (its cell stays 0.0), and whatever the failed scan used up stays used: "10 - 20 2" is
// (10, 0) then (20, 2).
void load_file(const std::string& name, int f, SpectrumSet& set) {
  // A name with a NUL byte cannot be a path; cut short, it would open another file.
  if (name.find('\0') != std::string::npos) fail_to_open(name);
  const FilePointer file(std::fopen(name.c_str(), "rb"));
  if (!file) fail_to_open(name);

  TextReader in(file.get());
  auto& frequency = set.frequency[static_cast<std::size_t>(f)];
  auto& amplitude = set.amplitude[static_cast<std::size_t>(f)];
  std::size_t points = 0;
  for (;;) {
    in.skip_space();
    const ScanResult first = scan_number(in);
    if (!first.read) break;
    if (points == MAX_POINTS) {
      fail_run(" Too many points in file: " + name + " (at most " + std::to_string(MAX_POINTS) +
               ") \n");
    }
    frequency[points] = first.value;
    in.skip_space();
    const ScanResult second = scan_number(in);
    if (second.read) amplitude[points] = second.value;
    ++points;
  }
  if (in.failed()) fail_to_open(name);

  const auto count = static_cast<std::int32_t>(points);
  set.point_count[static_cast<std::size_t>(f)] = count;
  double step = std::numeric_limits<double>::quiet_NaN();  // no pair: no step
  if (points == 1) step = 0.0;
  if (points >= 2) step = (frequency[points - 1] - frequency[0]) / static_cast<double>(count - 1);
  set.frequency_step[static_cast<std::size_t>(f)] = step;
  if (count > set.max_point_count) set.max_point_count = count;
}

}  // namespace

void load_spectra(std::FILE* list_file, SpectrumSet& set) {
  TextReader list(list_file);
  Name name;
  int f = 0;
  while (read_name(list, name)) {
    if (f == MAX_FILES) {
      fail_run(std::string(" Too many files listed in ") + LIST_FILE_NAME + " (at most " +
               std::to_string(MAX_FILES) + ") \n");
    }
    if (name.length > MAX_NAME_LENGTH) {
      // Only a name too long to be a path is ever cut, and then visibly.
      const char* cut = name.length > name.text.size() ? "..." : "";
      fail_run(" File name too long: " + name.text + cut + " (at most " +
               std::to_string(MAX_NAME_LENGTH) + " characters) \n");
    }
    load_file(name.text, f, set);
    ++f;
  }
  if (list.failed()) fail_to_open(LIST_FILE_NAME);
  set.file_count = f;
}

}  // namespace tellmar
