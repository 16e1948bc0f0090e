#include "text/formatted_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "support/exact_decimal.h"

namespace tellmar {
namespace {

constexpr double INF = std::numeric_limits<double>::infinity();
constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();

struct Row {
  double value;
  const char* text;
};

TEST(FormatGeneral, WritesFourSignificantDigitsInTwelve) {
  const Row rows[] = {
      // clang-format off
      {10,                       "          10"},
      {0.0125,                   "      0.0125"},
      {1.0 / 3,                  "      0.3333"},
      {123.456,                  "       123.5"},
      {1.5625,                   "       1.563"},  // a 5 in the first dropped digit goes up, not to even
      {0.78125,                  "      0.7813"},
      {1234.5,                   "        1235"},
      {9999.5,                   "      1e+004"},  // the carry makes five digits: exponent form
      {12345,                    "  1.235e+004"},
      {100000,                   "      1e+005"},
      {0.0001,                   "      0.0001"},  // exponent -4: still fixed
      {0.000025,                 "    2.5e-005"},  // exponent -5: exponent form
      {0.00001234,               "  1.234e-005"},
      {0,                        "           0"},
      {2,                        "           2"},
      {-0.0,                     "           0"},  // negative zero has no sign
      {-2.5,                     "        -2.5"},
      {-12345,                   " -1.235e+004"},
      {999.95,                   "        1000"},  // exponent 3 after the carry: still fixed
      {9999.4,                   "        9999"},
      {0.99995,                  "           1"},
      {0.000099996,              "      0.0001"},  // carried from exponent -5 up to -4
      {0.000099995,              "  9.999e-005"},  // 17 digits: 9.9994999999999994e-5
      {1e100,                    "      1e+100"},
      {1e308,                    "      1e+308"},
      {1.7976931348623157e308,   "  1.798e+308"},
      {5e-324,                   "  4.941e-324"},  // the smallest subnormal
      {2.2250738585072014e-308,  "  2.225e-308"},
      {1e-5,                     "      1e-005"},
      {0.1 + 0.2,                "         0.3"},
      {INF,                      "       1.#IO"},
      {-INF,                     "      -1.#IO"},
      {NOT_A_NUMBER,             "      -1.#IO"},
      // clang-format on
  };
  for (const Row& r : rows) EXPECT_EQ(format_general(r.value, 12, 4), r.text) << r.value;
}

TEST(FormatGeneral, NeverCutsAndPadsOnlyToTheWidth) {
  EXPECT_EQ(format_general(-1.2346e-100, 4, 4), "-1.235e-100");
  EXPECT_EQ(format_general(1.5, 0, 4), "1.5");
  EXPECT_EQ(format_general(INF, 2, 4), "1.#IO");
}

TEST(FormatFixed, WritesThreeDecimalsInEight) {
  const Row rows[] = {
      // clang-format off
      {20.0 / 3,      "   6.667"},
      {0.0625,        "   0.063"},  // a tie at the last kept digit goes up
      {0.5,           "   0.500"},
      {0.0005,        "   0.001"},  // nothing kept but the first dropped digit is 5
      {0.0004,        "   0.000"},
      {0.00001,       "   0.000"},
      {0,             "   0.000"},
      {-0.0,          "   0.000"},
      {1234.5678,     "1234.568"},
      {12345.678,     "12345.678"},  // longer than the width: not cut
      {9.9996,        "  10.000"},  // a carry through the nines adds a digit
      {9.9995,        "   9.999"},  // 17 digits: 9.9994999999999994
      {999.9996,      "1000.000"},
      {10,            "  10.000"},
      {-6.25,         "  -6.250"},
      {-0.0001,       "  -0.000"},  // a negative value keeps its sign even when it rounds to 0
      {2.675,         "   2.675"},  // the double is 2.67499999999999982236431605997495353221893310546875
      {1.0005,        "   1.000"},  // 17 digits: 1.0004999999999999
      {INF,           "   1.#IO"},
      {-INF,          "  -1.#IO"},
      {NOT_A_NUMBER,  "  -1.#IO"},
      // clang-format on
  };
  for (const Row& r : rows) EXPECT_EQ(format_fixed(r.value, 8, 3), r.text) << r.value;
}

TEST(FormatFixed, DigitsPastTheSeventeenthAreZeros) {
  // The exact value of 1e23 is 99999999999999991611392; its 17-digit form 9.9999999999999992e22.
  EXPECT_EQ(format_fixed(1e23, 0, 3), "99999999999999992000000.000");
  EXPECT_EQ(format_fixed(1e20, 0, 0), "100000000000000000000");
  EXPECT_EQ(format_fixed(123456789012345678.0, 0, 0), "123456789012345680");
  EXPECT_EQ(format_fixed(1e308, 0, 3), "1" + std::string(308, '0') + ".000");
  EXPECT_EQ(format_fixed(0.5, 0, 0), "1");  // a tie with no decimals still goes up
  EXPECT_EQ(format_fixed(0.4, 0, 0), "0");
}

TEST(ExactDecimal, ExpandsDoublesExactly) {
  const auto tenth = testing::exact_expansion(0.1);
  EXPECT_EQ(tenth.digits, "1000000000000000055511151231257827021181583404541015625");
  EXPECT_EQ(tenth.exponent, -1);
  const auto big = testing::exact_expansion(1e23);
  EXPECT_EQ(big.digits, "99999999999999991611392");
  EXPECT_EQ(big.exponent, 22);
  EXPECT_EQ(testing::seventeen_digits(1e23).digits, "99999999999999992");
  EXPECT_EQ(testing::seventeen_digits(1e23).exponent, 22);
  // Exact halves at the 18th digit go to even.
  EXPECT_EQ(testing::seventeen_digits(1125899906842624.25).digits, "11258999068426242");
  EXPECT_EQ(testing::seventeen_digits(1125899906842624.75).digits, "11258999068426248");
}

// The fast conversions against the slow reference on many doubles: whole bit patterns, values
// near the decisive digits and short decimals with ties in them.
TEST(FormattedNumbers, AgreeWithTheExactReference) {
  std::mt19937_64 random(20261211);
  std::uniform_int_distribution<int> decimal_exponent(-12, 12);
  const int count = std::getenv("TELLMAR_SLOW_TESTS") != nullptr ? 1'000'000 : 40'000;
  for (int i = 0; i < count; ++i) {
    double value = 0;
    switch (i % 3) {
      case 0: {
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        break;
      }
      case 1:  // short decimals: the ties of the 4th digit and 3rd decimal live here
        value = static_cast<double>(random() % 200'000) / 16.0 *
                std::pow(10.0, decimal_exponent(random));
        break;
      default:
        value = static_cast<double>(random() % 100'000'000) / 1e4;
        break;
    }
    ASSERT_EQ(format_general(value, 12, 4), testing::reference_general(value, 12, 4)) << value;
    ASSERT_EQ(format_fixed(value, 8, 3), testing::reference_fixed(value, 8, 3)) << value;
  }
}

}  // namespace
}  // namespace tellmar
