// Whole runs of the bundled example control files: each example is copied
// with its include and coefficient files into a scratch directory and
// compiled by the built binary.  The expected values were worked out by hand
// from the chip's rules; the working sits beside each check.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace cmd7730 {
namespace {

namespace fs = std::filesystem;
using V = std::vector<long>;

constexpr const char* kVersionLine = "cmd7730 - revW, Mar 27 2007\n";

::testing::AssertionResult Contains(const std::string& text, const std::string& part) {
  if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "missing:\n" << part << "\nin:\n" << text;
}

class ExampleTest : public ::testing::Test {
 protected:
  // Compiles examples/<name>.txt and keeps its table and analysis file.
  void compile(const std::string& name) {
    for (const auto& e : fs::directory_iterator(fs::path(CMD7730_SOURCE_DIR) / "examples")) {
      const std::string ext = e.path().extension().string();
      if (ext == ".txt" || ext == ".inc" || ext == ".coef") {
        fs::copy_file(e.path(), fs::path(dir_.path()) / e.path().filename());
      }
    }
    name_ = name;
    run_ = testing::run_binary(dir_.path(), {name + ".txt"});
    ASSERT_FALSE(run_.signaled);
    table_ = output("tbl");
    analysis_ = output("anl");
  }

  // Returns the text of output file <name>.<ext>, empty when it is missing.
  std::string output(const std::string& ext) const {
    const std::string file = name_ + "." + ext;
    return dir_.exists(file) ? dir_.read(file) : std::string();
  }

  // Returns the values of one table row: one for a chip-wide variable, four
  // (channels A to D) for a channel variable; empty when the row is missing.
  V row(const std::string& variable) const {
    std::istringstream lines(table_);
    for (std::string line; std::getline(lines, line);) {
      std::istringstream words(line);
      std::string first;
      if (!(words >> first) || first != variable) continue;
      V values;
      for (long v; words >> v;) values.push_back(v);
      return values;
    }
    return {};
  }

  // Returns the values of pair AB only (the rest of the chip is powered down).
  V row_ab(const std::string& variable) const {
    V values = row(variable);
    if (values.size() > 2) values.resize(2);
    return values;
  }

  // A clean run: status 0 and nothing on the console but the version line.
  void expect_clean() const {
    EXPECT_EQ(run_.status, 0) << run_.err;
    EXPECT_EQ(run_.err, kVersionLine);
  }

  testing::ScratchDir dir_;
  std::string name_;
  testing::RunResult run_;
  std::string table_;
  std::string analysis_;
};

TEST_F(ExampleTest, QuickStartFourFixedGainReceivers) {
  compile("quickstart");
  expect_clean();
  for (const char* ext : {"anl", "dbg", "tbl", "h", "zq220", "sim"}) {
    EXPECT_FALSE(output(ext).empty()) << ext;
  }
  // freq / fck x 65536, fraction times 65536 twice more, each truncated:
  // 10.7 -> 7012.352 | .352 -> 23068.672 | .672 -> 44040.2; 12.5 -> 8192 exactly;
  // 21.4 -> 14024.704 | 46137.3 | 22544.4; 30 -> 19660.8 | 52428.8 | 52428.8.
  EXPECT_EQ(row("freq_msb"), (V{7012, 8192, 14024, 19660}));
  EXPECT_EQ(row("freq_mid"), (V{23068, 0, 46137, 52428}));
  EXPECT_EQ(row("freq_lsb"), (V{44040, 0, 22544, 52428}));
  EXPECT_EQ(row("ncic"), (V{7, 7, 7, 7}));  // cic_dec 8 - 1
  // Bit growth 5 log2 8 - 1 = 14; floor(39 - 14) = 25, one less for the
  // symmetric taps; CIC gain 8^5 x 2^(24-39) = 1.
  EXPECT_EQ(row("cic_shift"), (V{24, 24, 24, 24}));
  // fir_shift = 21 - floor(log2(32766 / 1)) = 7: FIR gain 32766 / 2^14 =
  // 1.999878, not above 2, so no reduction.  Gain word floor(1 / (1.999878 x
  // 0.5) x 4096 + 0.5) = floor(4096.25 + 0.5) = 4096.
  EXPECT_EQ(row("fir_shift"), (V{7, 7, 7, 7}));
  EXPECT_EQ(row("gain_lsb"), (V{4096, 4096, 4096, 4096}));
  EXPECT_TRUE(Contains(analysis_,
                       "FIR       1.999878             0.999939\n"
                       "AGC       1.000000             0.999939 = final actual overall gain\n"
                       "\nDoing analysis for channel 1\nSame as channel 0\n"));
  EXPECT_TRUE(Contains(analysis_, "\nDoing analysis for channel 3\nSame as channel 0\n"));
  // fir_clk_cnt = inrate 2 - 1 = 1 (complex data, 8 taps per phase fill one
  // cell); minimum clock (1 + 7 + 3) / 10.  Duty 2 / 8; taps 2 x 2 x 16 / 2
  // = 32, with odd symmetry 2 x 32 - 1 = 63.
  EXPECT_TRUE(Contains(analysis_, "Channel 3 has a minimum clock rate of 1.10000 MHz\n"));
  EXPECT_TRUE(Contains(analysis_, "0.250   22.5     32            63 X     \n"));
  // 4 x 0.55 x 2 / 8 + 2 x 0.75 = 2.05; x 100 x 1.8 = 369.
  EXPECT_TRUE(Contains(analysis_, "Estimate power is   369mW at 100.0 MHz and 1.8V\n"));
}

TEST_F(ExampleTest, ReceiveWithAgcPerChannel) {
  compile("receive_agc");
  expect_clean();
  // Every channel read its settings through the include file.
  EXPECT_EQ(row("ncoefs"), (V{63, 63, 63, 63}));
  EXPECT_EQ(row("cic_dec"), (V{20, 20, 20, 20}));
  // fck 80: 10.7 -> 8765.44; 12.95 -> 10608.64; 21.4 -> 17530.88;
  // -17.5 -> -14336 + 65536 = 51200 exactly.
  EXPECT_EQ(row("freq_msb"), (V{8765, 10608, 17530, 51200}));
  EXPECT_EQ(row("freq_mid"), (V{28835, 41943, 57671, 0}));
  EXPECT_EQ(row("ncic"), (V{19, 19, 19, 19}));
  // Growth 5 log2 20 - 1 = 20.61; floor(39 - 20.61) = 18, minus 1 for
  // symmetry.  CIC gain 20^5 x 2^-22 = 0.762939.
  EXPECT_EQ(row("cic_shift"), (V{17, 17, 17, 17}));
  // 21 - floor(log2(32767 x 0.762939 / 2)) = 8, limited to 7.  Gain word
  // floor(2 / (1.999939 x 0.762939 x 0.5) x 4096 + 0.5) = floor(10737.75 + 0.5).
  EXPECT_EQ(row("fir_shift"), (V{7, 7, 7, 7}));
  EXPECT_EQ(row("gain_lsb"), (V{10738, 10738, 10738, 10738}));
  // D = floor(log2(500 x 80 / (2 x 20)) - 1.25) = floor(9.966 - 1.25) = 8;
  // Dabv is D - 2 in mixed mode (channel D); Dzro = Dsat = D - 4.
  EXPECT_EQ(row("agc_Dblw"), (V{8, 8, 8, 8}));
  EXPECT_EQ(row("agc_Dabv"), (V{8, 8, 8, 6}));
  EXPECT_EQ(row("agc_Dzro"), (V{4, 4, 4, 4}));
  EXPECT_EQ(row("agc_Dsat"), (V{4, 4, 4, 4}));
  // L = 10738 >> 3 = 1342; agc_min = L - 2; agc_max = floor(65536 / (1 +
  // 2^-6)) - L = 64527 - 1342.
  EXPECT_EQ(row("agc_min"), (V{1340, 1340, 1340, 1340}));
  EXPECT_EQ(row("agc_max"), (V{63185, 63185, 63185, 63185}));
  // 256 / 10^(12/20) = 64.30: x 0.6745 = 43.4 (CDMA), x 1 = 64.3
  // (narrowband); 256 / 10^(15/20) x 1.28 = 58.3 (mixed).
  EXPECT_EQ(row("agc_thresh"), (V{43, 43, 64, 58}));
  EXPECT_EQ(row("gain_sync"), (V{0, 0, 0, 0}));  // AGC running
  // B repeats A exactly; C and D differ in the threshold, so they get full
  // reports.  TC = 2^(8 + 1.75).
  EXPECT_TRUE(Contains(analysis_,
                       "CIC       0.762939             0.381470\n"
                       "FIR       1.999939             0.762916\n"
                       "AGC       2.621582             2.000047 = final actual overall gain\n"
                       "AGC settings:\n"
                       "   step size D = 8\n"
                       "   time constant TC = 861.077929\n"
                       "   agc_thresh = 43\n"
                       "\nDoing analysis for channel 1\nSame as channel 0\n"
                       "\nDoing analysis for channel 2\nGain Analysis:\n"));
  EXPECT_TRUE(Contains(analysis_, "   agc_thresh = 64\n\nDoing analysis for channel 3\nGain"));
  EXPECT_TRUE(Contains(analysis_, "   agc_thresh = 58\n\nChannel 0 has a minimum clock"));
  // (1 + 19 + 3) / 10; duty 2 / 20 = 0.1 and 90 x 0.1 mW; rates 2, 4, 6, 8.
  EXPECT_TRUE(Contains(analysis_, "Channel 2 has a minimum clock rate of 2.30000 MHz\n"));
  EXPECT_TRUE(Contains(analysis_,
                       "0.100    9.0     32            63 X     \n"
                       "0.200   18.0     64           127       \n"
                       "0.300   27.0     96           191       \n"
                       "0.400   36.0    128           255       \n"));
  // 4 x 0.55 x 2 / 20 + 1.5 = 1.72; x 80 x 1.8 = 247.68.
  EXPECT_TRUE(Contains(analysis_, "Estimate power is   248mW at  80.0 MHz and 1.8V\n"));
}

TEST_F(ExampleTest, FourTransmitChannelsSummedToOneComplexOutput) {
  compile("transmit");
  expect_clean();
  // 10 -> 6553.6 | 39321.6; 20 -> 13107.2 | 13107.2; -15 -> 65536 - 9830.4 =
  // 55705.6 | 39321.6; 30 -> 19660.8 | 52428.8.
  EXPECT_EQ(row("freq_msb"), (V{6553, 13107, 55705, 19660}));
  EXPECT_EQ(row("freq_mid"), (V{39321, 13107, 39321, 52428}));
  EXPECT_EQ(row("ncic"), (V{7, 7, 7, 7}));
  // Complex input at interpolation 2: the taps split into two phases, so the
  // even symmetry is not used.
  EXPECT_EQ(row("fir_cmplx"), (V{1, 1, 1, 1}));
  EXPECT_EQ(row("fir_sym"), (V{0, 0, 0, 0}));
  // Transmit CIC: floor(41 - log2 8^5) = 26, CIC gain 1.  Phase peak 48870:
  // fir_shift ceil(21 - 15.58) = 6, FIR gain 65536 / (2^15 x 2) = 1, first
  // word floor(4096 / 1.4914) = 2746.  Sum block: ceil(log2(4096 / 2746)) + 3
  // = 4, gain 2; word 4096 / 2 = 2048, already in 2048..4096.
  EXPECT_EQ(row("cic_shift"), (V{26, 26, 26, 26}));
  EXPECT_EQ(row("fir_shift"), (V{6, 6, 6, 6}));
  EXPECT_EQ(row("gain_lsb"), (V{2048, 2048, 2048, 2048}));
  EXPECT_EQ(row("sum_shift"), (V{4}));
  // Four channels into one signal: 0xb7 on both paths; code word 0x200c for
  // one complex signal at full rate puts 2 on BO.
  EXPECT_EQ(row("sum_selI"), (V{0xb7}));
  EXPECT_EQ(row("sum_selQ"), (V{0xb7}));
  EXPECT_EQ(row("toutf_bo"), (V{2}));
  // 16 clocks per sample, I and Q multiplexed on the pins: first word at
  // v = 1, second at delay 3 + 1 + 1 = 5; strobe delay 1 meets the window
  // [22 - 16, 21).
  EXPECT_EQ(row("tinf_iqmux"), (V{1, 1, 1, 1}));
  EXPECT_EQ(row("tinf_fs_cnt"), (V{15, 15, 15, 15}));
  EXPECT_EQ(row("tinf_first"), (V{1, 1, 1, 1}));
  EXPECT_EQ(row("tinf_second"), (V{5, 5, 5, 5}));
  EXPECT_EQ(row("tinf_fso_dly"), (V{1, 1, 1, 1}));
  // DC 1 x 0.5 x 1; peak 48870 / 2^15 x 0.5; noise with S = 4: N = 2^-7 x 2,
  // 10 log10(1/64) - 96.
  EXPECT_TRUE(Contains(analysis_,
                       "\nDoing analysis for channel 0\n"
                       "Gain from gain block is 0.500000 (G = 2048)\n"
                       "Gain from filter is 1.000000 (FIR_SUM = 65536, fir_shift = 6)\n"
                       "Gain from cic is 1.000000 (cic_shift = 26)\n"
                       "DC gain through the gain block, FIR and CIC is 0.500000\n"
                       "Worst case peak gain through the channel is 0.745697\n"
                       "Gain from sum block is 2.000000\n"
                       "Final overall gain is 1.000000\n"
                       "Internal digital noise is -114.061800 dBFS\n"
                       "\nDoing analysis for channel 1\nSame as channel 0\n"));
  // Rates 4, 8, 12, 16 (rate 8 is the first to hold 40 taps): duty u / 8 / 2,
  // taps 2 x u x 16 / 2 / 2; no symmetric column for even taps at
  // interpolation 2.  Minimum clock (3 + 7 + 3) / 10.
  EXPECT_TRUE(Contains(analysis_,
                       "Channel 3 has a minimum clock rate of 1.30000 MHz\n\n"
                       "Channel 3 has a 40 tap filter.  Sum of coefficients 65536. Max "
                       "coefficient 15300\n"
                       "Coefficient symmetry is even. Hardware does not exploit symmetry.\n"
                       "  Possible Filter Configurations     X marks the configuration used\n"
                       "Duty    Pwr(mW)  Taps(no sym)     (Power is for a single FIR row)\n"
                       "0.250   22.5     32       \n"
                       "0.500   45.0     64 X     \n"
                       "0.750   67.5     96       \n"
                       "1.000   90.0    128       \n"));
  // 4 x 0.55 x 8 / 8 / 2 + 1.5 = 2.6; x 180 = 468.
  EXPECT_TRUE(Contains(analysis_, "Estimate power is   468mW at 100.0 MHz and 1.8V\n"));
}

TEST_F(ExampleTest, TransceiverAnalysisFileLineByLine) {
  compile("transceive");
  expect_clean();
  EXPECT_EQ(row("xmt"), (V{1, 1, 0, 0}));
  // Transmit AB as in the four-channel example but with cic_int 10: CIC
  // shift floor(41 - log2 10^5) = 24, CIC gain 10^5 / 2^17 = 0.762939; sum
  // shift ceil(log2(1 / (0.762939 x 2746 / 4096))) + 3 = 4; word
  // floor(4096 / (0.762939 x 2)) = 2684.  Receive CD: CIC gain 1 (see the
  // quick start), overall gain 2: fir_shift 8 limited to 7, word
  // floor(2 / (1.999878 x 0.5) x 4096 + 0.5) = floor(8192.50003 + 0.5).
  EXPECT_EQ(row("ncic"), (V{9, 9, 7, 7}));
  EXPECT_EQ(row("cic_shift"), (V{24, 24, 24, 24}));
  EXPECT_EQ(row("fir_shift"), (V{6, 6, 7, 7}));
  EXPECT_EQ(row("gain_lsb"), (V{2684, 2684, 8193, 8193}));
  EXPECT_EQ(row("sum_shift"), (V{4}));
  EXPECT_EQ(row("sum_selI"), (V{0x07}));  // two channels into one signal
  EXPECT_EQ(row("sum_selQ"), (V{0x07}));
  // Receive ADC on path C, real: input selection 4; outputs on.
  EXPECT_EQ(row("mix_rcv_sel"), (V{0, 0, 2, 2}));
  EXPECT_EQ(row("rinf_sel_C"), (V{4}));
  EXPECT_EQ(row("rinf_sel_D"), (V{4}));
  EXPECT_EQ(row("routf_pwrdown"), (V{1, 1, 0, 0}));
  // AGC on CD: D = floor(log2(200 x 100 / 16) - 1.25) = 9, narrowband so
  // Dabv = D; Dzro = Dsat = 5.  L = 8193 >> 3 = 1024; agc_max =
  // floor(65536 / (1 + 2^-7)) - 1024 = 65027 - 1024; threshold
  // floor(256 / 10^0.5) = 80.
  EXPECT_EQ(row("agc_Dabv"), (V{0, 0, 9, 9}));
  EXPECT_EQ(row("agc_Dzro"), (V{0, 0, 5, 5}));
  EXPECT_EQ(row("agc_min"), (V{0, 0, 1022, 1022}));
  EXPECT_EQ(row("agc_max"), (V{0, 0, 64003, 64003}));
  EXPECT_EQ(row("agc_thresh"), (V{0, 0, 80, 80}));

  // The whole analysis file.  Transmit report: G 2684 is 0.655273; DC
  // 1 x 0.655273 x 0.762939 = 0.499934; peak 1.491394 x that = 0.745599;
  // final x 2.  Receive table: zpad 1, mixer 0.5, rshift 1, CIC 1, FIR
  // 32766 / 2^14, AGC 8193 / 4096 = 2.000244; TC = 2^10.75.  The receive
  // product 0.5 sits exactly on the symmetric-filter limit and passes.
  // Filter reports: transmit rates 4..16 (rate 20 would allow 160 taps, over
  // 256 / 2), duty u / 10 / 2, minimum clock (3 + 9 + 3) / 10; receive as in
  // the quick start.  Power: 2 x 0.55 x 8 / 20 + 2 x 0.55 x 2 / 8 + 1.5 =
  // 2.215; x 180 = 398.7.
  const std::string transmit_filter =
      " has a 40 tap filter.  Sum of coefficients 65536. Max coefficient 15300\n"
      "Coefficient symmetry is even. Hardware does not exploit symmetry.\n"
      "  Possible Filter Configurations     X marks the configuration used\n"
      "Duty    Pwr(mW)  Taps(no sym)     (Power is for a single FIR row)\n"
      "0.200   18.0     32       \n"
      "0.400   36.0     64 X     \n"
      "0.600   54.0     96       \n"
      "0.800   72.0    128       \n";
  const std::string receive_filter =
      " has a 31 tap filter.  Sum of coefficients 32766. Max coefficient 13132\n"
      "Coefficient symmetry is odd. Hardware exploits symmetry.\n"
      "  Possible Filter Configurations     X marks the configuration used\n"
      "Duty    Pwr(mW)  Taps(no sym) Taps (w/ sym)    (Power is for a single FIR row)\n"
      "0.250   22.5     32            63 X     \n"
      "0.500   45.0     64           127       \n"
      "0.750   67.5     96           191       \n"
      "1.000   90.0    128           255       \n";
  const std::string expected =
      std::string(kVersionLine) +
      "\nDoing analysis for channel 0\n"
      "Gain from gain block is 0.655273 (G = 2684)\n"
      "Gain from filter is 1.000000 (FIR_SUM = 65536, fir_shift = 6)\n"
      "Gain from cic is 0.762939 (cic_shift = 24)\n"
      "DC gain through the gain block, FIR and CIC is 0.499934\n"
      "Worst case peak gain through the channel is 0.745599\n"
      "Gain from sum block is 2.000000\n"
      "Final overall gain is 0.999868\n"
      "Internal digital noise is -114.061800 dBFS\n"
      "\nDoing analysis for channel 1\nSame as channel 0\n"
      "\nDoing analysis for channel 2\n"
      "Gain Analysis:\n"
      "overall_gain=2.000000 (target)\n"
      "BLOCK     GAIN IN BLOCK     CUMULATIVE GAIN AFTER BLOCK\n"
      "Zero Pad  1.000000             1.000000\n"
      "Mixer     0.500000             0.500000\n"
      "Rshift    1.000000             0.500000\n"
      "CIC       1.000000             0.500000\n"
      "FIR       1.999878             0.999939\n"
      "AGC       2.000244             2.000122 = final actual overall gain\n"
      "AGC settings:\n"
      "   step size D = 9\n"
      "   time constant TC = 1722.155858\n"
      "   agc_thresh = 80\n"
      "\nDoing analysis for channel 3\nSame as channel 2\n"
      "\nChannel 0 has a minimum clock rate of 1.50000 MHz\n\nChannel 0" +
      transmit_filter + "\nChannel 1 has a minimum clock rate of 1.50000 MHz\n\nChannel 1" +
      transmit_filter + "\nChannel 2 has a minimum clock rate of 1.10000 MHz\n\nChannel 2" +
      receive_filter + "\nChannel 3 has a minimum clock rate of 1.10000 MHz\n\nChannel 3" +
      receive_filter + "Estimate power is   399mW at 100.0 MHz and 1.8V\n";
  EXPECT_EQ(analysis_, expected);
  // The bench script starts with the fixed power-down preamble.
  EXPECT_EQ(output("zq220").rfind("dwr16 0 fff0\ndwr16 2 80\ndwr16 15 0\n", 0), 0u);
}

TEST_F(ExampleTest, DoubleRateReceivePairWithOverride) {
  compile("double_rate");
  expect_clean();
  // 70 / 100 x 65536 = 45875.2 | 13107.2 | 13107.2; B takes A's words.
  EXPECT_EQ(row_ab("freq_msb"), (V{45875, 45875}));
  EXPECT_EQ(row_ab("freq_lsb"), (V{13107, 13107}));
  EXPECT_EQ(row("splitiq"), (V{1}));
  EXPECT_EQ(row_ab("cic_2x"), (V{1, 1}));
  EXPECT_EQ(row_ab("ncic"), (V{4, 4}));  // 10 / 2 - 1
  EXPECT_EQ(row_ab("cic_rcv_cross"), (V{1, 1}));
  EXPECT_EQ(row_ab("mix_rcv_sel"), (V{0, 1}));  // 0 and rin_cmplx + 1
  // Split pair: each FIR filters real data and uses the even symmetry.
  EXPECT_EQ(row_ab("fir_cmplx"), (V{0, 0}));
  EXPECT_EQ(row_ab("fir_sym"), (V{2, 2}));
  // Growth 5 log2 10 - 1 = 15.61: floor(23.39) - 1.  FIR: 21 -
  // floor(log2(32766 x 0.762939)) = 7; word floor(1 / (1.999878 x 0.762939 x
  // 0.5) x 4096 + 0.5) = floor(5369.03 + 0.5).
  EXPECT_EQ(row_ab("cic_shift"), (V{22, 22}));
  EXPECT_EQ(row_ab("fir_shift"), (V{7, 7}));
  EXPECT_EQ(row_ab("gain_lsb"), (V{5369, 5369}));
  // Computed B phase: 45875 is -19661 signed, half rounded up is -9830, so
  // 55706.  The override replaces it in the table and the register image
  // (page 0x80, B's copy of address 17 at 0x19).
  EXPECT_EQ(row("phase"), (V{0, 55750, 0, 0}));
  EXPECT_TRUE(Contains(output("sim"), "Wcon 0x80 0x19 0xd9c6\n"));
  // The checks ran on the computed phase: 45875 - (2 x 55706 & 0xffff) = -1,
  // so no tuning hint.  B is the odd half of the pair (no report) and CD is
  // powered down (no section).
  EXPECT_EQ(analysis_.find("In double rate mode"), std::string::npos);
  EXPECT_EQ(analysis_.find("Doing analysis for channel 2"), std::string::npos);
  EXPECT_TRUE(Contains(analysis_,
                       "AGC       1.310791             0.999993 = final actual overall gain\n"
                       "\nDoing analysis for channel 1\n"
                       "\nChannel 0 has a minimum clock rate of 0.70000 MHz\n"));
  // 12 taps per phase: rate 1, fir_clk_cnt 0, (0 + 4 + 3) / 10.  Rates 1..5,
  // duty u / 5, taps 2 x u x 16 and twice that with even symmetry.
  EXPECT_TRUE(Contains(analysis_,
                       "Coefficient symmetry is even. Hardware exploits symmetry.\n"
                       "  Possible Filter Configurations     X marks the configuration used\n"
                       "Duty    Pwr(mW)  Taps(no sym) Taps (w/ sym)    (Power is for a single "
                       "FIR row)\n"
                       "0.200   18.0     32            64 X     \n"
                       "0.400   36.0     64           128       \n"
                       "0.600   54.0     96           192       \n"
                       "0.800   72.0    128           256       \n"
                       "1.000   90.0    160           320       \n"));
  // 2 x 0.55 x 1 / 5 + 0.75 (CD's CIC powered down) = 0.97; x 180 = 174.6.
  EXPECT_TRUE(Contains(analysis_, "Estimate power is   175mW at 100.0 MHz and 1.8V\n"));
}

TEST_F(ExampleTest, SplitIqTransmitPair) {
  compile("split_transmit");
  expect_clean();
  EXPECT_EQ(row_ab("freq_msb"), (V{8192, 8192}));  // 15.36 / 122.88 = 1/8
  // A mixes I (its own, 3) with Q from B (cross-strapped, 2), Q inverted on
  // the sine; B's mixer is idle.
  EXPECT_EQ(row_ab("mix_icos"), (V{3, 0}));
  EXPECT_EQ(row_ab("mix_isin"), (V{3, 0}));
  EXPECT_EQ(row_ab("mix_qcos"), (V{2, 0}));
  EXPECT_EQ(row_ab("mix_qsin"), (V{2, 0}));
  EXPECT_EQ(row_ab("mix_inv_qsin"), (V{1, 0}));
  // One signal from A and C both in transmit under split I/Q: selector 11.
  EXPECT_EQ(row("sum_selI"), (V{11}));
  EXPECT_EQ(row("sum_selQ"), (V{11}));
  EXPECT_EQ(row("sum_ib"), (V{0}));
  EXPECT_EQ(row("sum_qb"), (V{1}));
  // Real input words: no I/Q multiplexing; second word at delay 3 + 1.
  EXPECT_EQ(row_ab("fir_cmplx"), (V{0, 0}));
  EXPECT_EQ(row_ab("tinf_iqmux"), (V{0, 0}));
  EXPECT_EQ(row_ab("tinf_second"), (V{4, 4}));
  EXPECT_EQ(row_ab("tinf_fso_dly"), (V{1, 1}));
  // Same gains as the four-channel transmitter (K = 1 after halving).
  EXPECT_EQ(row_ab("gain_lsb"), (V{2048, 2048}));
  EXPECT_TRUE(Contains(analysis_,
                       "Final overall gain is 1.000000\n"
                       "Internal digital noise is -114.061800 dBFS\n"
                       "\nDoing analysis for channel 1\nSame as channel 0\n"));
  // Real data: rates 2, 4, .., 16 (32 x i taps, all within 256); rate 4 is
  // the first to hold 40.  Duty u / 8 / 2; taps 2 x u x 16 / 2.
  EXPECT_TRUE(Contains(analysis_,
                       "0.125   11.2     32       \n"
                       "0.250   22.5     64 X     \n"
                       "0.375   33.8     96       \n"));
  EXPECT_TRUE(Contains(analysis_, "1.000   90.0    256       \n"));
  // 2 x 0.55 x 4 / 8 / 2 + 0.75 = 1.025; x 122.88 x 1.8 = 226.7.
  EXPECT_TRUE(Contains(analysis_, "Estimate power is   227mW at 122.9 MHz and 1.8V\n"));
}

TEST_F(ExampleTest, WidebandSplitReceiveWith512Taps) {
  compile("wideband4");
  EXPECT_EQ(run_.status, 0) << run_.err;
  // With the AGC frozen and overall gain 2 the FIR would need gain 4: each
  // channel warns once and fir_shift drops from 7 to 6 (65524 / 2^15).
  const std::string warning = "Warning: agc_freeze is high, so assuming AGC is not used.";
  size_t count = 0;
  for (size_t at = run_.err.find(warning); at != std::string::npos;
       at = run_.err.find(warning, at + 1)) {
    ++count;
  }
  EXPECT_EQ(count, 4u);
  EXPECT_EQ(run_.err.find("Error"), std::string::npos);
  EXPECT_EQ(row("fir_shift"), (V{6, 6, 6, 6}));
  // floor(2 / (1.999634 x 0.5) x 4096 + 0.5) = floor(8193.50 + 0.5).
  EXPECT_EQ(row("gain_lsb"), (V{8194, 8194, 8194, 8194}));
  // Growth 5 log2 4 - 1 = 9: 30 less one for symmetry.
  EXPECT_EQ(row("cic_shift"), (V{29, 29, 29, 29}));
  EXPECT_EQ(row("cic_rcv_cross"), (V{0, 1, 0, 1}));  // Q halves cross over
  // 512 even taps over decimation 8: 32 per phase, rate 2; the candidates
  // are rates 1 and 2 (8 x 3 > 16), 128 x u taps, doubled by symmetry.
  EXPECT_TRUE(Contains(analysis_,
                       "0.250   22.5    128           256       \n"
                       "0.500   45.0    256           512 X     \n"));
  // 4 x 0.55 x 2 / 4 + 1.5 = 2.6; x 80 x 1.8 = 374.4.
  EXPECT_TRUE(Contains(analysis_, "Estimate power is   374mW at  80.0 MHz and 1.8V\n"));
}

}  // namespace
}  // namespace cmd7730
