#include "run/run_averaging.h"

#include <cstdio>
#include <string>

#include "run/console.h"
#include "spectra/spectrum_set.h"
#include "spectra/text_reader.h"

namespace tellmar {
namespace {

SpectrumSet spectrum_set;  // the run's one set: static, so zero before the run starts

constexpr const char* FILE_RULE =
    "\n   Each PSD file must have the same number of lines and the same \n   frequency step. \n";

// Binary, so the names come through byte for byte. A directory opens on some systems and only
// fails on reading: try one byte, so that nothing is created for a list that cannot be read.
FilePointer open_list_file() {
  FilePointer list(std::fopen(LIST_FILE_NAME, "rb"));
  if (!list) fail_to_open(LIST_FILE_NAME);
  const int first = std::fgetc(list.get());
  if (first == EOF && std::ferror(list.get()) != 0) fail_to_open(LIST_FILE_NAME);
  std::rewind(list.get());
  return list;
}

// Binary as well: the writers put CR LF themselves, so no platform doubles or drops the CR.
FilePointer create_output_file(const char* name) {
  FilePointer file(std::fopen(name, "wb"));
  if (!file) fail_to_open(name);
  return file;
}

int run_stages() {
  spectrum_set.average_amplitude.fill(0.0);
  write_console("\n\n   Tellmar,  ver 1.0,  by Veltroq \n");
  write_console("\n\n   This program calculates the average of a number of PSD functions. \n");
  write_console("\n   The names of the individual files must be in a file called files.in. \n");
  write_console(FILE_RULE);
  write_console("\n\n   Press any key to continue.\n\n");
  (void)read_key();

  const FilePointer list = open_list_file();
  FilePointer report = create_output_file(REPORT_FILE_NAME);
  const FilePointer result = create_output_file(RESULT_FILE_NAME);

  load_spectra(list.get(), spectrum_set);
  std::rewind(list.get());
  write_status_report(list.get(), report.release(), spectrum_set);
  check_frequency_sync(spectrum_set);
  sum_amplitudes(spectrum_set);
  write_average(spectrum_set, result.get());

  write_console("\n\n Calculation complete. \n\n");
  write_console(std::string("\n\n   Please open ") + REPORT_FILE_NAME +
                " to check file status. \n");
  write_console(FILE_RULE);
  write_console(std::string("\n   The output file is: ") + RESULT_FILE_NAME + " \n");
  write_console("\n\n Press any key to exit.");
  return read_key();
}

}  // namespace

int run_averaging() {
  try {
    return run_stages();
  } catch (const RunEnded& ended) {
    // Unwinding closed every file the run held; what was written stays.
    return ended.status;
  }
}

}  // namespace tellmar
