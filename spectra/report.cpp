#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "run/console.h"
#include "run/run_averaging.h"
#include "spectra/spectrum_set.h"
#include "spectra/text_reader.h"
#include "text/formatted_numbers.h"

namespace tellmar {

void write_status_report(std::FILE* list_file, std::FILE* report_file, const SpectrumSet& set) {
  std::string text = "\r\n  Filename         df(Hz)   number of points \r\n\r\n";
  TextReader list(list_file);
  Name name;
  for (std::size_t f = 0; f < static_cast<std::size_t>(set.file_count); ++f) {
    read_name(list, name);  // the list loading read: the same names in the same order
    text += "   ";
    text += name.text;
    text += "      ";
    text += format_fixed(set.frequency_step[f], 8, 3);
    text += "       ";
    text += std::to_string(set.point_count[f]);
    text += "  \r\n";
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), report_file) == text.size();
  const bool closed = std::fclose(report_file) == 0;
  if (!written || !closed) fail_to_write(REPORT_FILE_NAME);
}

// The verdict depends only on whether some pair of files differs by more than the tolerance at
// some index. Subtraction rounds monotonically, so at one index the largest rounded difference
// of any pair is the rounded difference of the highest and the lowest frequency there: one pass
// keeping both gives the pairwise verdict in files x points instead of files^2 x points.
// Not-a-number never fails a comparison (NaN > tolerance is false), and std::min / std::max with
// NaN as the second argument keep the first, so NaNs drop out as they should. Two equal
// infinities differ by NaN and pass; an infinity against anything else fails, pairwise or not.
void check_frequency_sync(const SpectrumSet& set) {
  const auto points = static_cast<std::size_t>(set.max_point_count);
  std::array<double, MAX_POINTS> lowest;
  std::array<double, MAX_POINTS> highest;
  lowest.fill(std::numeric_limits<double>::infinity());
  highest.fill(-std::numeric_limits<double>::infinity());
  for (std::size_t f = 0; f < static_cast<std::size_t>(set.file_count); ++f) {
    const auto& row = set.frequency[f];
    for (std::size_t p = 0; p < points; ++p) {
      lowest[p] = std::min(lowest[p], row[p]);
      highest[p] = std::max(highest[p], row[p]);
    }
  }
  // An index no file reached keeps -inf - +inf = -inf, which passes.
  for (std::size_t p = 0; p < points; ++p) {
    if (highest[p] - lowest[p] > FREQUENCY_TOLERANCE) {
      fail_run(" Frequency synchronization error \n");
    }
  }
}

}  // namespace tellmar
