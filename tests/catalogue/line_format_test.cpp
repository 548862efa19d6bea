// The number appenders must print exactly what printf prints for the same
// conversion: the register outputs are compared byte for byte by the tools
// that read them.
#include "catalogue/line_format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

namespace cmd7730 {
namespace {

std::string printf_text(const char* format, auto value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

TEST(LineFormatTest, NumbersMatchPrintfConversions) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  const int32_t values[] = {0,     1,     -1,     9,     10,    15,     16,   255,  4095,    9999,
                            10000, -9999, -10000, 65535, 70000, 123456, kMax, kMin, kMin + 1};
  for (const int32_t v : values) {
    const uint32_t u = static_cast<uint32_t>(v);
    std::string s;
    append_hex(s, u);
    EXPECT_EQ(s, printf_text("%x", u)) << v;
    s.clear();
    append_dec(s, v);
    EXPECT_EQ(s, printf_text("%d", v)) << v;
    s.clear();
    append_dec(s, v, 5);
    EXPECT_EQ(s, printf_text("%5d", v)) << v;
  }
}

TEST(LineFormatTest, TextIsPaddedOnTheRightToItsWidthButNeverCut) {
  std::string s = "<";
  append_left(s, "fir_dec", 20);
  EXPECT_EQ(s, "<" + printf_text("%-20s", "fir_dec"));
  s.clear();
  append_left(s, "a_name_longer_than_twenty", 20);
  EXPECT_EQ(s, "a_name_longer_than_twenty");
}

}  // namespace
}  // namespace cmd7730
