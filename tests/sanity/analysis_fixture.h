// Chips set up by hand as the computation steps would have left them, with
// the analysis output and the console captured in memory.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "frontend/run_state.h"

namespace cmd7730::testing {

// Splits text into lines; a trailing line without "\n" is kept as the last.
inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) out.push_back(line);
  return out;
}

// Chip-wide settings that trip no check: single rate, no split I/Q, no hold,
// one real transmit sum, general timer on its own sync.
inline void quiet_chip(RunState& st) {
  ChipSettings& k = st.chip;
  k.tout_rate = 1;
  k.rin_rate = 1;
  k.splitiqAB = 0;
  k.splitiqCD = 0;
  k.toutf_hold = 0;
  k.toutf_hold_sync = 7;
  k.toutf_halfcmplx_AB = 0;
  k.toutf_halfcmplx_CD = 0;
  k.sum_selI = 0x03;
  k.sum_selQ = 0;
  k.rin_cmplx = 0;
  k.gen_timer_sync = 7;
  k.master_reset = 0;
  k.pwr_dwn_cic_AB = 0;
  k.pwr_dwn_cic_CD = 1;
  k.fck = 100.0;
}

inline void power_down(RunState& st, int c) { st.ch[c].powerdown = 1; }

// A receive channel: cic_dec 8 (ncic 7), fir_dec 4, 64 real taps summing to
// 65536, the AGC on with agc_tc 1000 us at 100 MHz and agc_cf 10 dB, mode 2.
// Gain step results: fir_shift 5 (fir_gain 1), cic_shift 25 (cic_gain
// 8^5 * 2^-14 = 2), gain word 8192, D = floor(log2(3125) - 1.25) = 10,
// agc_Dzro = agc_Dsat = 6, agc_min 1022, agc_max 64256, agc_thresh 103.
inline void receive_channel(RunState& st, int c) {
  ChannelSettings& ch = st.ch[c];
  ch.powerdown = 0;
  ch.xmt = 0;
  ch.sck_div = 0;
  ch.fir_int = 1;
  ch.fir_dec = 4;
  ch.cic_int = 1;
  ch.cic_dec = 8;
  ch.ncic = 7;
  ch.fir_clk_cnt = 3;
  ch.agc_gain_out = 0;
  ch.gain_rnd = 0;
  ch.freq_msb = 0x1234;
  ch.phase = 0;
  ch.routf_iqmux = 1;
  ch.swap_cmplx = 1;
  ch.tinf_fso_dly = 1;
  ch.fir_sym = 0;
  ch.fir_cmplx = 0;
  ch.fir_nchan = 1;
  ch.coefsym = 0;
  ch.coef_sym = 0;
  ch.ncoefs = 64;
  ch.sumtap = 65536;
  ch.maxtap = -3000;
  ch.coef_loaded = true;
  ch.possible_inrates = {1, 2, 3, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  ch.inrateT = 1;
  ch.overall_gain = 2.0;
  ch.fir_shift = 5;
  ch.cic_shift = 25;
  ch.cic_rshift = 1;
  ch.gain_msb = 0;
  ch.gain_lsb = 8192;
  ch.agc_freeze = 0;
  ch.agc_Dzro = 6;
  ch.agc_Dsat = 6;
  ch.agc_min = 1022;
  ch.agc_max = 64256;
  ch.agc_thresh = 103;
  ch.zpad_gain = 1.0;
  ch.mix_gain = 0.5;
  ch.rshift_gain = 1.0;
  ch.cic_gain = 2.0;
  ch.fir_gain = 1.0;
  ch.agc_step = 10;
  ch.agc_time_constant = 3444.3117172617;  // 2^11.75
}

// A transmit channel: one coefficient 32767, fir_int 1, cic_int 5 (six
// stages, ncic 4), complex input, tout_nsig 4.  Gain step results: fir_shift
// 7 (fir_gain = fir_peak_gain = 32767/16384), cic_shift 29 (cic_gain
// 3125/4096), gain word 2684, sum_gain 1.  FIR search: step 2, candidates 2
// and 4 with 31 and 63 taps allowed, rate 2 chosen.
inline void transmit_channel(RunState& st, int c) {
  ChannelSettings& ch = st.ch[c];
  ch.powerdown = 0;
  ch.xmt = 1;
  ch.sck_div = 0;
  ch.fir_int = 1;
  ch.fir_dec = 1;
  ch.cic_int = 5;
  ch.cic_dec = 1;
  ch.ncic = 4;
  ch.fir_clk_cnt = 1;
  ch.agc_gain_out = 0;
  ch.bits = 16;
  ch.pins = 4;
  ch.tinf_fs_cnt = 4;
  ch.tinf_src = 0;
  ch.tinf_xmt = 0;
  ch.sck_sync = 0;
  ch.tinf_cmplx = 1;
  ch.bypass_mix = 0;
  ch.tinf_fso_dly = 1;
  ch.fir_cmplx = 1;
  ch.fir_nchan = 1;
  ch.fir_sym = 1;
  ch.coefsym = 1;
  ch.coef_sym = 1;
  ch.ncoefs = 1;
  ch.sumtap = 32767;
  ch.maxtap = 32767;
  ch.coef_loaded = true;
  ch.possible_inrates = {2, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  ch.inrateT = 2;
  ch.overall_gain = 1.0;
  ch.gain = 2684.0 / 4096.0;
  ch.gain_msb = 0;
  ch.gain_lsb = 2684;
  ch.fir_shift = 7;
  ch.cic_shift = 29;
  ch.fir_gain = 32767.0 / 16384.0;
  ch.fir_peak_gain = 32767.0 / 16384.0;
  ch.cic_gain = 3125.0 / 4096.0;
  ch.sum_gain = 1.0;
}

class AnalysisTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st->console.open_memory();
    st->out[kAnalysis].open_memory();
    st->chip.print_flags |= output_bit(kAnalysis);
    quiet_chip(*st);
  }
  std::string analysis() const { return st->out[kAnalysis].captured(); }
  std::string console() const { return st->console.captured(); }

  std::unique_ptr<RunState> st = std::make_unique<RunState>();
};

}  // namespace cmd7730::testing
