// Storage of every chip variable, as named struct fields.
//
// The catalogue (catalogue.h) points its entries at these cells; the
// computation phases read and write them directly by name.  Every cell starts
// at the unset marker: -1 for integers, -1.0 for the wide (double) variables.
#pragma once

#include <array>
#include <cstdint>

namespace cmd7730 {

inline constexpr int kUnset = -1;
inline constexpr double kUnsetWide = -1.0;
inline constexpr int kMaxCoefs = 512;

// Chip-wide registers and parameters (one value each), plus the output
// selection chosen by `print` lines.
struct ChipSettings {
  int ck_loss_status = -1, en_ck_loss = -1, pwr_dwn_fir_A = -1, pwr_dwn_fir_B = -1,
      pwr_dwn_fir_C = -1, pwr_dwn_fir_D = -1;
  int pwr_dwn_cic_AB = -1, pwr_dwn_cic_CD = -1, master_reset = -1, soB_sync = -1, one_shot = -1,
      page = -1;
  int chip_rev = -1, en_AO = -1, en_AFS = -1, en_BO = -1, en_BFS = -1, en_CO = -1;
  int en_CFS = -1, en_DO = -1, en_DFS = -1, en_soB = -1, ckp_A = -1, ckp_B = -1;
  int ckp_C = -1, ckp_D = -1, sumin_clr = -1, tx_pat_gen = -1, rcv_cksum = -1, sum_selI = -1;
  int sum_selQ = -1, sum_shift = -1, sum_ia = -1, sum_ib = -1, sum_qa = -1, sum_qb = -1;
  int sum_in = -1, sum_of_Ia = -1, sum_of_Ib = -1, sum_of_Qa = -1, sum_of_Qb = -1, rcv_noise_A = -1;
  int rcv_noise_B = -1, rcv_noise_C = -1, rcv_noise_D = -1, rinf_sel_A = -1, rinf_sel_B = -1,
      rinf_sel_C = -1;
  int rinf_sel_D = -1, gen_timer = -1, rinf_zpad = -1, rinf_diag = -1, gen_timer_test = -1,
      gen_timer_sync = -1;
  int cksum_sync_front = -1, rinf_zpad_sync = -1, toutf_hold_sync = -1, toutf_do = -1,
      toutf_co = -1, toutf_bo = -1;
  int toutf_rnd_AB = -1, toutf_offsetbin = -1, toutf_halfcmplx_AB = -1, toutf_hold = -1,
      toutf_rnd_CD = -1, toutf_quiet_CD = -1;
  int toutf_halfcmplx_CD = -1, toutf_xmt_CD = -1, toutf_sumin = -1, toutf_xmt_AB = -1, t_cksum = -1,
      sync_mode = -1;
  int rin_cmplx = -1, rin_rate = -1, routf_tdm = -1, tinf_tdm = -1, tout_cmplx = -1, tout_res = -1;
  int tout_nsig = -1, tout_rate = -1, tout_sumin = -1, splitiqAB = -1, splitiqCD = -1, splitiq = -1;
  double fck = -1.0;

  // Output selection: bit 1 analysis, 2 zq220, 4 sim, 8 table, 16 debug,
  // 32 C header.
  int print_flags = 0;
};

// Declared direction of a channel pair: -1 undeclared, 1 transmit, 2 receive.
struct PairSettings {
  int mode = -1;
};

inline constexpr int kModeUndeclared = -1;
inline constexpr int kModeTransmit = 1;
inline constexpr int kModeReceive = 2;

// One channel (A..D): its channel- and pair-scope variables, coefficient
// list, FIR memory images and the working values the computations share.
struct ChannelSettings {
  int coef_ofsc = -1, coef_modc = -1, coef_repc = -1, coef_sym = -1, coef_zerofr = -1,
      agen_recr = -1;
  int agen_depd = -1, agen_modd = -1, agen_togen = -1, fragen_soff = -1, fragen_srecr = -1,
      fragen_sdepd = -1;
  int fragen_stepn = -1, fwagen_soff = -1, fwagen_srecr = -1, fwagen_sdepd = -1, fwagen_wrecrl = -1,
      bragen_soff = -1;
  int bragen_srecr = -1, bragen_sdepd = -1, bragen_stepn = -1, bwagen_soff = -1, bwagen_srecr = -1,
      bwagen_sdepd = -1;
  int bwagen_wrecrl = -1, beragen_soff = -1, beragen_srecr = -1, beragen_sdepd = -1,
      beragen_stepn = -1, bewagen_soff = -1;
  int bewagen_srecr = -1, bewagen_sdepd = -1, bewagen_wrecrl = -1, fwa_strobe = -1, bwa_strobe = -1,
      beagen_rbypass = -1;
  int tinf_bits = -1, tinf_pins = -1, tinf_iqmux = -1, tinf_pariq = -1, tinf_src = -1,
      tinf_xmt = -1;
  int fso_sel = -1, tinf_first = -1, tinf_second = -1, sck_div = -1, tinf_fso_dly = -1,
      tinf_fs_cnt = -1;
  int tinf_nfs = -1, gain_lsb = -1, gain_msb = -1, agc_freeze = -1, gain_rnd = -1, gain_half = -1;
  int agc_hold = -1, agc_gain_out = -1, agc_zmag = -1, agc_min = -1, agc_max = -1,
      agc_zero_cnt = -1;
  int agc_sat_cnt = -1, agc_thresh = -1, agc_Dblw = -1, agc_Dabv = -1, agc_Dzro = -1, agc_Dsat = -1;
  int gain_read = -1, pwr_meter_lsb = -1, pwr_meter_msb = -1, pwr_meter_trig = -1,
      pwr_mtr_integ = -1, pwr_mtr_on = -1;
  int routf_pins = -1, routf_bits = -1, routf_iqmux = -1, routf_pwrdown = -1, routf_ctdm = -1,
      pwr_test = -1;
  int swap_wa_cnt = -1, swap_ra_cnt = -1, swap_xmt = -1, swap_cmplx = -1, fir_fb = -1, swap_fb = -1;
  int swap_rcv_tdly = -1, acc_dly = -1, acc_cnt = -1, acc_dly0 = -1, acc_bypass = -1,
      acc_enram = -1;
  int fir_shift = -1, fir_xenq = -1, fir_xeni = -1, fir_half = -1, fir_rnd20 = -1, fir_cmplx = -1;
  int fir_sync_cnt = -1, fir_clk_cnt = -1, fir_clk_cnt_en = -1, fir_test = -1, fir_en_sync_cnt = -1,
      cksum_sync_back = -1;
  int fir_sync = -1, coef_sync = -1, gain_sync = -1, pwr_mtr_sync = -1, sck_sync = -1,
      cic_shift = -1;
  int cic_rcv = -1, cic_xmt_5stg = -1, cic_rshift = -1, cic_2x = -1, cic_xmt_d6stg = -1,
      cic_rcv_cross = -1;
  int cic_rcv_full = -1, cic_bypass = -1, cic_fl_status = -1, phase = -1, freq_lsb = -1,
      freq_mid = -1;
  int freq_msb = -1, mix_rcv_sel = -1, mix_rcv_cmplx = -1, mix_inv_qsin = -1, mix_qsin = -1,
      mix_inv_qcos = -1;
  int mix_qcos = -1, mix_inv_isin = -1, mix_isin = -1, mix_inv_icos = -1, mix_icos = -1,
      freq_sync = -1;
  int phase_sync = -1, dith_sync = -1, nco_sync = -1, flush_sync = -1, dith_test = -1, ncic = -1;
  int cic_sync = -1, agc_mode = -1, agc_tc = -1, agc_cf = -1, fir_dec = -1, fir_int = -1;
  int fir_diff = -1, fir_nchan = -1, tinf_cmplx = -1, tinf_fs_dly = -1, bypass_mix = -1,
      bypass_cic = -1;
  int bypass_fir = -1, pins = -1, bits = -1, cic_int = -1, cic_dec = -1, fir_sym = -1;
  int xmt = -1, powerdown = -1, coefsym = -1, ncoefs = -1, maxtap = -1, sumtap = -1;
  double gain = -1.0, overall_gain = -1.0, freq = -1.0;

  // Coefficient list read by `fir_coef` (ncoefs of them used).
  std::array<int32_t, kMaxCoefs> coefs{};
  // Set when a coefficient file was read for this channel (not by copy).
  bool coef_loaded = false;

  // FIR memory images: coefficient RAM (16 cells x 16 words), backward
  // endcell RAM and swap RAM.
  std::array<int32_t, 256> coefram{};
  std::array<int32_t, 16> BERAM{};
  std::array<int32_t, 16> SWRAM{};

  // FIR search results: candidate input rates (-1 ends the list) and the
  // chosen one (-1 when none).
  std::array<int32_t, 16> possible_inrates{-1, -1, -1, -1, -1, -1, -1, -1,
                                           -1, -1, -1, -1, -1, -1, -1, -1};
  int32_t inrateT = -1;

  // Mixer sample rate in MHz (mixer step).
  double fsample = 0.0;

  // Stage gains, read by the gain analysis report.
  double zpad_gain = 0.0;
  double mix_gain = 0.0;
  double rshift_gain = 0.0;
  double cic_gain = 0.0;
  double fir_gain = 0.0;
  double sum_gain = 0.0;
  double fir_peak_gain = 0.0;
  int agc_step = 0;
  double agc_time_constant = 0.0;
};

}  // namespace cmd7730
