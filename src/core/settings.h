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

// The chip variables of the register map live in the blocks below, one
// field per line in register-map order (catalogue/register_map.cpp), so the
// two lists can be compared line for line.  Each block holds nothing but
// variables of one kind and one type: the register map checks when it is
// compiled that its rows of that kind name every field of the block exactly
// once.  Anything else a settings record holds goes in the record itself.

// Chip-wide integer variables (GLOBAL rows).
struct ChipVariables {
  int ck_loss_status = -1;
  int en_ck_loss = -1;
  int pwr_dwn_fir_A = -1;
  int pwr_dwn_fir_B = -1;
  int pwr_dwn_fir_C = -1;
  int pwr_dwn_fir_D = -1;
  int pwr_dwn_cic_AB = -1;
  int pwr_dwn_cic_CD = -1;
  int master_reset = -1;
  int soB_sync = -1;
  int one_shot = -1;
  int page = -1;
  int chip_rev = -1;
  int en_AO = -1;
  int en_AFS = -1;
  int en_BO = -1;
  int en_BFS = -1;
  int en_CO = -1;
  int en_CFS = -1;
  int en_DO = -1;
  int en_DFS = -1;
  int en_soB = -1;
  int ckp_A = -1;
  int ckp_B = -1;
  int ckp_C = -1;
  int ckp_D = -1;
  int sumin_clr = -1;
  int tx_pat_gen = -1;
  int rcv_cksum = -1;
  int sum_selI = -1;
  int sum_selQ = -1;
  int sum_shift = -1;
  int sum_ia = -1;
  int sum_ib = -1;
  int sum_qa = -1;
  int sum_qb = -1;
  int sum_in = -1;
  int sum_of_Ia = -1;
  int sum_of_Ib = -1;
  int sum_of_Qa = -1;
  int sum_of_Qb = -1;
  int rcv_noise_A = -1;
  int rcv_noise_B = -1;
  int rcv_noise_C = -1;
  int rcv_noise_D = -1;
  int rinf_sel_A = -1;
  int rinf_sel_B = -1;
  int rinf_sel_C = -1;
  int rinf_sel_D = -1;
  int gen_timer = -1;
  int rinf_zpad = -1;
  int rinf_diag = -1;
  int gen_timer_test = -1;
  int gen_timer_sync = -1;
  int cksum_sync_front = -1;
  int rinf_zpad_sync = -1;
  int toutf_hold_sync = -1;
  int toutf_do = -1;
  int toutf_co = -1;
  int toutf_bo = -1;
  int toutf_rnd_AB = -1;
  int toutf_offsetbin = -1;
  int toutf_halfcmplx_AB = -1;
  int toutf_hold = -1;
  int toutf_rnd_CD = -1;
  int toutf_quiet_CD = -1;
  int toutf_halfcmplx_CD = -1;
  int toutf_xmt_CD = -1;
  int toutf_sumin = -1;
  int toutf_xmt_AB = -1;
  int t_cksum = -1;
  int sync_mode = -1;
  int rin_cmplx = -1;
  int rin_rate = -1;
  int routf_tdm = -1;
  int tinf_tdm = -1;
  int tout_cmplx = -1;
  int tout_res = -1;
  int tout_nsig = -1;
  int tout_rate = -1;
  int tout_sumin = -1;
  int splitiqAB = -1;
  int splitiqCD = -1;
  int splitiq = -1;
};

// Chip-wide wide variables (GLOBAL_WIDE rows).
struct ChipWideVariables {
  double fck = -1.0;
};

// Chip-wide registers and parameters (one value each), plus the output
// selection chosen by `print` lines.
struct ChipSettings : ChipVariables, ChipWideVariables {
  // Output selection: one bit per output, output_bit(kind) of
  // core/output_kinds.h.
  int print_flags = 0;
};

// Declared direction of a channel pair: -1 undeclared, 1 transmit, 2 receive.
struct PairSettings {
  int mode = -1;
};

inline constexpr int kModeUndeclared = -1;
inline constexpr int kModeTransmit = 1;
inline constexpr int kModeReceive = 2;

// Channel- and pair-scope integer variables (CHANNEL and PAIR rows); each
// channel A..D has its own copy.
struct ChannelVariables {
  int coef_ofsc = -1;
  int coef_modc = -1;
  int coef_repc = -1;
  int coef_sym = -1;
  int coef_zerofr = -1;
  int agen_recr = -1;
  int agen_depd = -1;
  int agen_modd = -1;
  int agen_togen = -1;
  int fragen_soff = -1;
  int fragen_srecr = -1;
  int fragen_sdepd = -1;
  int fragen_stepn = -1;
  int fwagen_soff = -1;
  int fwagen_srecr = -1;
  int fwagen_sdepd = -1;
  int fwagen_wrecrl = -1;
  int bragen_soff = -1;
  int bragen_srecr = -1;
  int bragen_sdepd = -1;
  int bragen_stepn = -1;
  int bwagen_soff = -1;
  int bwagen_srecr = -1;
  int bwagen_sdepd = -1;
  int bwagen_wrecrl = -1;
  int beragen_soff = -1;
  int beragen_srecr = -1;
  int beragen_sdepd = -1;
  int beragen_stepn = -1;
  int bewagen_soff = -1;
  int bewagen_srecr = -1;
  int bewagen_sdepd = -1;
  int bewagen_wrecrl = -1;
  int fwa_strobe = -1;
  int bwa_strobe = -1;
  int beagen_rbypass = -1;
  int tinf_bits = -1;
  int tinf_pins = -1;
  int tinf_iqmux = -1;
  int tinf_pariq = -1;
  int tinf_src = -1;
  int tinf_xmt = -1;
  int fso_sel = -1;
  int tinf_first = -1;
  int tinf_second = -1;
  int sck_div = -1;
  int tinf_fso_dly = -1;
  int tinf_fs_cnt = -1;
  int tinf_nfs = -1;
  int gain_lsb = -1;
  int gain_msb = -1;
  int agc_freeze = -1;
  int gain_rnd = -1;
  int gain_half = -1;
  int agc_hold = -1;
  int agc_gain_out = -1;
  int agc_zmag = -1;
  int agc_min = -1;
  int agc_max = -1;
  int agc_zero_cnt = -1;
  int agc_sat_cnt = -1;
  int agc_thresh = -1;
  int agc_Dblw = -1;
  int agc_Dabv = -1;
  int agc_Dzro = -1;
  int agc_Dsat = -1;
  int gain_read = -1;
  int pwr_meter_lsb = -1;
  int pwr_meter_msb = -1;
  int pwr_meter_trig = -1;
  int pwr_mtr_integ = -1;
  int pwr_mtr_on = -1;
  int routf_pins = -1;
  int routf_bits = -1;
  int routf_iqmux = -1;
  int routf_pwrdown = -1;
  int routf_ctdm = -1;
  int pwr_test = -1;
  int swap_wa_cnt = -1;
  int swap_ra_cnt = -1;
  int swap_xmt = -1;
  int swap_cmplx = -1;
  int fir_fb = -1;
  int swap_fb = -1;
  int swap_rcv_tdly = -1;
  int acc_dly = -1;
  int acc_cnt = -1;
  int acc_dly0 = -1;
  int acc_bypass = -1;
  int acc_enram = -1;
  int fir_shift = -1;
  int fir_xenq = -1;
  int fir_xeni = -1;
  int fir_half = -1;
  int fir_rnd20 = -1;
  int fir_cmplx = -1;
  int fir_sync_cnt = -1;
  int fir_clk_cnt = -1;
  int fir_clk_cnt_en = -1;
  int fir_test = -1;
  int fir_en_sync_cnt = -1;
  int cksum_sync_back = -1;
  int fir_sync = -1;
  int coef_sync = -1;
  int gain_sync = -1;
  int pwr_mtr_sync = -1;
  int sck_sync = -1;
  int cic_shift = -1;
  int cic_rcv = -1;
  int cic_xmt_5stg = -1;
  int cic_rshift = -1;
  int cic_2x = -1;
  int cic_xmt_d6stg = -1;
  int cic_rcv_cross = -1;
  int cic_rcv_full = -1;
  int cic_bypass = -1;
  int cic_fl_status = -1;
  int phase = -1;
  int freq_lsb = -1;
  int freq_mid = -1;
  int freq_msb = -1;
  int mix_rcv_sel = -1;
  int mix_rcv_cmplx = -1;
  int mix_inv_qsin = -1;
  int mix_qsin = -1;
  int mix_inv_qcos = -1;
  int mix_qcos = -1;
  int mix_inv_isin = -1;
  int mix_isin = -1;
  int mix_inv_icos = -1;
  int mix_icos = -1;
  int freq_sync = -1;
  int phase_sync = -1;
  int dith_sync = -1;
  int nco_sync = -1;
  int flush_sync = -1;
  int dith_test = -1;
  int ncic = -1;
  int cic_sync = -1;
  int agc_mode = -1;
  int agc_tc = -1;
  int agc_cf = -1;
  int fir_dec = -1;
  int fir_int = -1;
  int fir_diff = -1;
  int fir_nchan = -1;
  int tinf_cmplx = -1;
  int tinf_fs_dly = -1;
  int bypass_mix = -1;
  int bypass_cic = -1;
  int bypass_fir = -1;
  int pins = -1;
  int bits = -1;
  int cic_int = -1;
  int cic_dec = -1;
  int fir_sym = -1;
  int xmt = -1;
  int powerdown = -1;
  int coefsym = -1;
  int ncoefs = -1;
  int maxtap = -1;
  int sumtap = -1;
};

// Channel-scope wide variables (CHANNEL_WIDE rows).
struct ChannelWideVariables {
  double gain = -1.0;
  double overall_gain = -1.0;
  double freq = -1.0;
};

// One channel (A..D): its channel- and pair-scope variables, coefficient
// list, FIR memory images and the working values the computations share.
struct ChannelSettings : ChannelVariables, ChannelWideVariables {
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
