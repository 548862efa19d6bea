// Chips set up by hand as the computation steps would have left them, with
// the analysis output and the console captured in memory.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "core/run_state.h"

namespace cmd7730::testing {

// Splits text into lines; a trailing line without "\n" is kept as the last.
inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) out.push_back(line);
  return out;
}

// Stores integer settings by field, for compact set-ups.
template <typename S>
struct Field {
  int S::*cell;
  int value;
};
template <typename S>
void assign(S& s, std::initializer_list<Field<std::type_identity_t<S>>> fields) {
  for (const auto& f : fields) s.*f.cell = f.value;
}
using C = ChannelSettings;
using K = ChipSettings;

// Chip-wide settings that trip no check: single rate, no split I/Q, no hold,
// one real transmit sum, general timer on its own sync, CD's CIC off.
inline void quiet_chip(RunState& st) {
  assign(st.chip, {{&K::tout_rate, 1},
                   {&K::rin_rate, 1},
                   {&K::splitiqAB, 0},
                   {&K::splitiqCD, 0},
                   {&K::toutf_hold, 0},
                   {&K::toutf_hold_sync, 7},
                   {&K::toutf_halfcmplx_AB, 0},
                   {&K::toutf_halfcmplx_CD, 0},
                   {&K::sum_selI, 0x03},
                   {&K::sum_selQ, 0},
                   {&K::rin_cmplx, 0},
                   {&K::gen_timer_sync, 7},
                   {&K::master_reset, 0},
                   {&K::pwr_dwn_cic_AB, 0},
                   {&K::pwr_dwn_cic_CD, 1}});
  st.chip.fck = 100.0;
}

inline void power_down(RunState& st, int c) { st.ch[c].powerdown = 1; }

// A receive channel: cic_dec 8 (ncic 7), fir_dec 4, 64 real taps summing to
// 65536, the AGC on with agc_tc 1000 us at 100 MHz and agc_cf 10 dB, mode 2.
// Gain step results: fir_shift 5 (fir_gain 1), cic_shift 25 (cic_gain
// 8^5 * 2^-14 = 2), gain word 8192, D = floor(log2(3125) - 1.25) = 10,
// agc_Dzro = agc_Dsat = 6, agc_min 1022, agc_max 64256, agc_thresh 103.
inline void receive_channel(RunState& st, int c) {
  C& ch = st.ch[c];
  assign(
      ch,
      {{&C::powerdown, 0},    {&C::xmt, 0},          {&C::sck_div, 0},     {&C::fir_int, 1},
       {&C::fir_dec, 4},      {&C::cic_int, 1},      {&C::cic_dec, 8},     {&C::ncic, 7},
       {&C::fir_clk_cnt, 3},  {&C::agc_gain_out, 0}, {&C::gain_rnd, 0},    {&C::phase, 0},
       {&C::freq_msb, 0x12},  {&C::routf_iqmux, 1},  {&C::swap_cmplx, 1},  {&C::fir_sym, 0},
       {&C::tinf_fso_dly, 1}, {&C::fir_cmplx, 0},    {&C::fir_nchan, 1},   {&C::coefsym, 0},
       {&C::coef_sym, 0},     {&C::ncoefs, 64},      {&C::sumtap, 65536},  {&C::maxtap, -3000},
       {&C::inrateT, 1},      {&C::fir_shift, 5},    {&C::cic_shift, 25},  {&C::cic_rshift, 1},
       {&C::gain_msb, 0},     {&C::gain_lsb, 8192},  {&C::agc_freeze, 0},  {&C::agc_Dzro, 6},
       {&C::agc_Dsat, 6},     {&C::agc_min, 1022},   {&C::agc_max, 64256}, {&C::agc_thresh, 103}});
  ch.coef_loaded = true;
  ch.possible_inrates = {1, 2, 3, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  ch.overall_gain = 2.0;
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
  C& ch = st.ch[c];
  assign(ch,
         {{&C::powerdown, 0},   {&C::xmt, 1},          {&C::sck_div, 0},      {&C::fir_int, 1},
          {&C::fir_dec, 1},     {&C::cic_int, 5},      {&C::cic_dec, 1},      {&C::ncic, 4},
          {&C::fir_clk_cnt, 1}, {&C::agc_gain_out, 0}, {&C::bits, 16},        {&C::pins, 4},
          {&C::tinf_fs_cnt, 4}, {&C::tinf_src, 0},     {&C::tinf_xmt, 0},     {&C::sck_sync, 0},
          {&C::tinf_cmplx, 1},  {&C::bypass_mix, 0},   {&C::tinf_fso_dly, 1}, {&C::fir_cmplx, 1},
          {&C::fir_nchan, 1},   {&C::fir_sym, 1},      {&C::coefsym, 1},      {&C::coef_sym, 1},
          {&C::ncoefs, 1},      {&C::sumtap, 32767},   {&C::maxtap, 32767},   {&C::inrateT, 2},
          {&C::gain_msb, 0},    {&C::gain_lsb, 2684},  {&C::fir_shift, 7},    {&C::cic_shift, 29}});
  ch.coef_loaded = true;
  ch.possible_inrates = {2, 4, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  ch.overall_gain = 1.0;
  ch.gain = 2684.0 / 4096.0;
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
