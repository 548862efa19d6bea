// The consistency pass: the whole analysis file of a receive and a transmit
// chip, and the checks that report, stay silent or skip channels.
#include "reports/consistency_checks.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "reports/filter_report.h"
#include "reports/power.h"
#include "support/analysis_fixture.h"

namespace cmd7730 {
namespace {

using testing::AnalysisTest;
using testing::assign;
using testing::C;
using testing::K;
using testing::lines_of;
using testing::power_down;
using testing::quiet_chip;
using testing::receive_channel;
using testing::transmit_channel;

// Every Error or Warning line on the console.
// The Errors and Warnings reported, in order: their tagged copies in the
// analysis file (which carry the line number) when it is open, else the
// console's.
std::vector<std::string> findings(const RunState& st) {
  std::vector<std::string> out;
  const bool analysis_open = st.output_open(kAnalysis);
  const std::string text = analysis_open ? st.out[kAnalysis].captured() : st.console.captured();
  for (const std::string& l : lines_of(text)) {
    if (analysis_open ? l.starts_with("Error(") || l.starts_with("Warning(")
                      : l.starts_with("Error: ") || l.starts_with("Warning: ")) {
      out.push_back(l);
    }
  }
  return out;
}

// Pair AB in `ab_mode`, CD in `cd_mode`, every channel powered down.
void chip(RunState& st, int ab_mode, int cd_mode = kModeReceive) {
  st.pair[0].mode = ab_mode;
  st.pair[1].mode = cd_mode;
  for (int c = 0; c < 4; ++c) power_down(st, c);
}
// Channel A alone, transmitting or receiving.
void tx(RunState& st) {
  chip(st, kModeTransmit);
  transmit_channel(st, 0);
}
void rx(RunState& st) {
  chip(st, kModeReceive);
  receive_channel(st, 0);
}

using SanityTest = AnalysisTest;

TEST_F(SanityTest, ReceiveChipAnalysisFile) {
  rx(*st);
  consistency_checks(*st);
  for (int c = 0; c < 4; ++c) filter_report(*st, c);
  power_estimate(*st);
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
  // The front gains multiply to exactly 1.0, which the bound allows.
  EXPECT_EQ(console(), "");
  EXPECT_EQ(st->error_flag, 0);
}

TEST_F(SanityTest, TransmitChipAnalysisFileWithBackReference) {
  tx(*st);
  transmit_channel(*st, 1);
  st->ch[1].coef_loaded = false;  // B got its coefficients by copy
  consistency_checks(*st);
  for (int c = 0; c < 4; ++c) filter_report(*st, c);
  power_estimate(*st);
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
  chip(*st, kModeReceive);
  st->chip.tout_rate = 2;
  st->chip.splitiqAB = 1;
  st->chip.splitiqCD = 0;
  st->chip.gen_timer_sync = 5;
  st->ch[0].tinf_fso_dly = 0;  // would warn if channel 0 were checked
  consistency_checks(*st);
  EXPECT_EQ(analysis(),
            "Error(.\\sanity L14): If tout_rate is double then splitiq must be on\n"
            "Error(.\\sanity L304): Don't sync general timer with the general timer or funny "
            "things happen\n");
  EXPECT_EQ(st->error_flag, 1);
}

TEST_F(SanityTest, DoubleRateOddChannelsGetHeaderButNoChecksOrReport) {
  chip(*st, kModeReceive);
  for (int c = 0; c < 4; ++c) receive_channel(*st, c);
  st->chip.rin_rate = 2;
  st->chip.splitiqAB = 1;
  st->chip.splitiqCD = 0;
  // Odd channels carry settings every later check would flag.
  for (int c : {1, 3}) assign(st->ch[c], {{&C::tinf_fso_dly, 0}, {&C::ncic, 0}});
  // Phase offsets 0x100: channel 0 has the matching tuning word (within
  // one), channel 2 does not.
  assign(st->ch[0], {{&C::freq_msb, 0x201}, {&C::routf_iqmux, 0}});
  assign(st->ch[1], {{&C::phase, 0x100}, {&C::routf_iqmux, 0}});
  st->ch[2].freq_msb = 0x300;
  st->ch[3].phase = 0x100;
  consistency_checks(*st);
  const std::string hint =
      "In double rate mode the tuning frequency = chan[i+1].phase - chan[i].phase"
      "and the frequency word in channels i and i+1 should be"
      " = (2*tuning_frequency)& 0xffff";
  EXPECT_EQ(console(), "Error: If rin_rate is double then splitiq must be on\n" + hint);
  const std::string a = analysis();
  EXPECT_NE(a.find("AGC settings:"), std::string::npos);  // channel 0's full report
  EXPECT_NE(a.find("\nDoing analysis for channel 1\n\nDoing analysis for channel 2\n" + hint +
                   "Same as channel 0\n\nDoing analysis for channel 3\n"),
            std::string::npos)
      << a;
  EXPECT_TRUE(a.ends_with("\nDoing analysis for channel 3\n")) << a;
}

TEST_F(SanityTest, GainRestrictionHintsRunOnAsWritten) {
  rx(*st);
  st->chip.rin_cmplx = 1;
  st->ch[0].cic_gain = 1.6;  // P = 0.8
  consistency_checks(*st);
  EXPECT_EQ(console(),
            "Warning: Gain settings violate gain restriction:\n"
            "zpad_gain x mix_gain x cic_gain x rshift_gain <= .70711 with complex in and "
            "nonsymmetric filter");

  // P = 1.2 with a symmetric filter: two warnings, the second on the line
  // the first one's hint left open.
  st->console.open_memory();
  st->out[kAnalysis].open_memory();
  st->ch[0].fir_sym = 1;
  st->ch[0].cic_gain = 2.4;
  consistency_checks(*st);
  EXPECT_EQ(console(),
            "Warning: Gain settings violate gain restriction:\n"
            "    zpad_gain x mix_gain x cic_gain x rshift_gain <= 1"
            "    This may be because cic_dec is too large. Decrease it or"
            "    decrease input signal amplitude.Warning: Gain settings violate gain restriction:\n"
            "zpad_gain x mix_gain x cic_gain x rshift_gain <= .5 with symmetric filter\n");
  EXPECT_NE(analysis().find("amplitude.Warning(.\\sanity L241): Gain settings"), std::string::npos);
  EXPECT_EQ(st->error_flag, 0);
}

// One finding case: a chip set-up and the Errors and Warnings it must give,
// in order (tagged analysis-file copies, so the line numbers count too).
struct FindingCase {
  const char* what;
  void (*setup)(RunState&);
  std::vector<std::string> expected;
};

const std::string kLate =
    "Warning(.\\sanity L67): embedded AGC tag (gain data out) format mixed; MSB's come out one "
    "cycle late";
const std::string kFso =
    "Warning(.\\sanity L301): tinf_fso_dly is set to 0, frame strobe will always be high";

// Runs each case on a quiet chip and compares its findings.
void expect_findings(std::initializer_list<FindingCase> cases) {
  for (const FindingCase& k : cases) {
    SCOPED_TRACE(k.what);
    auto st = std::make_unique<RunState>();
    st->console.open_memory();
    st->out[kAnalysis].open_memory();
    st->chip.print_flags = output_bit(kAnalysis);
    quiet_chip(*st);
    k.setup(*st);
    consistency_checks(*st);
    EXPECT_EQ(findings(*st), k.expected);
    if (st->chip.print_flags == 0) {
      EXPECT_EQ(st->out[kAnalysis].captured(), "");
    }
  }
}

TEST(SanityFindings, CommonChannelChecksReportOnlyTheirOwnCondition) {
  expect_findings({
      {"40 is not a multiple of sck_div + 1 = 3",
       [](RunState& s) {
         tx(s);
         assign(s.ch[0], {{&C::fir_int, 4}, {&C::cic_int, 10}, {&C::ncic, 9}, {&C::sck_div, 2}});
       },
       {"Warning(.\\sanity L25): Clock divide does not evenly divide into interpolation; frame "
        "strobe will not be periodic."}},
      {"unset sck_div reaches the chip as a divide by 1",
       [](RunState& s) {
         tx(s);
         s.ch[0].sck_div = kUnset;
       },
       {}},
      {"sum selection checked once per transmit channel",
       [](RunState& s) {
         chip(s, kModeTransmit, kModeTransmit);
         transmit_channel(s, 0);
         transmit_channel(s, 2);
         s.chip.sum_selI = 0x0C;
         s.chip.sum_selQ = 0xC0;
       },
       {"Error(.\\sanity L83): sum_selI s2 and s3 must not both be 1",
        "Error(.\\sanity L86): sum_selQ s6 and s7 must not both be 1",
        "Error(.\\sanity L83): sum_selI s2 and s3 must not both be 1",
        "Error(.\\sanity L86): sum_selQ s6 and s7 must not both be 1"}},
      {"AGC tag with a rate change of 2 x 4",
       [](RunState& s) {
         rx(s);
         assign(s.ch[0],
                {{&C::agc_gain_out, 1}, {&C::gain_rnd, 12}, {&C::fir_dec, 2}, {&C::cic_dec, 4}});
       },
       {kLate}},
      {"AGC tag with 6 and 10, without rounding",
       [](RunState& s) {
         rx(s);
         assign(s.ch[0],
                {{&C::agc_gain_out, 1}, {&C::gain_rnd, 11}, {&C::fir_dec, 1}, {&C::cic_dec, 6}});
         receive_channel(s, 1);
         assign(s.ch[1],
                {{&C::agc_gain_out, 1}, {&C::gain_rnd, 12}, {&C::fir_dec, 2}, {&C::cic_dec, 5}});
       },
       {"Error(.\\sanity L62): gain_rnd must be at least 12 for embedded AGC tag to work"}},
  });
}

TEST(SanityFindings, TransmitChecksReportOnlyTheirOwnCondition) {
  expect_findings({
      {"16 bits over 4 pins need 4 divided clocks, 3 given",
       [](RunState& s) {
         tx(s);
         s.ch[0].tinf_fs_cnt = 2;
       },
       {"Error(.\\sanity L94): Not enough time to get data in for channel"}},
      {"no pins",
       [](RunState& s) {
         tx(s);
         s.ch[0].pins = 0;
       },
       {"Error(.\\sanity L94): pins is 0, so no data can get in for channel 0; pins must be 4, 8 "
        "or 16"}},
      {"time-division input",
       [](RunState& s) {
         chip(s, kModeTransmit, kModeTransmit);
         for (int c = 0; c < 4; ++c) transmit_channel(s, c);
         s.ch[0].tinf_src = 6;
         assign(s.ch[1], {{&C::powerdown, 1}, {&C::sck_div, 1}});  // compared all the same
         assign(s.ch[2], {{&C::tinf_xmt, 1}, {&C::sck_sync, 3}});
         assign(s.ch[3], {{&C::powerdown, 1}, {&C::tinf_xmt, 1}});  // not compared
       },
       {"Error(.\\sanity L100): In tdm tinf_sck_div must match channels 0,1",
        "Error(.\\sanity L105): In tdm tinf_xmt must match channels 0,2",
        "Error(.\\sanity L107): In tdm sck_sync must match channels 0,2"}},
      {"real transmit input, gain over 128",
       [](RunState& s) {
         tx(s);
         s.ch[0].tinf_cmplx = 0;
         s.ch[0].gain = 128.5;
       },
       {"Error(.\\sanity L118): Real data input to tinf and then to FIR but complex",
        "Error(.\\sanity L119): data expected out (to go to mix).",
        "Error(.\\sanity L126): gain can not be larger than 128"}},
      {"complex out at the chip clock rate",
       [](RunState& s) {
         tx(s);
         assign(s.ch[0], {{&C::ncic, 0}, {&C::fir_clk_cnt, 0}});
       },
       {"Error(.\\sanity L123): FIR can't produce complex output at the chip clock rate"}},
      {"hold with double rate and IQ mux, odd negative CIC rate",
       [](RunState& s) {
         tx(s);
         assign(s.chip, {{&K::toutf_hold, 1},
                         {&K::toutf_hold_sync, 5},
                         {&K::tout_rate, 2},
                         {&K::splitiqAB, 1},
                         {&K::splitiqCD, 1},
                         {&K::toutf_halfcmplx_CD, 1}});
         s.ch[0].cic_int = -5;
       },
       {"Error(.\\sanity L39): Should never have both double rate and hold active.  Probably need "
        "to turn off toutf_hold",
        "Error(.\\sanity L41): Should never have both IQmux out and thold active.  Probably need "
        "to turn off toutf_hold",
        "Error(.\\sanity L49): For double rate mode, cic must interpolate by even number (at least "
        "2)"}},
  });
}

TEST(SanityFindings, AgcAndReceiveChecksReportOnlyTheirOwnCondition) {
  expect_findings({
      {"AGC max one over the overflow limit 64256, 8 * agc_min over the gain word",
       [](RunState& s) {
         rx(s);
         assign(s.ch[0], {{&C::agc_max, 64257}, {&C::agc_min, 1025}});
       },
       {"Warning(.\\sanity L206): agc_max too large to prevent overflow",
        "Warning(.\\sanity L220): Base gain in AGC smaller than agc_min."}},
      {"AGC min walks past 65536 with no saturation shift",
       [](RunState& s) {
         rx(s);
         assign(s.ch[0], {{&C::agc_max, 1023}, {&C::agc_min, 30000}, {&C::agc_Dsat, 0}});
       },
       {"Warning(.\\sanity L212): agc_min too small to prevent underflow",
        "Warning(.\\sanity L220): Base gain in AGC smaller than agc_min.",
        "Warning(.\\sanity L222): Base gain in AGC larger than agc_max."}},
      {"unset AGC shift fields",
       [](RunState& s) {
         rx(s);
         assign(s.ch[0], {{&C::agc_max, 2000}, {&C::agc_Dsat, kUnset}, {&C::agc_Dzro, kUnset}});
       },
       {}},
      {"split receive with complex output, complex swap without decimation",
       [](RunState& s) {
         chip(s, kModeReceive);
         receive_channel(s, 2);
         s.chip.splitiqCD = 1;
         assign(s.ch[2], {{&C::ncic, 0}, {&C::fir_clk_cnt, 0}, {&C::tinf_fso_dly, 0}});
       },
       {"Warning(.\\sanity L178): If splitiq is on in receive routf_cmplx should be 0",
        "Error(.\\sanity L195): For I/Q mode in channel, the cic must decimate by at least 2",
        kFso}},
      {"checks run without the analysis output",
       [](RunState& s) {
         rx(s);
         s.chip.print_flags = 0;
         s.ch[0].tinf_fso_dly = 0;
       },
       {"Warning: tinf_fso_dly is set to 0, frame strobe will always be high"}},
  });
}

}  // namespace
}  // namespace cmd7730
