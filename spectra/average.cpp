#include <string>

#include "run/run_averaging.h"
#include "spectra/spectrum_set.h"
#include "spectra/text_reader.h"
#include "text/formatted_numbers.h"

namespace tellmar {

void sum_amplitudes(SpectrumSet& set) {
  const auto points = static_cast<std::size_t>(set.max_point_count);
  for (std::size_t f = 0; f < static_cast<std::size_t>(set.file_count); ++f) {
    const auto& row = set.amplitude[f];
    for (std::size_t p = 0; p < points; ++p) set.average_amplitude[p] += row[p];
  }
}

void write_average(SpectrumSet& set, std::FILE* result_file) {
  const auto points = static_cast<std::size_t>(set.max_point_count);
  const auto files = static_cast<double>(set.file_count);
  bool written = true;
  std::string line;
  for (std::size_t p = 0; p < points; ++p) {
    set.average_amplitude[p] /= files;  // every loaded file counts, reaching p or not
    line = ' ';
    line += format_general(set.frequency[0][p], 12, 4);
    line += ' ';
    line += format_general(set.average_amplitude[p], 12, 4);
    line += " \r\n";
    written = written && std::fwrite(line.data(), 1, line.size(), result_file) == line.size();
  }
  written = written && std::fflush(result_file) == 0;
  if (!written) fail_to_write(RESULT_FILE_NAME);
}

}  // namespace tellmar
