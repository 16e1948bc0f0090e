#include "spectra/number_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace tellmar {
namespace {

constexpr double INF = std::numeric_limits<double>::infinity();

struct Row {
  const char* text;
  bool read;
  double value;
  int consumed;
};

TEST(ScanNumber, TakesTheLongestNumberAndLeavesTheRest) {
  const Row rows[] = {
      // clang-format off
      {"10",                        true,   10,                       2},
      {"-2.5e3 x",                  true,   -2500,                    6},
      {"+7",                        true,   7,                        2},
      {".5",                        true,   0.5,                      2},
      {"5.",                        true,   5,                        2},
      {"5.e1",                      true,   50,                       4},  // the marker comes after a digit
      {"1e3",                       true,   1000,                     3},
      {"1E-2",                      true,   0.01,                     4},
      {"1e",                        true,   1,                        2},  // a marker without digits is taken in and ignored
      {"1e+",                       true,   1,                        3},
      {"1e-x",                      true,   1,                        3},
      {"12abc",                     true,   12,                       2},
      {"0x10",                      true,   0,                        1},
      {"10,5",                      true,   10,                       2},
      {"1.2.3",                     true,   1.2,                      3},
      {"007",                       true,   7,                        3},
      {"0.000",                     true,   0,                        5},
      {"-0",                        true,   -0.0,                     2},
      {"1\r\n",                     true,   1,                        1},
      {"-",                         false,  0,                        1},  // a bare sign is used up
      {"+",                         false,  0,                        1},
      {".",                         false,  0,                        1},
      {"-.",                        false,  0,                        2},
      {"-.x",                       false,  0,                        2},
      {"+-5",                       false,  0,                        1},  // the second sign stops the first scan
      {"..5",                       false,  0,                        1},
      {"e5",                        false,  0,                        0},
      {"inf",                       false,  0,                        0},  // no words
      {"nan",                       false,  0,                        0},
      {"-inf",                      false,  0,                        1},
      {"",                          false,  0,                        0},
      {" 1",                        false,  0,                        0},  // white space is the caller's to skip
      {"1e400",                     true,   INF,                      5},  // past the range: infinity, no error
      {"-1e400",                    true,   -INF,                     6},
      {"1e-400",                    true,   0,                        6},  // below the range: zero
      {"4.9406564584124654e-324",   true,   4.9406564584124654e-324,  23},  // smallest subnormal
      {"2.4703282292062328e-324",   true,   4.9406564584124654e-324,  23},  // just above half of it
      {"2.4703282292062327e-324",   true,   0,                        23},  // just below half of it
      {"1.7976931348623158e308",    true,   1.7976931348623157e308,   22},  // rounds down to the max
      {"1.7976931348623159e308",    true,   INF,                      22},
      {"9007199254740993",          true,   9007199254740992.0,       16},  // 2^53 + 1: a tie to even
      {"0.1e99999999999999999999",  true,   INF,                      24},  // a huge exponent saturates
      {"1e-99999999999999999999",   true,   0,                        23},
      // clang-format on
  };
  for (const Row& r : rows) {
    const ScanResult result = scan_number(r.text);
    EXPECT_EQ(result.read, r.read) << r.text;
    EXPECT_EQ(result.consumed, static_cast<std::uint64_t>(r.consumed)) << r.text;
    if (r.read) {
      EXPECT_EQ(result.value, r.value) << r.text;
      EXPECT_EQ(std::signbit(result.value), std::signbit(r.value)) << r.text;
    }
  }
}

TEST(ScanNumber, LongTextsRoundExactly) {
  // 2^-1 + 2^-54 + 2^-200: just above the halfway point between 0.5 and its successor, a fact
  // that only the digits far past the 17th tell.
  const std::string above_half_digits =
      "0.500000000000000055511151231257827021181583404541015625" + std::string(600, '0') + "1";
  EXPECT_EQ(scan_number(above_half_digits).value, std::nextafter(0.5, 1.0));
  const std::string exact_half = "0.500000000000000055511151231257827021181583404541015625";
  EXPECT_EQ(scan_number(exact_half).value, 0.5);  // the tie goes to even
  const std::string many_zeros = "1" + std::string(5000, '0') + "e-5000";
  EXPECT_EQ(scan_number(many_zeros).value, 1.0);
  const std::string leading_zeros = "0." + std::string(5000, '0') + "1e5001";
  EXPECT_EQ(scan_number(leading_zeros).value, 1.0);
  const std::string long_integer = std::string(400, '9');
  EXPECT_EQ(scan_number(long_integer).value, INF);
  EXPECT_EQ(scan_number(long_integer).consumed, 400U);
}

// The C library's strtod is correctly rounding on this platform: on text both accept alike,
// the values must be the same double.
TEST(ScanNumber, MatchesStrtodOnDecimalText) {
  std::mt19937_64 random(7);
  const int count = std::getenv("TELLMAR_SLOW_TESTS") != nullptr ? 2'000'000 : 100'000;
  const char* const digits = "0123456789";
  for (int i = 0; i < count; ++i) {
    std::string text;
    if (random() % 2 != 0) text += random() % 2 != 0 ? '-' : '+';
    const auto length = 1 + random() % (i % 10 == 0 ? 40 : 19);
    const auto point = random() % (length + 1);
    for (std::uint64_t k = 0; k < length; ++k) {
      if (k == point) text += '.';
      text += digits[random() % 10];
    }
    if (random() % 2 != 0) {
      text += 'e';
      text += std::to_string(static_cast<int>(random() % 700) - 350);
    }
    const ScanResult result = scan_number(text);
    char* end = nullptr;
    const double expected = std::strtod(text.c_str(), &end);
    ASSERT_TRUE(result.read) << text;
    ASSERT_EQ(result.consumed, static_cast<std::uint64_t>(end - text.c_str())) << text;
    ASSERT_EQ(result.value, expected) << text;
  }
}

}  // namespace
}  // namespace tellmar
