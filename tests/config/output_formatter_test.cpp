// Transmit output formatter: checks, port budget, sum selectors, summing
// modes, port codes and the two listing lines.
#include "config/output_formatter.h"

#include <gtest/gtest.h>

#include "core/run_state.h"
#include "support/chip_setup.h"

namespace cmd7730 {
namespace {

using testing::chip_with_modes;
using testing::count_of;
using testing::R;
using testing::T;

// A chip with `k` active transmit channels (pair CD receiving unless `k`
// needs it) producing `n` signals.
std::unique_ptr<RunState> transmit_chip(int k, int n, int cmplx, int rate, int res = 0) {
  auto st = chip_with_modes(T, k > 2 ? T : R);
  for (auto& c : st->ch) c.powerdown = 0;
  st->active_transmit_count = k;
  st->chip.tout_nsig = n;
  st->chip.tout_cmplx = cmplx;
  st->chip.tout_rate = rate;
  st->chip.tout_res = res;
  st->chip.tout_sumin = 0;
  st->chip.splitiqAB = st->chip.splitiqCD = 0;
  testing::open_debug(*st);
  return st;
}

TEST(PortCodeWord, TableAndMissingCombinations) {
  EXPECT_EQ(port_code_word(0, 1, 1, 2), 0x182f);
  EXPECT_EQ(port_code_word(1, 1, 1, 1), 0x488f);
  EXPECT_EQ(port_code_word(2, 2, 1, 0), 0x850c);
  // Complex at half rate takes the real full-rate layout.
  for (int res : {0, 1, 2}) {
    EXPECT_EQ(port_code_word(res, 1, 1, 0), port_code_word(res, 1, 0, 1)) << res;
  }
  EXPECT_EQ(port_code_word(1, 4, 0, 1), -1);
  EXPECT_EQ(port_code_word(0, 1, 0, 3), -1);
}

TEST(OutputFormatter, OneRealSignalFromOneChannel) {
  auto st = transmit_chip(1, 1, 0, 1);
  output_formatter_step(*st);
  const ChipSettings& c = st->chip;
  EXPECT_EQ(c.sum_selI, 0x03);
  EXPECT_EQ(c.sum_selQ, 0);
  EXPECT_EQ(c.sum_ia, 2);
  EXPECT_EQ(c.sum_qa, 0);
  EXPECT_EQ(c.sum_ib, 0);
  EXPECT_EQ(c.sum_qb, 1);
  EXPECT_EQ(c.sum_in, 0);
  EXPECT_EQ(c.toutf_bo, 0);
  EXPECT_EQ(c.toutf_co, 0);
  EXPECT_EQ(c.toutf_do, 0);
  EXPECT_EQ(c.toutf_rnd_AB, 1);
  EXPECT_EQ(c.toutf_rnd_CD, 1);
  EXPECT_EQ(c.toutf_quiet_CD, 1);
  EXPECT_EQ(c.toutf_halfcmplx_AB, 0);
  EXPECT_EQ(c.toutf_xmt_AB, 1);
  EXPECT_EQ(c.toutf_xmt_CD, 0);
  EXPECT_EQ(st->console.captured(), "");
  EXPECT_EQ(st->out[kDebug].captured(),
            "Debug(.\\config L462): doxmit1x R1FN10N \n"
            "Debug(.\\config L645):  0x8 0x41 0x3  0x213 1 1 3 1\n\n");
}

TEST(OutputFormatter, ComplexHalfRateSharesTheRealFullRatePorts) {
  auto st = transmit_chip(1, 1, 1, 0);
  output_formatter_step(*st);
  EXPECT_EQ(st->chip.toutf_halfcmplx_AB, 1);
  EXPECT_EQ(st->chip.toutf_halfcmplx_CD, 1);
  EXPECT_EQ(st->chip.toutf_do, 0);
  EXPECT_EQ(st->console.captured(), "");
}

TEST(OutputFormatter, ComplementarySignallingNeedsFourPortsNotFreeInTransceive) {
  auto st = transmit_chip(2, 2, 0, 1, 2);
  st->ch[2].xmt = 0;  // C is a live receiver
  output_formatter_step(*st);
  EXPECT_EQ(st->chip.toutf_do, 16);
  EXPECT_EQ(st->chip.toutf_co, 2);
  EXPECT_EQ(st->chip.toutf_bo, 8);
  EXPECT_EQ(st->console.captured(), "Error: Only 2 output paths available when in transceive\n");
}

TEST(OutputFormatter, CountMismatchesReportAndStillDerive) {
  {
    auto st = transmit_chip(4, 3, 0, 1);
    output_formatter_step(*st);
    EXPECT_EQ(st->console.captured(), "Error: tout_nsig must be 1, 2 or 4\n");
    EXPECT_EQ(st->chip.sum_selI, 0xa7);
    EXPECT_EQ(st->chip.toutf_co, 1);  // 0x120e
    EXPECT_EQ(st->chip.toutf_bo, 1);
  }
  {
    // Fewer channels than signals: the listing's provisional shift is 0.
    auto st = transmit_chip(2, 4, 0, 1);
    st->ch[2].powerdown = st->ch[3].powerdown = 1;  // all four ports free
    output_formatter_step(*st);
    EXPECT_EQ(st->console.captured(), "Error: Fewer channels being generated than output\n");
    EXPECT_NE(st->out[kDebug].captured().find(" 4 2 0 1\n"), std::string::npos);
  }
  {
    // No signal count at all: reported, nothing divides by it.
    auto st = transmit_chip(1, 0, 0, 1);
    output_formatter_step(*st);
    EXPECT_EQ(st->console.captured(),
              "Error: tout_nsig must be 1, 2 or 4\n"
              "Error: valid paths are 1, 2 or 4\n"
              "Error: toutf missed a case\n");
    EXPECT_NE(st->out[kDebug].captured().find(" 0 1 0 1\n"), std::string::npos);
  }
}

TEST(OutputFormatter, IllegalResolutionAndRateGiveAllOnesCodes) {
  {
    auto st = transmit_chip(1, 1, 0, 1, 3);
    output_formatter_step(*st);
    const std::string& out = st->console.captured();
    EXPECT_EQ(count_of(out, "Error: How did we get here, res/diff\nError: toutf missed a case\n"),
              1);
    EXPECT_EQ(st->chip.toutf_bo, 15);
    EXPECT_EQ(st->chip.toutf_co, 7);
    EXPECT_EQ(st->chip.toutf_do, 31);
  }
  {
    auto st = transmit_chip(2, 1, 0, 3);
    output_formatter_step(*st);
    const std::string& out = st->console.captured();
    EXPECT_EQ(count_of(out, "Error: tout_rate must be 0, 1 or 2\n"), 1);
    EXPECT_EQ(count_of(out, "Error: toutf missed a case\n"), 1);
    EXPECT_EQ(st->chip.sum_selI, kUnset);
    EXPECT_EQ(st->chip.sum_selQ, 0);
  }
}

TEST(OutputFormatter, SumInputAndSplitSelectors) {
  auto st = transmit_chip(2, 1, 1, 1);
  st->chip.tout_sumin = 1;
  st->chip.splitiq = 1;
  st->ch[2].xmt = 1;  // pair CD transmits too (but is not counted here)
  st->ch[3].xmt = 1;
  output_formatter_step(*st);
  EXPECT_EQ(st->chip.sum_selI, 11);
  EXPECT_EQ(st->chip.sum_selQ, 11);
  EXPECT_EQ(st->chip.sum_ia, 3);  // 16-bit sum input for complex full rate
  EXPECT_EQ(st->chip.sum_in, 2);
  EXPECT_EQ(st->chip.toutf_sumin, 1);
  EXPECT_EQ(st->console.captured(), "");
}

TEST(OutputFormatter, NoActiveTransmitChannelSetsNothing) {
  auto st = transmit_chip(0, 1, 0, 1);
  output_formatter_step(*st);
  EXPECT_EQ(st->chip.sum_selI, kUnset);
  EXPECT_EQ(st->chip.toutf_rnd_AB, kUnset);
  EXPECT_EQ(st->out[kDebug].captured(), "");
}

}  // namespace
}  // namespace cmd7730
