// The number appenders must print exactly what printf prints for the same
// conversion: the register outputs are compared byte for byte by the tools
// that read them.
#include "image/line_format.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace cmd7730 {
namespace {

std::string printf_text(const char* format, auto value) {
  char buf[512];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

TEST(LineFormatTest, NumbersMatchPrintfConversions) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  const int32_t values[] = {0,     1,     -1,     9,     10,    15,     16,   255,  4095,    9999,
                            10000, -9999, -10000, 65535, 70000, 123456, kMax, kMin, kMin + 1};
  TextLine line;
  for (const int32_t v : values) {
    const uint32_t u = static_cast<uint32_t>(v);
    line.clear();
    EXPECT_EQ(line.hex(u).view(), printf_text("%x", u)) << v;
    line.clear();
    EXPECT_EQ(line.dec(v).view(), printf_text("%d", v)) << v;
    line.clear();
    EXPECT_EQ(line.dec(v, 5).view(), printf_text("%5d", v)) << v;
  }
}

TEST(LineFormatTest, DoublesMatchPrintfWithSixDecimals) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  std::vector<double> values = {0.0,
                                -0.0,
                                -1.0,
                                80.5,
                                15.36,
                                -9.6,
                                0.0000005,
                                0.0000015,
                                2.5e-7,
                                1e20,
                                1e300,
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::denorm_min(),
                                kInf,
                                -kInf,
                                kNan,
                                -kNan};
  // Bit patterns across every exponent, and values on the rounding edge.
  std::mt19937_64 bits(7730);
  for (int i = 0; i < 20000; ++i) {
    values.push_back(std::bit_cast<double>(bits()));
    values.push_back(static_cast<double>(bits() % 100000000) / 2e6);
  }
  TextLine line;
  for (const double v : values) {
    line.clear();
    ASSERT_EQ(line.fixed(v).view(), printf_text("%lf", v)) << std::bit_cast<uint64_t>(v);
  }
}

TEST(LineFormatTest, TextIsPaddedOnTheRightToItsWidthButNeverCut) {
  TextLine line;
  line.put('<').left("fir_dec", 20);
  EXPECT_EQ(line.view(), "<" + printf_text("%-20s", "fir_dec"));
  line.clear();
  EXPECT_EQ(line.left("a_name_longer_than_twenty", 20).view(), "a_name_longer_than_twenty");
}

TEST(LineFormatTest, ALineLongerThanItsFirstStorageIsKeptWhole) {
  TextLine line;
  std::string expected;
  for (int i = 0; i < 200; ++i) {
    line.text(" 0x").hex(static_cast<uint32_t>(i) * 0x01010101u);
    expected += printf_text(" 0x%x", static_cast<uint32_t>(i) * 0x01010101u);
  }
  EXPECT_EQ(line.view(), expected);
}

}  // namespace
}  // namespace cmd7730
