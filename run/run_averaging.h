#pragma once

// Run control: one straight run from the banner to the last key.

namespace tellmar {

constexpr const char* LIST_FILE_NAME = "files.in";
constexpr const char* REPORT_FILE_NAME = "file_check.txt";
constexpr const char* RESULT_FILE_NAME = "average_psd.txt";

/// Greets, waits for a key, loads every file named in "files.in", writes "file_check.txt" and
/// "average_psd.txt", waits for a last key. Returns the exit status: 1 after any error, else the
/// code of the last key (113 for q, 0 without a console).
[[nodiscard]] int run_averaging();

}  // namespace tellmar
