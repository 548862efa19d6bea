// The power estimate line.
#include "reports/power.h"

#include <gtest/gtest.h>

#include <string>

#include "support/analysis_fixture.h"

namespace cmd7730 {
namespace {

using testing::AnalysisTest;
using testing::power_down;

class PowerTest : public AnalysisTest {
 protected:
  void SetUp() override {
    AnalysisTest::SetUp();
    for (int c = 0; c < 4; ++c) power_down(*st, c);
    st->chip.pwr_dwn_cic_AB = 0;
    st->chip.pwr_dwn_cic_CD = 0;
  }
  void one_fir(int c) {
    ChannelSettings& ch = st->ch[c];
    ch.powerdown = 0;
    ch.inrateT = 8;
    ch.ncic = 7;
    ch.fir_int = 1;
  }
};

TEST_F(PowerTest, MasterResetDrawsNothing) {
  st->chip.master_reset = 1;
  one_fir(0);
  power_estimate(*st);
  EXPECT_EQ(analysis(), "Estimate power is     0mW at 100.0 MHz and 1.8V\n");
}

TEST_F(PowerTest, CicPairsAndFirsAddTheirLoads) {
  power_estimate(*st);  // both CIC pairs only: 1.5 * 100 * 1.8
  one_fir(2);
  st->chip.pwr_dwn_cic_CD = 1;
  power_estimate(*st);  // 0.55 + 0.75
  st->ch[2].fir_int = 4;
  st->ch[2].ncic = 3;
  st->chip.fck = 62.5;
  power_estimate(*st);  // (0.55 * 8 / 4 / 4 + 0.75) * 62.5 * 1.8
  EXPECT_EQ(analysis(),
            "Estimate power is   270mW at 100.0 MHz and 1.8V\n"
            "Estimate power is   234mW at 100.0 MHz and 1.8V\n"
            "Estimate power is   115mW at  62.5 MHz and 1.8V\n");
  EXPECT_EQ(console(), "");
}

TEST_F(PowerTest, NothingWithoutTheAnalysisOutput) {
  st->chip.print_flags = 0;
  power_estimate(*st);
  EXPECT_EQ(analysis(), "");
  EXPECT_EQ(console(), "");
}

TEST_F(PowerTest, ChannelWithZeroDivisorIsLeftOutAndSaidSo) {
  one_fir(0);
  one_fir(1);
  st->ch[1].fir_int = 0;
  one_fir(3);
  st->ch[3].ncic = kUnset;
  power_estimate(*st);
  EXPECT_EQ(analysis(),
            "Power estimate leaves out the FIR of channel 1: fir_int is 0\n"
            "Power estimate leaves out the FIR of channel 3: ncic is unset\n"
            "Estimate power is   369mW at 100.0 MHz and 1.8V\n");
}

}  // namespace
}  // namespace cmd7730
