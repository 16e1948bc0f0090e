#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "spectra/spectrum_set.h"
#include "support/console_capture.h"
#include "support/temp_dir.h"

namespace tellmar {
namespace {

// Sums in list order, divides by the number of files, and writes the first file's frequencies.
TEST(Averaging, DividesEverySumByTheFileCount) {
  auto set = std::make_unique<SpectrumSet>();
  set->file_count = 3;
  set->max_point_count = 3;
  set->point_count = {3, 3, 2};
  set->frequency[0] = {10, 20, 30};
  set->frequency[1] = {10.004, 20.004, 30.004};
  set->frequency[2] = {10, 20};
  set->amplitude[0] = {1, 2, 3e-7};
  set->amplitude[1] = {3, 4, 6e-7};
  set->amplitude[2] = {5, 0.5};
  const testing::TempDir dir;
  const auto path = dir.path() / "average_psd.txt";
  std::FILE* result = std::fopen(path.c_str(), "wb");
  const auto ending = testing::run_step([&] {
    sum_amplitudes(*set);
    write_average(*set, result);
  });
  std::fclose(result);
  EXPECT_EQ(ending.status, -1);
  EXPECT_EQ(testing::read_file(path),
            "           10            3 \r\n"
            "           20        2.167 \r\n"  // (2 + 4 + 0.5) / 3
            "           30       3e-007 \r\n");
  EXPECT_EQ(set->average_amplitude[2], (3e-7 + 6e-7) / 3);  // the missing point adds 0.0
}

}  // namespace
}  // namespace tellmar
