// The consistency pass: the whole analysis file of a receive and a transmit
// chip, and the checks that report, stay silent or skip channels.
#include "sanity/sanity.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/power.h"
#include "frontend/filter_report.h"
#include "frontend/messages.h"
#include "sanity/analysis_fixture.h"

namespace cmd7730 {
namespace {

using testing::AnalysisTest;
using testing::lines_of;
using testing::power_down;
using testing::receive_channel;
using testing::transmit_channel;

class SanityTest : public AnalysisTest {
 protected:
  // The analysis phases in the driver's order.
  void run_analysis() {
    consistency_checks(*st);
    for (int c = 0; c < 4; ++c) filter_report(*st, c);
    power_estimate(*st);
  }
  // Every Error or Warning line in the console output.
  std::vector<std::string> findings() const {
    std::vector<std::string> out;
    for (const std::string& l : lines_of(console())) {
      if (l.rfind("Error: ", 0) == 0 || l.rfind("Warning: ", 0) == 0) out.push_back(l);
    }
    return out;
  }
  void receive_chip() {
    st->pair[0].mode = kModeReceive;
    st->pair[1].mode = kModeReceive;
    for (int c = 0; c < 4; ++c) power_down(*st, c);
  }
  void transmit_chip() {
    st->pair[0].mode = kModeTransmit;
    st->pair[1].mode = kModeReceive;
    for (int c = 0; c < 4; ++c) power_down(*st, c);
  }
};

TEST_F(SanityTest, ReceiveChipAnalysisFile) {
  receive_chip();
  receive_channel(*st, 0);
  run_analysis();
  const std::vector<std::string> expected = {
      "",
      "Doing analysis for channel 0",
      "Gain Analysis:",
      "overall_gain=2.000000 (target)",
      "BLOCK     GAIN IN BLOCK     CUMULATIVE GAIN AFTER BLOCK",
      "Zero Pad  1.000000             1.000000",
      "Mixer     0.500000             0.500000",
      "Rshift    1.000000             0.500000",
      "CIC       2.000000             1.000000",
      "FIR       1.000000             1.000000",
      "AGC       2.000000             2.000000 = final actual overall gain",
      "AGC settings:",
      "   step size D = 10",
      "   time constant TC = 3444.311717",
      "   agc_thresh = 103",
      "",
      "Channel 0 has a minimum clock rate of 1.30000 MHz",
      "",
      "Channel 0 has a 64 tap filter.  Sum of coefficients 65536. Max coefficient 3000",
      "Coefficient symmetry is none.",
      "  Possible Filter Configurations     X marks the configuration used",
      "Duty    Pwr(mW)  Taps(no sym)     (Power is for a single FIR row)",
      "0.125   11.2     64 X     ",
      "0.250   22.5    128       ",
      "0.375   33.8    192       ",
      "0.500   45.0    256       ",
      "Estimate power is   147mW at 100.0 MHz and 1.8V",
  };
  EXPECT_EQ(lines_of(analysis()), expected);
  // The product of the front gains is exactly 1.0: the bound is not exceeded.
  EXPECT_EQ(console(), "");
  EXPECT_EQ(st->error_flag, 0);
}

TEST_F(SanityTest, TransmitChipAnalysisFileWithBackReference) {
  transmit_chip();
  transmit_channel(*st, 0);
  transmit_channel(*st, 1);
  st->ch[1].coef_loaded = false;  // B got its coefficients by copy
  run_analysis();
  const std::vector<std::string> expected = {
      "",
      "Doing analysis for channel 0",
      "Gain from gain block is 0.655273 (G = 2684)",
      "Gain from filter is 1.999939 (FIR_SUM = 32767, fir_shift = 7)",
      "Gain from cic is 0.762939 (cic_shift = 29)",
      "DC gain through the gain block, FIR and CIC is 0.999837",
      "Worst case peak gain through the channel is 0.999837",
      "Gain from sum block is 1.000000",
      "Final overall gain is 0.999837",
      // sum_shift left unset (four summed signals): 2^-12 of noise power.
      "Internal digital noise is -132.123599 dBFS",
      "",
      "Doing analysis for channel 1",
      "Same as channel 0",
      "",
      "Channel 0 has a minimum clock rate of 0.80000 MHz",
      "",
      "Channel 0 has a 1 tap filter.  Sum of coefficients 32767. Max coefficient 32767",
      "Coefficient symmetry is odd. Hardware exploits symmetry.",
      "  Possible Filter Configurations     X marks the configuration used",
      "Duty    Pwr(mW)  Taps(no sym) Taps (w/ sym)    (Power is for a single FIR row)",
      "0.400   36.0     16            31 X     ",
      "0.800   72.0     32            63       ",
      "Estimate power is   214mW at 100.0 MHz and 1.8V",
  };
  EXPECT_EQ(lines_of(analysis()), expected);
  EXPECT_EQ(console(), "");
  EXPECT_EQ(st->error_flag, 0);
}

TEST_F(SanityTest, AllChannelsPoweredDownRunsOnlyTheChipWideChecks) {
  receive_chip();
  st->chip.tout_rate = 2;
  st->chip.splitiqAB = 1;
  st->chip.splitiqCD = 0;
  st->chip.gen_timer_sync = 5;
  st->ch[0].tinf_fso_dly = 0;  // would warn if channel 0 were checked
  consistency_checks(*st);
  EXPECT_EQ(findings(),
            (std::vector<std::string>{
                "Error: If tout_rate is double then splitiq must be on",
                "Error: Don't sync general timer with the general timer or funny things happen"}));
  EXPECT_EQ(analysis(),
            "Error(.\\sanity L14): If tout_rate is double then splitiq must be on\n"
            "Error(.\\sanity L304): Don't sync general timer with the general timer or funny "
            "things happen\n");
  EXPECT_EQ(st->error_flag, 1);
}

TEST_F(SanityTest, DoubleRateOddChannelsGetHeaderButNoChecksOrReport) {
  receive_chip();
  for (int c = 0; c < 4; ++c) receive_channel(*st, c);
  st->chip.rin_rate = 2;
  st->chip.splitiqAB = 1;
  st->chip.splitiqCD = 0;
  // Odd channels carry settings every later check would flag.
  for (int c : {1, 3}) {
    st->ch[c].tinf_fso_dly = 0;
    st->ch[c].swap_cmplx = 1;
    st->ch[c].ncic = 0;
    st->ch[c].fir_clk_cnt = 0;
  }
  // Channels 0 and 2: phase offsets 0x100 and the matching tuning word 0x200
  // on channel 0, a mismatched one on channel 2.
  st->ch[1].phase = 0x100;
  st->ch[0].freq_msb = 0x201;
  st->ch[3].phase = 0x100;
  st->ch[2].freq_msb = 0x300;
  st->ch[0].routf_iqmux = 0;
  st->ch[1].routf_iqmux = 0;
  consistency_checks(*st);
  EXPECT_EQ(findings(), (std::vector<std::string>{
                            "Error: If rin_rate is double then splitiq must be on",
                        }));
  const std::string hint =
      "In double rate mode the tuning frequency = chan[i+1].phase - chan[i].phase"
      "and the frequency word in channels i and i+1 should be"
      " = (2*tuning_frequency)& 0xffff";
  EXPECT_EQ(console(), "Error: If rin_rate is double then splitiq must be on\n" + hint);
  const std::string a = analysis();
  EXPECT_NE(a.find("AGC settings:"), std::string::npos);  // channel 0's full report
  // Channel 1 stops after its header; channel 2 matches channel 0's gains.
  EXPECT_NE(a.find("\nDoing analysis for channel 1\n\nDoing analysis for channel 2\n" + hint +
                   "Same as channel 0\n\nDoing analysis for channel 3\n"),
            std::string::npos)
      << a;
  EXPECT_TRUE(a.ends_with("\nDoing analysis for channel 3\n")) << a;
}

TEST_F(SanityTest, ClockDivideMustDivideTheRateChange) {
  transmit_chip();
  transmit_channel(*st, 0);
  st->ch[0].fir_int = 4;
  st->ch[0].cic_int = 10;
  st->ch[0].ncic = 9;
  st->ch[0].sck_div = 2;  // 40 is not a multiple of 3
  consistency_checks(*st);
  EXPECT_EQ(findings(), (std::vector<std::string>{
                            "Warning: Clock divide does not evenly divide into interpolation; "
                            "frame strobe will not be periodic."}));

  st->console.open_memory();
  st->ch[0].sck_div = 3;
  consistency_checks(*st);
  st->ch[0].sck_div = kUnset;  // goes to the chip as a divide by 1
  consistency_checks(*st);
  EXPECT_EQ(findings(), std::vector<std::string>{});

  st->console.open_memory();
  receive_chip();
  receive_channel(*st, 0);
  st->ch[0].sck_div = 4;  // 32 is not a multiple of 5
  consistency_checks(*st);
  EXPECT_EQ(findings(), (std::vector<std::string>{
                            "Warning: Clock divide does not evenly divide into decimation; "
                            "frame strobe will not be periodic."}));
}

TEST_F(SanityTest, SumSelectionIsCheckedOncePerTransmitChannel) {
  st->pair[0].mode = kModeTransmit;
  st->pair[1].mode = kModeTransmit;
  for (int c = 0; c < 4; ++c) transmit_channel(*st, c);
  power_down(*st, 1);
  power_down(*st, 3);
  st->chip.sum_selI = 0x0C;
  st->chip.sum_selQ = 0xC0;
  consistency_checks(*st);
  const std::vector<std::string> once = {"Error: sum_selI s2 and s3 must not both be 1",
                                         "Error: sum_selQ s6 and s7 must not both be 1"};
  std::vector<std::string> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(findings(), twice);
}

TEST_F(SanityTest, EmbeddedAgcTagNeedsRoundingAndAWideEnoughRateChange) {
  receive_chip();
  receive_channel(*st, 0);
  st->ch[0].agc_gain_out = 1;
  st->ch[0].gain_rnd = 12;
  const std::string late =
      "Warning: embedded AGC tag (gain data out) format mixed; MSB's come out one cycle late";
  struct Case {
    int fir_dec, cic_dec;
    bool warns;
  };
  for (const Case& k : {Case{2, 4, true}, Case{1, 6, false}, Case{2, 5, false}, Case{1, 9, true},
                        Case{1, 1, true}}) {
    st->console.open_memory();
    st->ch[0].fir_dec = k.fir_dec;
    st->ch[0].cic_dec = k.cic_dec;
    consistency_checks(*st);
    EXPECT_EQ(findings(), k.warns ? std::vector<std::string>{late} : std::vector<std::string>{})
        << k.fir_dec * k.cic_dec;
  }
  st->console.open_memory();
  st->ch[0].cic_dec = 6;
  st->ch[0].gain_rnd = 11;
  consistency_checks(*st);
  EXPECT_EQ(findings(), (std::vector<std::string>{
                            "Error: gain_rnd must be at least 12 for embedded AGC tag to work"}));
}

TEST_F(SanityTest, TransmitInputTimingAndZeroPins) {
  transmit_chip();
  transmit_channel(*st, 0);
  st->ch[0].tinf_fs_cnt = 2;  // 16 bits over 4 pins need 4 clocks, only 3
  consistency_checks(*st);
  EXPECT_EQ(findings(),
            (std::vector<std::string>{"Error: Not enough time to get data in for channel"}));

  st->console.open_memory();
  st->ch[0].tinf_fs_cnt = 3;
  st->ch[0].bits = 13;  // 13 bits over 4 pins: 4 clocks, just in time
  consistency_checks(*st);
  EXPECT_EQ(findings(), std::vector<std::string>{});

  st->console.open_memory();
  st->ch[0].pins = 0;
  consistency_checks(*st);
  EXPECT_EQ(findings(),
            (std::vector<std::string>{
                "Error: pins is 0, so no data can get in for channel 0; pins must be 4, 8 or 16"}));
  EXPECT_NE(analysis().find("Error(.\\sanity L94): pins is 0"), std::string::npos);
}

TEST_F(SanityTest, TimeDivisionInputComparesChannelZeroWithTheOthers) {
  st->pair[0].mode = kModeTransmit;
  st->pair[1].mode = kModeTransmit;
  for (int c = 0; c < 4; ++c) transmit_channel(*st, c);
  st->ch[0].tinf_src = 6;
  power_down(*st, 1);  // compared all the same
  st->ch[1].sck_div = 1;
  st->ch[2].tinf_xmt = 1;
  st->ch[2].sck_sync = 3;
  power_down(*st, 3);  // not compared
  st->ch[3].tinf_xmt = 1;
  consistency_checks(*st);
  EXPECT_EQ(findings(), (std::vector<std::string>{
                            "Error: In tdm tinf_sck_div must match channels 0,1",
                            "Error: In tdm tinf_xmt must match channels 0,2",
                            "Error: In tdm sck_sync must match channels 0,2",
                        }));
  const std::string a = analysis();
  EXPECT_NE(a.find("Error(.\\sanity L100): In tdm tinf_sck_div must match channels 0,1"),
            std::string::npos);
  EXPECT_NE(a.find("Error(.\\sanity L107): In tdm sck_sync must match channels 0,2"),
            std::string::npos);
}

TEST_F(SanityTest, TransmitDataPathAndGainLimits) {
  transmit_chip();
  transmit_channel(*st, 0);
  st->ch[0].tinf_cmplx = 0;
  st->ch[0].gain = 128.5;
  consistency_checks(*st);
  EXPECT_EQ(findings(), (std::vector<std::string>{
                            "Error: Real data input to tinf and then to FIR but complex",
                            "Error: data expected out (to go to mix).",
                            "Error: gain can not be larger than 128",
                        }));

  st->console.open_memory();
  st->chip.splitiqAB = 1;  // split I/Q takes real data
  st->ch[0].tinf_cmplx = 1;
  st->ch[0].ncic = 0;
  st->ch[0].fir_clk_cnt = 0;
  st->ch[0].gain = 128.0;
  consistency_checks(*st);
  EXPECT_EQ(console(), "Error: FIR can't produce complex output at the chip clock rate\n\n");
}

TEST_F(SanityTest, OutputHoldAndDoubleRateCic) {
  transmit_chip();
  transmit_channel(*st, 0);
  st->chip.toutf_hold = 1;
  st->chip.toutf_hold_sync = 5;
  st->chip.tout_rate = 2;
  st->chip.splitiqAB = 1;
  st->chip.splitiqCD = 1;
  st->chip.toutf_halfcmplx_CD = 1;
  st->ch[0].cic_int = -5;  // a remainder of -1 counts as odd
  consistency_checks(*st);
  EXPECT_EQ(findings(), (std::vector<std::string>{
                            "Error: Should never have both double rate and hold active.  Probably "
                            "need to turn off toutf_hold",
                            "Error: Should never have both IQmux out and thold active.  Probably "
                            "need to turn off toutf_hold",
                            "Error: For double rate mode, cic must interpolate by even number (at "
                            "least 2)",
                        }));

  st->console.open_memory();
  st->chip.toutf_hold_sync = 6;  // hold not synchronised: no conflict
  st->ch[0].cic_int = 4;
  st->ch[0].fir_clk_cnt = 5;
  consistency_checks(*st);
  EXPECT_EQ(findings(), (std::vector<std::string>{"Error: fir_clk_cnt larger than ncic"}));
}

TEST_F(SanityTest, ReceiveAgcLimits) {
  receive_chip();
  receive_channel(*st, 0);
  // Gain word 8192: overflow limit 65280 - 1024 = 64256.
  st->ch[0].agc_max = 64257;
  st->ch[0].agc_min = 1025;  // 8 * 1025 > 8192
  consistency_checks(*st);
  EXPECT_EQ(findings(), (std::vector<std::string>{
                            "Warning: agc_max too large to prevent overflow",
                            "Warning: Base gain in AGC smaller than agc_min.",
                        }));

  st->console.open_memory();
  st->ch[0].agc_max = 1023;  // 8 * 1023 < 8192
  st->ch[0].agc_min = 30000;
  st->ch[0].agc_Dsat = 0;  // m doubles (plus 1024) four times: far over 65536
  consistency_checks(*st);
  EXPECT_EQ(findings(), (std::vector<std::string>{
                            "Warning: agc_min too small to prevent underflow",
                            "Warning: Base gain in AGC smaller than agc_min.",
                            "Warning: Base gain in AGC larger than agc_max.",
                        }));

  // An unset shift field must not make the shift undefined; with the AGC
  // frozen no limit is looked at.
  st->console.open_memory();
  st->ch[0].agc_min = 1022;
  st->ch[0].agc_max = 2000;
  st->ch[0].agc_Dsat = kUnset;
  st->ch[0].agc_Dzro = kUnset;
  consistency_checks(*st);
  st->ch[0].agc_freeze = 1;
  st->ch[0].agc_max = 70000;
  consistency_checks(*st);
  EXPECT_EQ(findings(), std::vector<std::string>{});
}

TEST_F(SanityTest, ReceiveGainRestrictions) {
  receive_chip();
  receive_channel(*st, 0);
  st->chip.rin_cmplx = 1;
  st->ch[0].cic_gain = 1.6;  // P = 0.8
  consistency_checks(*st);
  EXPECT_EQ(console(),
            "Warning: Gain settings violate gain restriction:\n"
            "zpad_gain x mix_gain x cic_gain x rshift_gain <= .70711 with complex in and "
            "nonsymmetric filter");

  // P = 1.2 with a symmetric filter: two warnings, the second hint on the
  // line the first one left open.
  st->console.open_memory();
  st->out[kAnalysis].open_memory();
  st->ch[0].fir_sym = 1;
  st->ch[0].cic_gain = 2.4;
  consistency_checks(*st);
  const std::string expected =
      "Warning: Gain settings violate gain restriction:\n"
      "    zpad_gain x mix_gain x cic_gain x rshift_gain <= 1"
      "    This may be because cic_dec is too large. Decrease it or"
      "    decrease input signal amplitude.Warning: Gain settings violate gain restriction:\n"
      "zpad_gain x mix_gain x cic_gain x rshift_gain <= .5 with symmetric filter\n";
  EXPECT_EQ(console(), expected);
  EXPECT_NE(analysis().find("amplitude.Warning(.\\sanity L241): Gain settings"), std::string::npos);
  EXPECT_EQ(st->error_flag, 0);
}

TEST_F(SanityTest, ReceiveSplitAndComplexSwapChecks) {
  receive_chip();
  receive_channel(*st, 2);
  st->chip.splitiqCD = 1;
  st->ch[2].ncic = 0;
  st->ch[2].fir_clk_cnt = 0;
  st->ch[2].tinf_fso_dly = 0;
  consistency_checks(*st);
  EXPECT_EQ(findings(), (std::vector<std::string>{
                            "Warning: If splitiq is on in receive routf_cmplx should be 0",
                            "Error: For I/Q mode in channel, the cic must decimate by at least 2",
                            "Warning: tinf_fso_dly is set to 0, frame strobe will always be high",
                        }));
}

TEST_F(SanityTest, ChecksRunWithoutTheAnalysisOutput) {
  st->chip.print_flags = 0;
  receive_chip();
  receive_channel(*st, 0);
  st->ch[0].tinf_fso_dly = 0;
  consistency_checks(*st);
  EXPECT_EQ(analysis(), "");
  EXPECT_EQ(findings(),
            (std::vector<std::string>{
                "Warning: tinf_fso_dly is set to 0, frame strobe will always be high"}));
}

}  // namespace
}  // namespace cmd7730
