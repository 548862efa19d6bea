// Whole runs of the built compiler beyond the bundled examples (which
// tests/e2e covers): the sync modes, one real transmit channel and a complex
// double-rate receive pair, checked through the variable table.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace cmd7730 {
namespace {

using testing::run_binary;
using testing::ScratchDir;

constexpr const char* kFourReceive =
    "mode ab r\nmode cd r\nfck = 100\nprint table\nprint debug\n"
    "channel 0\nfir_coef lp.coef\nfreq = 10.7\ncic_dec = 8\nfir_dec = 2\npins = 16\nbits = 16\n"
    "mix_rcv_sel = 0\n"
    "channel 1\ncopy_channel 0\nfir_coef lp.coef\nfreq = 12.5\nmix_rcv_sel = 1\n"
    "channel 2\ncopy_channel 0\nfir_coef lp.coef\nfreq = 21.4\nmix_rcv_sel = 2\n"
    "channel 3\ncopy_channel 0\nfir_coef lp.coef\nfreq = -30\nmix_rcv_sel = 3\n";

struct Outcome {
  testing::RunResult result;
  std::string table;
  std::string debug;
};

// Runs `control` as c.txt next to both coefficient files.
Outcome compile(const std::string& control) {
  ScratchDir dir;
  // A symmetric 31-tap lowpass and a 40-tap interpolating lowpass.
  dir.write("lp.coef", testing::read_file(CMD7730_SOURCE_DIR "/examples/lowpass31.coef"));
  dir.write("interp.coef", testing::read_file(CMD7730_SOURCE_DIR "/examples/interp40.coef"));
  dir.write("c.txt", control);
  Outcome run;
  run.result = run_binary(dir.path(), {"c.txt"});
  if (dir.exists("c.tbl")) run.table = dir.read("c.tbl");
  if (dir.exists("c.dbg")) run.debug = dir.read("c.dbg");
  return run;
}

// The values of one row of the variable table: one for a chip-wide
// variable, four for a channel variable; empty when the row is missing.
std::vector<int> row(const std::string& table, const std::string& name) {
  std::istringstream lines(table);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string first;
    if (!(words >> first) || first != name) continue;
    std::vector<int> values;
    for (int v; words >> v;) values.push_back(v);
    return values;
  }
  return {};
}

using V = std::vector<int>;

TEST(ConfigurationE2e, SyncModesZeroEightAndTen) {
  struct Case {
    int mode, source, one_shot, status, errors;
  };
  for (const Case& k : {Case{0, 2, 1, 0, 0}, Case{8, 4, 3, 0, 0}, Case{10, -1, 1, 1, 4}}) {
    const Outcome run =
        compile(std::string(kFourReceive) + "sync_mode = " + std::to_string(k.mode) + "\n");
    ASSERT_FALSE(run.result.signaled);
    EXPECT_EQ(run.result.status, k.status) << k.mode << run.result.err;
    int errors = 0;
    for (size_t at = run.result.err.find("Error"); at != std::string::npos;
         at = run.result.err.find("Error", at + 1)) {
      ++errors;
    }
    EXPECT_EQ(errors, k.errors) << run.result.err;
    if (k.errors > 0) {
      EXPECT_NE(run.result.err.find("Error: sync_mode unknown! Must be from 0 - 9.\n"),
                std::string::npos);
    }
    const V s(4, k.source);
    for (const char* name : {"fir_sync", "dith_sync", "nco_sync", "cic_sync"}) {
      EXPECT_EQ(row(run.table, name), s) << name << " " << k.mode;
    }
    const V idle(4, k.errors > 0 ? -1 : 7);
    EXPECT_EQ(row(run.table, "sck_sync"), idle) << k.mode;
    EXPECT_EQ(row(run.table, "gain_sync"), idle) << k.mode;
    EXPECT_EQ(row(run.table, "soB_sync"), (V{4})) << k.mode;
    EXPECT_EQ(row(run.table, "one_shot"), (V{k.one_shot})) << k.mode;
  }
}

TEST(ConfigurationE2e, OneRealTransmitChannel) {
  const Outcome run = compile(
      "mode ab t\nmode cd r\nfck = 100\npwr_dwn_fir_B = 1\npwr_dwn_cic_CD = 1\n"
      "tout_nsig = 1\ntout_cmplx = 0\nprint table\nprint debug\n"
      "channel 0\nfir_coef interp.coef\nfreq = 20\ncic_int = 8\nfir_int = 2\ntinf_cmplx = 1\n"
      "pins = 16\nbits = 16\n"
      "channel 1\npins = 16\nbits = 16\nchannel 2\npins = 16\nbits = 16\n"
      "channel 3\npins = 16\nbits = 16\n");
  ASSERT_FALSE(run.result.signaled);
  EXPECT_EQ(run.result.status, 0) << run.result.err;
  const std::string& t = run.table;
  EXPECT_EQ(row(t, "freq_msb"), (V{13107, -1, -1, -1}));
  EXPECT_EQ(row(t, "ncic"), (V{7, -1, -1, -1}));  // B, C, D never got a CIC rate
  EXPECT_EQ(row(t, "cic_rcv"), (V{2, 2, 1, 1}));
  EXPECT_EQ(row(t, "cic_bypass"), (V{0, 0, 0, 0}));
  EXPECT_EQ(row(t, "mix_icos"), (V{3, 3, 1, 1}));
  EXPECT_EQ(row(t, "mix_qsin"), (V{3, 3, 0, 0}));
  EXPECT_EQ(row(t, "mix_isin"), (V{0, 0, 1, 1}));  // real output: no I*sin product
  EXPECT_EQ(row(t, "sum_selI"), (V{3}));
  EXPECT_EQ(row(t, "sum_selQ"), (V{0}));
  EXPECT_EQ(row(t, "sum_ia"), (V{2}));
  EXPECT_EQ(row(t, "sum_qb"), (V{1}));
  EXPECT_EQ(row(t, "toutf_bo"), (V{0}));
  EXPECT_EQ(row(t, "toutf_quiet_CD"), (V{1}));
  EXPECT_EQ(row(t, "toutf_xmt_AB"), (V{1}));
  EXPECT_EQ(row(t, "toutf_xmt_CD"), (V{0}));
  EXPECT_NE(run.debug.find("Debug(.\\config L462): doxmit1x R1FN10N \n"), std::string::npos);
}

TEST(ConfigurationE2e, DoubleRateComplexReceivePair) {
  const Outcome run = compile(
      "mode ab r\nmode cd r\nfck = 100\nrin_rate = 2\nrin_cmplx = 1\npwr_dwn_cic_CD = 1\n"
      "print table\n"
      "channel 0\nfir_coef lp.coef\nfreq_msb = 0x8001\nphase = 100\ncic_dec = 8\nfir_dec = 2\n"
      "pins = 16\nbits = 16\n"
      "channel 1\ncopy_channel 0\nfir_coef lp.coef\nfreq_msb = 5\n"
      "channel 2\npins = 16\nbits = 16\nchannel 3\npins = 16\nbits = 16\n");
  ASSERT_FALSE(run.result.signaled);
  EXPECT_EQ(run.result.status, 0) << run.result.err;
  const std::string& t = run.table;
  EXPECT_EQ(row(t, "splitiq"), (V{1}));
  EXPECT_EQ(row(t, "mix_rcv_sel"), (V{0, 2, 0, 2}));
  EXPECT_EQ(row(t, "cic_2x"), (V{1, 1, 1, 1}));
  EXPECT_EQ(row(t, "ncic"), (V{3, 3, -1, -1}));
  // B runs A's oscillator half a sample ahead: 100 + (-32767 / 2 rounded up).
  EXPECT_EQ(row(t, "freq_msb"), (V{0x8001, 0x8001, -1, -1}));
  EXPECT_EQ(row(t, "phase"), (V{100, 49253, 0, 0}));
  EXPECT_EQ(row(t, "cic_rcv_cross"), (V{1, 1, 1, 1}));
  EXPECT_EQ(row(t, "mix_rcv_cmplx"), (V{1, 1, 1, 1}));
  EXPECT_EQ(row(t, "mix_qcos"), (V{1, 1, 1, 1}));
}

}  // namespace
}  // namespace cmd7730
