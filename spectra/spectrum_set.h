#pragma once

// Spectrum averaging: the one set of curves a run works on, and everything computed from it.

#include <array>
#include <cstdint>
#include <cstdio>

namespace tellmar {

constexpr int MAX_FILES = 400;                // PSD files per run
constexpr int MAX_POINTS = 2000;              // pairs per PSD file
constexpr int MAX_NAME_LENGTH = 24;           // characters in one name of the list file
constexpr double FREQUENCY_TOLERANCE = 0.01;  // Hz; a larger difference at one index fails

/// Fixed capacity, zero-filled before the run. Row f belongs to the f-th listed name; cells past
/// a file's `point_count` stay 0.0 and take part in the check and the averages as 0.0.
struct SpectrumSet {
  std::array<std::array<double, MAX_POINTS>, MAX_FILES> frequency;
  std::array<std::array<double, MAX_POINTS>, MAX_FILES> amplitude;
  std::array<std::int32_t, MAX_FILES> point_count;
  std::array<double, MAX_FILES> frequency_step;
  std::int32_t file_count;
  std::int32_t max_point_count;
  std::array<double, MAX_POINTS> average_amplitude;  // running sums, then averages
};

/// Reads every name of `list_file` (white-space separated) and the pairs of that PSD file into
/// `set`. Steps: (last - first) / (points - 1); 0 for one point; not a number for none.
/// Ends the run with a message on a file that cannot be opened or read, a 401st name, a name
/// over 24 characters or a 2001st pair. Leaves `list_file` at its end.
void load_spectra(std::FILE* list_file, SpectrumSet& set);

/// Writes the header and one row per loaded file to `report_file`, taking the names from
/// `list_file` (rewound), and closes `report_file`. Line breaks are CR LF.
/// Row for a.txt at 10, 20, 30 Hz: "   a.txt        10.000       3  ".
/// Ends the run with a message when the report cannot be written.
void write_status_report(std::FILE* list_file, std::FILE* report_file, const SpectrumSet& set);

/// Returns when, at every point index, no two files' frequencies differ by more than
/// `FREQUENCY_TOLERANCE`; otherwise ends the run with a message.
void check_frequency_sync(const SpectrumSet& set);

/// Adds up each point index's amplitudes over all files, in list order, into
/// `average_amplitude`.
void sum_amplitudes(SpectrumSet& set);

/// Divides each sum by the number of files and writes one line per point to `result_file`:
/// first file's frequency and the average, as " %12.4g %12.4g " and CR LF.
/// Frequency 10, average 2 -> "           10            2 ".
/// Ends the run with a message when the result cannot be written.
void write_average(SpectrumSet& set, std::FILE* result_file);

}  // namespace tellmar
