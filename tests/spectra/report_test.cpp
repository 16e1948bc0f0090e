#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "spectra/spectrum_set.h"
#include "spectra/text_reader.h"
#include "support/console_capture.h"
#include "support/temp_dir.h"

namespace tellmar {
namespace {

constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

TEST(WriteStatusReport, WritesHeaderAndOneRowPerFileWithCrLf) {
  const testing::TempDir dir;
  dir.write("files.in", "a.txt\r\n  b.txt\tc.txt");
  auto set = std::make_unique<SpectrumSet>();
  set->file_count = 3;
  set->point_count = {3, 512, 0};
  set->frequency_step[0] = 10;
  set->frequency_step[1] = 0.0625;
  set->frequency_step[2] = NOT_A_NUMBER;
  const FilePointer list(std::fopen((dir.path() / "files.in").c_str(), "rb"));
  std::FILE* report = std::fopen((dir.path() / "file_check.txt").c_str(), "wb");
  const auto ending = testing::run_step([&] { write_status_report(list.get(), report, *set); });
  EXPECT_EQ(ending.status, -1);
  EXPECT_EQ(ending.console, "");
  EXPECT_EQ(dir.read("file_check.txt"),
            "\r\n  Filename         df(Hz)   number of points \r\n\r\n"
            "   a.txt        10.000       3  \r\n"
            "   b.txt         0.063       512  \r\n"
            "   c.txt        -1.#IO       0  \r\n");
}

// The literal definition: every pair of files at every index.
bool pairwise_in_sync(const SpectrumSet& set) {
  for (std::size_t p = 0; p < static_cast<std::size_t>(set.max_point_count); ++p) {
    for (std::size_t a = 0; a + 1 < static_cast<std::size_t>(set.file_count); ++a) {
      for (std::size_t b = a + 1; b < static_cast<std::size_t>(set.file_count); ++b) {
        if (std::fabs(set.frequency[a][p] - set.frequency[b][p]) > FREQUENCY_TOLERANCE) {
          return false;
        }
      }
    }
  }
  return true;
}

bool in_sync(const SpectrumSet& set) {
  const auto ending = testing::run_step([&] { check_frequency_sync(set); });
  if (ending.status == -1) {
    EXPECT_EQ(ending.console, "");
    return true;
  }
  EXPECT_EQ(ending.status, 1);
  EXPECT_EQ(ending.console, " Frequency synchronization error \n");
  return false;
}

TEST(CheckFrequencySync, FailsOnlyOnADifferenceAboveTheTolerance) {
  struct Row {
    std::vector<std::vector<double>> files;
    bool passes;
  };
  const std::vector<Row> rows = {
      {{{10, 20, 30}, {10.005, 20, 30}}, true},
      {{{10, 20, 30}, {10.02, 20, 30}}, false},
      {{{10}, {10.01}}, true},  // the double difference is 0.009999999999999787
      {{{10}, {10.010000000000002}}, false},
      {{{10, 20, 30}, {10, 20, 30, 40}}, false},  // index 3 holds 0.0 in the shorter file
      {{{10, 20, 30}, {10, 20, 30, 0.01}}, true},
      {{{10, 20, 30}}, true},
      {{}, true},
      {{{10}, {10}, {10.011}}, false},  // the first two agree, the third does not
      {{{10.005}, {10}, {10.01}}, true},
      {{{NOT_A_NUMBER}, {10}}, true},  // NaN > tolerance is false
      {{{INF}, {INF}}, true},          // inf - inf is NaN
      {{{INF}, {10}}, false},
      {{{-INF}, {INF}}, false},
      {{{1e308}, {-1e308}}, false},  // overflows to infinity
  };
  for (const Row& r : rows) {
    auto set = std::make_unique<SpectrumSet>();
    set->file_count = static_cast<int>(r.files.size());
    for (std::size_t f = 0; f < r.files.size(); ++f) {
      const auto points = static_cast<int>(r.files[f].size());
      set->point_count[f] = points;
      set->max_point_count = std::max(set->max_point_count, points);
      for (std::size_t p = 0; p < r.files[f].size(); ++p) set->frequency[f][p] = r.files[f][p];
    }
    EXPECT_EQ(in_sync(*set), r.passes) << "row " << (&r - rows.data());
  }
}

// The check keeps only the lowest and highest frequency per index: on random sets, with
// near-tolerance differences, NaNs, infinities and short files, it agrees with every pair.
TEST(CheckFrequencySync, AgreesWithThePairwiseDefinition) {
  std::mt19937_64 random(11);
  const double specials[] = {INF, -INF, NOT_A_NUMBER, 0.0, -0.0, 1e308, -1e308};
  const double offsets[] = {0.0, 0.01, -0.01, 0.0099999999, 0.0100000001, 0.005, 1e-17};
  auto set = std::make_unique<SpectrumSet>();
  for (int trial = 0; trial < 3000; ++trial) {
    for (std::size_t f = 0; f < 6; ++f) {  // all that a trial touches
      set->frequency[f].fill(0.0);
      set->point_count[f] = 0;
    }
    set->max_point_count = 0;
    set->file_count = static_cast<int>(random() % 6);
    const int points = 1 + static_cast<int>(random() % 4);
    for (std::size_t f = 0; f < static_cast<std::size_t>(set->file_count); ++f) {
      const int count = random() % 4 == 0
                            ? static_cast<int>(random() % static_cast<std::uint64_t>(points + 1))
                            : points;
      set->point_count[f] = count;
      set->max_point_count = std::max(set->max_point_count, count);
      for (std::size_t p = 0; p < static_cast<std::size_t>(count); ++p) {
        double value = 10.0 * static_cast<double>(p + 1) + offsets[random() % 7];
        if (random() % 10 == 0) value = specials[random() % 7];
        set->frequency[f][p] = value;
      }
    }
    ASSERT_EQ(in_sync(*set), pairwise_in_sync(*set)) << "trial " << trial;
  }
}

}  // namespace
}  // namespace tellmar
