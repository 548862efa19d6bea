// Reading coefficient files and their summary: count, symmetry, largest
// coefficient and magnitude of the sum, the 512 limit and 32-bit bounds.
#include "frontend/coef_file.h"

#include <string>

#include "support/frontend_fixture.h"

namespace cmd7730 {
namespace {

class CoefFileTest : public FrontendTest {
 protected:
  // Reads `text` as a coefficient file into channel 1.
  ChannelSettings& read(const std::string& text) {
    dir.write("f.coef", text);
    read_coef_file(*st, 1, "f.coef");
    return st->ch[1];
  }
  static std::string lines(int n, const std::string& value) {
    std::string s;
    for (int i = 0; i < n; ++i) s += value + "\n";
    return s;
  }
};

TEST_F(CoefFileTest, SummaryOfSmallFiles) {
  struct Case {
    const char* text;
    int ncoefs, coefsym, maxtap, sumtap;
  };
  const Case cases[] = {
      {"1\n2\n3\n2\n1\n", 5, 1, 3, 9},  // odd symmetric
      {"-5\n1\n1\n-5\n", 4, 2, 5, 8},   // coefficient 0 largest: its magnitude
      {"1\n-5\n-5\n1\n", 4, 2, -5, 8},  // a later one keeps its sign
      {"1\n-5\n5\n1\n", 4, 0, -5, 2},   // ties keep the earlier
      {"", 0, 2, 0, 0},                 // no coefficients: even
      {"-3\n-4\n", 2, 0, -4, 7},        // the sum's magnitude
      {"# header\ncoef:\n  +7 8 9\n\t-2^M5\n 3x\n", 3, 0, 7, 8},
      // Every C white space leads a number; "^M" ends a number, even one
      // whose digits would run beyond 32 bits after it.
      {"\v\f\r 4\n^M9\n12^M99999999999\n", 2, 0, 12, 16},
  };
  for (const Case& c : cases) {
    const ChannelSettings& ch = read(c.text);
    EXPECT_EQ(ch.ncoefs, c.ncoefs) << c.text;
    EXPECT_EQ(ch.coefsym, c.coefsym) << c.text;
    EXPECT_EQ(ch.maxtap, c.maxtap) << c.text;
    EXPECT_EQ(ch.sumtap, c.sumtap) << c.text;
    EXPECT_TRUE(ch.coef_loaded);
  }
  EXPECT_EQ(console(), "");
  EXPECT_EQ(st->interp.failure, 0);
}

TEST_F(CoefFileTest, AtMost512Coefficients) {
  // Exactly 512 followed by text that is not a number is accepted.
  EXPECT_EQ(read(lines(512, "1") + "  \n# end of taps\n7\n").ncoefs, 512);
  EXPECT_EQ(st->interp.failure, 0);
  EXPECT_EQ(console(), "");

  // A 513th number, even after blank lines, is one too many; the first 512
  // are kept.
  const ChannelSettings& ch = read(lines(512, "2") + "\n\n  -3\n");
  EXPECT_EQ(ch.ncoefs, 512);
  EXPECT_EQ(ch.sumtap, 1024);
  EXPECT_EQ(st->interp.failure, 1);
  EXPECT_EQ(console(), "Too many coefficients in file: f.coef\n");
}

TEST_F(CoefFileTest, LargeValuesNeverOverflow) {
  // The sum wraps in 32 bits before its magnitude is taken; only |-2^31|
  // saturates.
  ChannelSettings& ch = read("2000000000\n2000000000\n");
  EXPECT_EQ(ch.sumtap, 294967296);
  read(lines(512, "2147483647"));
  EXPECT_EQ(ch.sumtap, 512);  // 512 * (2^31 - 1) = -512 modulo 2^32
  EXPECT_EQ(ch.maxtap, 2147483647);
  EXPECT_EQ(read("-2147483648\n").sumtap, 2147483647);
  EXPECT_EQ(ch.maxtap, 2147483647);  // |-2^31| as coefficient 0's magnitude
  EXPECT_EQ(read("1\n-2147483648\n").maxtap, -2147483647 - 1);
  EXPECT_EQ(st->interp.failure, 0);

  // A number that does not fit in 32 bits is reported, fails the pass and is
  // kept at the 32-bit limit.
  read("5\n99999999999999999999999\n-2147483649\n");
  EXPECT_EQ(ch.coefs[1], 2147483647);
  EXPECT_EQ(ch.coefs[2], -2147483647 - 1);
  EXPECT_EQ(st->interp.failure, 1);
  EXPECT_EQ(console(),
            "Coefficient on line 2 does not fit in 32 bits in file: f.coef\n"
            "Coefficient on line 3 does not fit in 32 bits in file: f.coef\n");
}

TEST_F(CoefFileTest, MissingFileStopsTheRunAndReachesTheAnalysisFile) {
  st->out[kAnalysis].open_memory();
  st->chip.print_flags = output_bit(kAnalysis);
  EXPECT_EQ(stop_status([&] { read_coef_file(*st, 0, "nope.coef"); }), 1);
  EXPECT_EQ(console(), "Couldn't open coefficient file: nope.coef\n");
  EXPECT_EQ(st->out[kAnalysis].captured(), "Couldn't open coefficient file: nope.coef\n");
  EXPECT_EQ(st->interp.failure, 1);
  EXPECT_FALSE(st->ch[0].coef_loaded);
}

}  // namespace
}  // namespace cmd7730
