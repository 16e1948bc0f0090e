#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "spectra/spectrum_set.h"
#include "spectra/text_reader.h"
#include "support/console_capture.h"
#include "support/temp_dir.h"

namespace tellmar {
namespace {

using Files = std::vector<std::pair<std::string, std::string>>;

// Loads `files` (with their "files.in") in a fresh directory, as the run does.
class LoadSpectra : public ::testing::Test {
 protected:
  void load(const Files& files) {
    for (const auto& [name, bytes] : files) dir->write(name, bytes);
    const testing::WorkingDirectory inside(dir->path());
    const FilePointer list(std::fopen("files.in", "rb"));
    ASSERT_TRUE(list);
    load_spectra(list.get(), *set);
  }

  // Loads and expects the run to end: returns what it wrote to the console.
  std::string load_failing(const Files& files) {
    const testing::Ending ending = testing::run_step([&] { load(files); });
    EXPECT_EQ(ending.status, 1);
    return ending.console;
  }

  std::unique_ptr<testing::TempDir> dir = std::make_unique<testing::TempDir>();
  std::unique_ptr<SpectrumSet> set = std::make_unique<SpectrumSet>();
};

struct Pair {
  double frequency;
  double amplitude;
};

TEST_F(LoadSpectra, ReadsPairsAsTheScannerDefinesThem) {
  struct Row {
    std::string content;
    std::vector<Pair> pairs;
  };
  const std::vector<Row> rows = {
      {"10 1\n20 2\n30 3\n", {{10, 1}, {20, 2}, {30, 3}}},
      {"10 1\r\n20 2\r\n30 3\r\n", {{10, 1}, {20, 2}, {30, 3}}},
      {"10 1 20 2", {{10, 1}, {20, 2}}},
      {"10 1\n20", {{10, 1}, {20, 0}}},  // end of file after a frequency
      {"10 1\n20\n", {{10, 1}, {20, 0}}},
      {"Freq PSD\n10 1\n20 2\n", {}},        // a header ends the data at once
      {"10,1\n20,2\n", {{10, 0}}},           // the comma ends the data
      {"10 -\n20 2\n", {{10, 0}, {20, 2}}},  // a bare sign is used up
      {"10 +-5 3", {{10, 0}, {-5, 3}}},
      {"10 .\n20 2\n", {{10, 0}, {20, 2}}},
      {"10 -.\n20 2\n", {{10, 0}, {20, 2}}},
      {"10 x\n20 2\n", {{10, 0}}},  // any other word ends it
      {".5 5.\n1e3 1e\n", {{0.5, 5}, {1000, 1}}},
      {"\t\v\f 10\t\t1 \r\n", {{10, 1}}},
      {"10 1\n\n\n   \n20 2\n", {{10, 1}, {20, 2}}},
      {"10 1e999\n20 1e-999\n", {{10, HUGE_VAL}, {20, 0}}},
      {"", {}},
      {std::string("10 1\n\0 20 2", 11), {{10, 1}}},  // a NUL byte is no number
  };
  for (const Row& r : rows) {
    set = std::make_unique<SpectrumSet>();
    dir = std::make_unique<testing::TempDir>();
    load({{"files.in", "a.txt\n"}, {"a.txt", r.content}});
    ASSERT_EQ(set->file_count, 1) << r.content;
    ASSERT_EQ(set->point_count[0], static_cast<int>(r.pairs.size())) << r.content;
    for (std::size_t p = 0; p < r.pairs.size(); ++p) {
      EXPECT_EQ(set->frequency[0][p], r.pairs[p].frequency) << r.content << " point " << p;
      EXPECT_EQ(set->amplitude[0][p], r.pairs[p].amplitude) << r.content << " point " << p;
    }
    EXPECT_EQ(set->frequency[0][r.pairs.size()], 0.0) << r.content;
  }
}

TEST_F(LoadSpectra, RecordsStepsAndTheLargestPointCount) {
  load({{"files.in", "a.txt b.txt\tc.txt\r\nd.txt"},
        {"a.txt", "10 1\n20 2\n30 3\n"},
        {"b.txt", "0 0\n0.0625 0\n0.125 0\n0.1875 0\n0.25 0\n"},
        {"c.txt", "7 1\n"},
        {"d.txt", "Freq\n"}});
  ASSERT_EQ(set->file_count, 4);
  EXPECT_EQ(set->max_point_count, 5);
  EXPECT_EQ(set->point_count[0], 3);
  EXPECT_EQ(set->frequency_step[0], 10.0);  // (30 - 10) / (3 - 1)
  EXPECT_EQ(set->frequency_step[1], 0.0625);
  EXPECT_EQ(set->frequency_step[2], 0.0);  // one point: no step
  EXPECT_TRUE(std::isnan(set->frequency_step[3]));
  EXPECT_EQ(set->frequency[0][3], 0.0);  // the shorter row keeps zeros
  EXPECT_EQ(set->amplitude[0][4], 0.0);
}

// Numbers of every length cross the file's block boundaries somewhere in here, and one number
// is longer than a whole block.
TEST_F(LoadSpectra, NumbersReadTheSameAcrossBlocks) {
  std::string curve = "0.25 1" + std::string(70'000, '0') + "e-70000\n";
  for (int p = 1; p < MAX_POINTS; ++p) {
    const std::string zeros(static_cast<std::size_t>(p % 37), '0');
    curve.append(std::to_string(p)).append(".25").append(zeros);
    curve.append(" 2.5").append(zeros).append("e-3\n");
  }
  load({{"files.in", "a.txt"}, {"a.txt", curve}});
  ASSERT_EQ(set->point_count[0], MAX_POINTS);
  EXPECT_EQ(set->amplitude[0][0], 1.0);
  for (std::size_t p = 1; p < MAX_POINTS; ++p) {
    ASSERT_EQ(set->frequency[0][p], static_cast<double>(p) + 0.25) << p;
    ASSERT_EQ(set->amplitude[0][p], 0.0025) << p;
  }
}

TEST_F(LoadSpectra, AnEmptyListLoadsNothing) {
  load({{"files.in", " \r\n\t\n"}});
  EXPECT_EQ(set->file_count, 0);
  EXPECT_EQ(set->max_point_count, 0);
}

TEST_F(LoadSpectra, TakesFullCapacity) {
  std::string list;
  std::string curve;
  for (int p = 0; p < MAX_POINTS; ++p) curve += std::to_string(p) + " 1\n";
  Files files;
  for (int f = 0; f < MAX_FILES; ++f) {
    const std::string name = "psd" + std::to_string(f) + ".txt";
    list += name + "\n";
    files.emplace_back(name, curve);
  }
  files.emplace_back("files.in", list);
  load(files);
  EXPECT_EQ(set->file_count, MAX_FILES);
  EXPECT_EQ(set->max_point_count, MAX_POINTS);
  EXPECT_EQ(set->frequency[MAX_FILES - 1][MAX_POINTS - 1], MAX_POINTS - 1);
}

TEST_F(LoadSpectra, FailuresEndTheRunWithOneMessage) {
  std::string too_many_names;
  for (int f = 0; f <= MAX_FILES; ++f) too_many_names += "a.txt\n";
  std::string too_many_points;
  for (int p = 0; p <= MAX_POINTS; ++p) too_many_points += "1 1\n";
  const std::string endless_name(100'000, 'n');
  struct Row {
    Files files;
    std::string console;
  };
  const std::vector<Row> rows = {
      {{{"files.in", "a.txt\nmissing.txt\n"}, {"a.txt", "1 1\n"}},
       " Failed to open file: missing.txt \n"},
      {{{"files.in", "folder\n"}}, " Failed to open file: folder \n"},
      {{{"files.in", too_many_names}, {"a.txt", "1 1\n"}},
       " Too many files listed in files.in (at most 400) \n"},
      {{{"files.in", "abcdefghijklmnopqrstuvwxy\n"}},  // 25 characters
       " File name too long: abcdefghijklmnopqrstuvwxy (at most 24 characters) \n"},
      {{{"files.in", endless_name}},
       " File name too long: " + endless_name.substr(0, 256) + "... (at most 24 characters) \n"},
      {{{"files.in", "a.txt\n"}, {"a.txt", too_many_points}},
       " Too many points in file: a.txt (at most 2000) \n"},
  };
  for (const Row& r : rows) {
    dir = std::make_unique<testing::TempDir>();
    std::filesystem::create_directory(dir->path() / "folder");
    EXPECT_EQ(load_failing(r.files), r.console);
  }
}

TEST_F(LoadSpectra, LimitsThemselvesAreAccepted) {
  std::string list;
  for (int f = 0; f < MAX_FILES; ++f) list += "abcdefghijklmnopqrstuvwx\n";  // 24 characters
  std::string curve;
  for (int p = 0; p < MAX_POINTS; ++p) curve += "1 1\n";
  load({{"files.in", list}, {"abcdefghijklmnopqrstuvwx", curve + "\n  \n"}});
  EXPECT_EQ(set->file_count, MAX_FILES);
  EXPECT_EQ(set->point_count[MAX_FILES - 1], MAX_POINTS);
}

}  // namespace
}  // namespace tellmar
