// The gain reports: receive table values, back-references and the transmit
// noise estimate, including the settings that leave no noise to estimate.
#include "reports/gain_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/analysis_fixture.h"

namespace cmd7730 {
namespace {

using testing::AnalysisTest;
using testing::lines_of;
using testing::receive_channel;
using testing::transmit_channel;

using GainReportTest = AnalysisTest;

TEST_F(GainReportTest, ReceiveTableMultipliesTheBlockGains) {
  receive_channel(*st, 0);
  ChannelSettings& ch = st->ch[0];
  ch.cic_gain = 100000.0 / 65536.0;  // cic_dec 10, cic_shift 23
  ch.fir_gain = 0.5;
  ch.gain_msb = 0;
  ch.gain_lsb = 4096;
  ch.agc_freeze = 1;
  receive_gain_report(*st, 0);
  const std::vector<std::string> expected = {
      "Gain Analysis:",
      "overall_gain=2.000000 (target)",
      "BLOCK     GAIN IN BLOCK     CUMULATIVE GAIN AFTER BLOCK",
      "Zero Pad  1.000000             1.000000",
      "Mixer     0.500000             0.500000",
      "Rshift    1.000000             0.500000",
      "CIC       1.525879             0.762939",
      "FIR       0.500000             0.381470",
      "AGC       1.000000             0.381470 = final actual overall gain",
  };
  EXPECT_EQ(lines_of(analysis()), expected);
}

TEST_F(GainReportTest, GainWordUsesBothHalves) {
  receive_channel(*st, 0);
  st->ch[0].gain_msb = 1;
  st->ch[0].gain_lsb = 0x8000;  // 0x18000 / 4096 = 24
  st->ch[0].zpad_gain = 0.25;
  receive_gain_report(*st, 0);
  EXPECT_NE(analysis().find("Zero Pad  0.250000             0.250000\n"), std::string::npos);
  EXPECT_NE(analysis().find("AGC       24.000000             6.000000 = final"), std::string::npos)
      << analysis();
}

TEST_F(GainReportTest, ReceiveBackReferenceFindsTheLowestMatchingChannel) {
  for (int c = 0; c < 4; ++c) receive_channel(*st, c);
  st->ch[0].powerdown = 1;          // a powered-down channel is still a match
  st->ch[1].fir_gain = 0.75;        // different
  st->ch[2].rshift_gain = 2.0;      // not compared
  st->ch[2].agc_step = 3;           // not compared
  st->ch[2].agc_time_constant = 1;  // not compared
  st->ch[3].agc_thresh = 104;       // compared
  for (int c = 1; c < 4; ++c) receive_gain_report(*st, c);
  const std::vector<std::string> lines = lines_of(analysis());
  ASSERT_EQ(lines.size(), 2u * 13u + 1u);
  EXPECT_EQ(lines[0], "Gain Analysis:");
  EXPECT_EQ(lines[7], "FIR       0.750000             0.750000");
  EXPECT_EQ(lines[13], "Same as channel 0");
  EXPECT_EQ(lines[14], "Gain Analysis:");
  EXPECT_EQ(lines[26], "   agc_thresh = 104");
}

TEST_F(GainReportTest, TransmitBackReferenceComparesPeakGainAndTransmitFactors) {
  for (int c = 0; c < 4; ++c) transmit_channel(*st, c);
  st->ch[1].fir_peak_gain = 1.0;  // differs from channel 0
  st->ch[2].sum_gain = 2.0;       // differs from both
  st->ch[3].fir_peak_gain = 1.0;  // like channel 1
  st->ch[3].mix_gain = 0.5;       // not compared on transmit
  for (int c = 1; c < 4; ++c) transmit_gain_report(*st, c);
  const std::vector<std::string> lines = lines_of(analysis());
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[4], "Worst case peak gain through the channel is 0.499934");
  EXPECT_EQ(lines[13], "Gain from sum block is 2.000000");
  EXPECT_EQ(lines[14], "Final overall gain is 1.999675");
  EXPECT_EQ(lines[16], "Same as channel 1");
}

TEST_F(GainReportTest, TransmitNoiseFollowsTheSumShift) {
  transmit_channel(*st, 0);
  st->chip.sum_shift = 3;
  transmit_gain_report(*st, 0);
  EXPECT_EQ(lines_of(analysis()).back(), "Internal digital noise is -120.082400 dBFS");

  // Zero interpolation factors would divide by zero; on a transmit channel
  // their terms carry no noise anyway.
  st->out[kAnalysis].open_memory();
  st->ch[0].fir_int = 0;
  st->ch[0].cic_int = 0;
  transmit_gain_report(*st, 0);
  EXPECT_EQ(lines_of(analysis()).back(), "Internal digital noise is -120.082400 dBFS");
}

TEST_F(GainReportTest, TransmitNoiseWithoutSumGainIsReportedNotComputed) {
  transmit_channel(*st, 0);
  st->chip.sum_shift = 3;
  st->ch[0].sum_gain = 0.0;  // no sum gain computed for this output format
  transmit_gain_report(*st, 0);
  const std::vector<std::string> lines = lines_of(analysis());
  EXPECT_EQ(lines[6], "Final overall gain is 0.000000");
  EXPECT_EQ(lines.back(),
            "Internal digital noise can not be estimated: noise power 0.000000 is not positive");
}

TEST_F(GainReportTest, NothingIsWrittenWithoutTheAnalysisOutput) {
  st->chip.print_flags = 0;
  receive_channel(*st, 0);
  transmit_channel(*st, 1);
  gain_report_header(*st, 0);
  receive_gain_report(*st, 0);
  transmit_gain_report(*st, 1);
  EXPECT_EQ(analysis(), "");
  EXPECT_EQ(console(), "");
}

}  // namespace
}  // namespace cmd7730
