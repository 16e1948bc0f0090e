// The built program as users meet it: started without a console in a directory of small files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/exact_decimal.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace tellmar {
namespace {

const std::string BANNER =
    "\n\n   Tellmar,  ver 1.0,  by Veltroq \n"
    "\n\n   This program calculates the average of a number of PSD functions. \n"
    "\n   The names of the individual files must be in a file called files.in. \n"
    "\n   Each PSD file must have the same number of lines and the same \n   frequency step. \n"
    "\n\n   Press any key to continue.\n\n";
const std::string CLOSING =
    "\n\n Calculation complete. \n\n"
    "\n\n   Please open file_check.txt to check file status. \n"
    "\n   Each PSD file must have the same number of lines and the same \n   frequency step. \n"
    "\n   The output file is: average_psd.txt \n"
    "\n\n Press any key to exit.";
const std::string HEADER = "\r\n  Filename         df(Hz)   number of points \r\n\r\n";
const std::string ABSENT = "<absent>";

struct Scenario {
  const char* name;
  bool native_only;  // Wine reports no write error on /dev/full
  std::vector<std::pair<std::string, std::string>> files;
  std::vector<std::pair<std::string, std::string>> links;  // name -> target
  int status;
  std::string console;  // after the banner
  std::string report;
  std::string result;
};

const std::vector<Scenario>& scenarios() {
  static const std::vector<Scenario> all = {
      {"no list file", false, {}, {}, 1, " Failed to open file: files.in \n", ABSENT, ABSENT},
      {"empty list", false, {{"files.in", ""}}, {}, 0, CLOSING, HEADER, ""},
      {"two files",
       false,
       {{"files.in", "a.txt\nb.txt\n"},
        {"a.txt", "10 1\n20 2\n30 3\n"},
        {"b.txt", "10 3\r\n20 4\r\n30 5\r\n"}},
       {},
       0,
       CLOSING,
       HEADER + "   a.txt        10.000       3  \r\n   b.txt        10.000       3  \r\n",
       "           10            2 \r\n           20            3 \r\n"
       "           30            4 \r\n"},
      {"one file gives its own amplitudes",
       false,
       {{"files.in", "a.txt"}, {"a.txt", "1.5625 0.000025\n1234.5 0.78125\n12345 1e-300\n"}},
       {},
       0,
       CLOSING,
       HEADER + "   a.txt      6171.719       3  \r\n",
       "        1.563     2.5e-005 \r\n         1235       0.7813 \r\n"
       "   1.235e+004       1e-300 \r\n"},
      {"averages of zero and three-digit exponents",
       false,
       {{"files.in", "a.txt b.txt"},
        {"a.txt", "10 1\n20 2e-120\n30 4e+200\n"},
        {"b.txt", "10 -1\n20 0\n30 0\n"}},
       {},
       0,
       CLOSING,
       HEADER + "   a.txt        10.000       3  \r\n   b.txt        10.000       3  \r\n",
       "           10            0 \r\n           20       1e-120 \r\n"
       "           30       2e+200 \r\n"},
      {"a shorter file counts as zeros",
       false,
       {{"files.in", "a.txt b.txt"}, {"a.txt", "10 1\n20 2\n"}, {"b.txt", "10 3\n20 4\n0.005 4\n"}},
       {},
       0,
       CLOSING,
       HEADER + "   a.txt        10.000       2  \r\n   b.txt        -4.997       3  \r\n",
       "           10            2 \r\n           20            3 \r\n"
       "            0            2 \r\n"},
      {"frequencies within the tolerance",
       false,
       {{"files.in", "a.txt b.txt c.txt"},
        {"a.txt", "10 1\n20 1\n"},
        {"b.txt", "10.005 1\n20 1\n"},
        {"c.txt", "10.01 1\n20 1\n"}},
       {},
       0,
       CLOSING,
       HEADER + "   a.txt        10.000       2  \r\n   b.txt         9.995       2  \r\n"
                "   c.txt         9.990       2  \r\n",
       "           10            1 \r\n           20            1 \r\n"},
      {"a frequency off by 0.02",
       false,
       {{"files.in", "a.txt b.txt"},
        {"a.txt", "10 1\n20 2\n30 3\n"},
        {"b.txt", "10.02 1\n20 2\n30 3\n"}},
       {},
       1,
       " Frequency synchronization error \n",
       HEADER + "   a.txt        10.000       3  \r\n   b.txt         9.990       3  \r\n",
       ""},
      {"three points against four",
       false,
       {{"files.in", "a.txt b.txt"},
        {"a.txt", "10 1\n20 2\n30 3\n"},
        {"b.txt", "10 1\n20 2\n30 3\n40 4\n"}},
       {},
       1,
       " Frequency synchronization error \n",
       HEADER + "   a.txt        10.000       3  \r\n   b.txt        10.000       4  \r\n",
       ""},
      {"a file with no pair",
       false,
       {{"files.in", "a.txt"}, {"a.txt", "Freq PSD\n10 1\n"}},
       {},
       0,
       CLOSING,
       HEADER + "   a.txt        -1.#IO       0  \r\n",
       ""},
      {"a missing PSD file",
       false,
       {{"files.in", "a.txt\nmissing.txt\n"}, {"a.txt", "10 1\n"}},
       {},
       1,
       " Failed to open file: missing.txt \n",
       "",
       ""},
      {"a list file that is a folder",
       false,
       {},
       {{"files.in", "."}},
       1,
       " Failed to open file: files.in \n",
       ABSENT,
       ABSENT},
      {"a report that cannot be created",
       false,
       {{"files.in", ""}},
       {{"file_check.txt", "."}},
       1,
       " Failed to open file: file_check.txt \n",
       ".",
       ABSENT},
      {"a report on a full disk",
       true,
       {{"files.in", "a.txt"}, {"a.txt", "10 1\n"}},
       {{"file_check.txt", "/dev/full"}},
       1,
       " Failed to write file: file_check.txt \n",
       "/dev/full",
       ""},
      {"a result on a full disk",
       true,
       {{"files.in", "a.txt"}, {"a.txt", "10 1\n"}},
       {{"average_psd.txt", "/dev/full"}},
       1,
       " Failed to write file: average_psd.txt \n",
       HEADER + "   a.txt         0.000       1  \r\n",
       "/dev/full"},
  };
  return all;
}

// A symbolic link stands for itself in the expected files: its target's name.
std::string left_behind(const testing::TempDir& dir, const std::string& name) {
  const auto path = dir.path() / name;
  if (std::filesystem::is_symlink(path)) return std::filesystem::read_symlink(path).string();
  return dir.read(name);
}

TEST(EndToEnd, RunsWithoutAConsoleAndLeavesTheRightFiles) {
  for (const Scenario& s : scenarios()) {
    if (s.native_only && testing::through_runner()) continue;
    const testing::TempDir dir;
    for (const auto& [name, bytes] : s.files) dir.write(name, bytes);
    for (const auto& [name, target] : s.links) {
      std::filesystem::create_directory_symlink(target, dir.path() / name);
    }
    const testing::ProgramRun run = testing::run_program(dir.path());
    EXPECT_EQ(run.status, s.status) << s.name;
    EXPECT_EQ(run.output, BANNER + s.console) << s.name;
    EXPECT_EQ(left_behind(dir, "file_check.txt"), s.report) << s.name;
    EXPECT_EQ(left_behind(dir, "average_psd.txt"), s.result) << s.name;
  }
}

TEST(EndToEnd, IgnoresStandardInput) {
  const testing::TempDir dir;
  dir.write("files.in", "");
  dir.write("keys", "qqqq\n");
  const testing::ProgramRun run = testing::run_program(dir.path(), (dir.path() / "keys").string());
  EXPECT_EQ(run.status, 0);  // no console: no key, whatever standard input holds
  EXPECT_EQ(run.output, BANNER + CLOSING);
}

// The bundled example against averages computed here from the example files themselves.
TEST(EndToEnd, AveragesTheBundledExample) {
  const testing::TempDir dir;
  for (const auto& entry : std::filesystem::directory_iterator(TELLMAR_EXAMPLES)) {
    if (entry.path().extension() != ".py") {
      std::filesystem::copy_file(entry.path(), dir.path() / entry.path().filename());
    }
  }
  std::istringstream list(dir.read("files.in"));
  std::vector<std::string> names;
  for (std::string name; list >> name;) names.push_back(name);
  ASSERT_GE(names.size(), 2U);
  std::vector<double> frequencies;
  std::vector<double> sums;
  for (const std::string& name : names) {
    std::istringstream curve(dir.read(name));
    std::size_t p = 0;
    for (double frequency = 0, amplitude = 0; curve >> frequency >> amplitude; ++p) {
      if (p == sums.size()) {
        sums.push_back(0.0);
        frequencies.push_back(frequency);
      }
      sums[p] += amplitude;
    }
    ASSERT_EQ(p, sums.size()) << name;
  }
  std::string expected;
  for (std::size_t p = 0; p < sums.size(); ++p) {
    const double average = sums[p] / static_cast<double>(names.size());
    expected += " " + testing::reference_general(frequencies[p], 12, 4) + " " +
                testing::reference_general(average, 12, 4) + " \r\n";
  }
  const testing::ProgramRun run = testing::run_program(dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, BANNER + CLOSING);
  EXPECT_EQ(dir.read("average_psd.txt"), expected);
  std::string report = HEADER;
  for (const std::string& name : names) {
    report += "   " + name + "        10.000       " + std::to_string(sums.size()) + "  \r\n";
  }
  EXPECT_EQ(dir.read("file_check.txt"), report);
}

}  // namespace
}  // namespace tellmar
