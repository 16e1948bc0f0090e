// Whatever arrives, the program does its job or ends with one message and status 1, within
// its fixed memory: huge lists, binary files, devices, names that are not plain ASCII.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/exact_decimal.h"
#include "support/program_run.h"
#include "support/temp_dir.h"

namespace tellmar {
namespace {

const std::string HEADER = "\r\n  Filename         df(Hz)   number of points \r\n\r\n";
const std::string COMPLETE = "\n\n Calculation complete. \n\n";

// The fixed set is 12.8 MB; the rest is the program and its libraries. Sanitizers need far more.
#ifdef TELLMAR_SANITIZED
constexpr long MEMORY_LIMIT_KIB = 1024L * 1024;
#else
constexpr long MEMORY_LIMIT_KIB = 20L * 1024;
#endif

TEST(HostileInput, FullCapacityLoadsAndAverages) {
  const testing::TempDir dir;
  std::string list;
  std::string report = HEADER;
  for (int f = 0; f < 400; ++f) {
    std::string curve;
    for (int p = 0; p < 2000; ++p) {
      curve += std::to_string(10 + 0.5 * p) + " " + std::to_string(f % 4 + 1) + "\n";
    }
    const std::string name = "psd" + std::to_string(f) + ".txt";
    dir.write(name, curve);
    list += name + "\n";
    report += "   " + name + "         0.500       2000  \r\n";
  }
  dir.write("files.in", list);
  std::string result;
  for (int p = 0; p < 2000; ++p) {
    result += " " + testing::reference_general(10 + 0.5 * p, 12, 4) + "          2.5 \r\n";
  }
  const testing::ProgramRun run = testing::run_program(dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(dir.read("file_check.txt"), report);
  EXPECT_EQ(dir.read("average_psd.txt"), result);
  if (!testing::through_runner()) {
    EXPECT_LE(run.peak_kib, MEMORY_LIMIT_KIB);
  }
}

// Large contents are made as they are written, so that the test process is small when it
// starts the program: a child's peak memory counts what it shared with its parent before exec.
std::string expand(const std::string& content) {
  if (content == "<huge name>") return std::string(32 << 20, 'x');  // more than the limit
  if (content == "<blank>") {
    std::string blank;
    for (int i = 0; i < (2 << 20); ++i) blank += " \t\r\n";
    return blank;
  }
  if (content == "<binary>") {
    std::string binary = "10 1\n";
    for (int byte = 0; byte < 256 * 64; ++byte) binary += static_cast<char>(byte * 7 % 256);
    return binary;
  }
  return content;
}

TEST(HostileInput, EndsCleanlyWithinTheFixedMemory) {
  const std::string name_start(256, 'x');
  struct Row {
    const char* name;
    bool native_only;  // device paths and byte names mean something else on Windows
    std::vector<std::pair<std::string, std::string>> files;
    int status;
    std::string console_end;
    std::string report;
    std::string result;
  };
  const std::vector<Row> rows = {
      {"a list that is one enormous token",
       false,
       {{"files.in", "<huge name>"}},
       1,
       " File name too long: " + name_start + "... (at most 24 characters) \n",
       "",
       ""},
      {"a list of megabytes of white space", false, {{"files.in", "<blank>"}}, 0, "", HEADER, ""},
      {"a PSD file of binary bytes",
       false,
       {{"files.in", "bin.dat"}, {"bin.dat", "<binary>"}},
       0,
       "",
       HEADER + "   bin.dat         0.000       1  \r\n",
       "           10            1 \r\n"},
      {"NUL bytes in a PSD file",
       false,
       {{"files.in", "zeros.txt"}, {"zeros.txt", std::string("10 1\n\0\0 20 2\n", 13)}},
       0,
       "",
       HEADER + "   zeros.txt         0.000       1  \r\n",
       "           10            1 \r\n"},
      {"devices as PSD files",
       true,
       {{"files.in", "/dev/zero /dev/null"}},
       0,
       "",
       HEADER + "   /dev/zero        -1.#IO       0  \r\n   /dev/null        -1.#IO       0  \r\n",
       ""},
      {"a folder as a PSD file",
       false,
       {{"files.in", "folder"}},
       1,
       " Failed to open file: folder \n",
       "",
       ""},
      {"names that are not ASCII",
       true,
       {{"files.in", "sp\xc3\xa4\xc3\x9f.txt \xe9t\xe9.txt"},
        {"sp\xc3\xa4\xc3\x9f.txt", "10 1\n"},
        {"\xe9t\xe9.txt", "10 3\n"}},
       0,
       "",
       HEADER + "   sp\xc3\xa4\xc3\x9f.txt         0.000       1  \r\n" +
           "   \xe9t\xe9.txt         0.000       1  \r\n",
       "           10            2 \r\n"},
  };
  for (const Row& r : rows) {
    if (r.native_only && testing::through_runner()) continue;
    const testing::TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder");
    for (const auto& [name, content] : r.files) dir.write(name, expand(content));
    const testing::ProgramRun run = testing::run_program(dir.path());
    EXPECT_EQ(run.status, r.status) << r.name;
    if (r.status == 0) {
      EXPECT_NE(run.output.find(COMPLETE), std::string::npos) << r.name;
    } else {
      EXPECT_TRUE(run.output.ends_with(r.console_end)) << r.name;
    }
    EXPECT_EQ(dir.read("file_check.txt"), r.report) << r.name;
    EXPECT_EQ(dir.read("average_psd.txt"), r.result) << r.name;
    if (!testing::through_runner()) {
      EXPECT_LE(run.peak_kib, MEMORY_LIMIT_KIB) << r.name;
    }
  }
}

}  // namespace
}  // namespace tellmar
