// The register map table.  One line per chip variable, in registration order:
//   scope(name, bits, page, address, bit, default, class rcv, xmt, third, help)
// Page 4095 marks a pseudo-variable (a parameter with no register of its own).
#include "catalogue/register_map.h"

#include <array>
#include <iterator>
#include <string>

namespace cmd7730 {
namespace {

#define GLOBAL(n, w, p, a, b, d, cr, ct, c3, s)                                        \
  {                                                                                    \
#n, Scope::kGlobal, w, p, a, b, d, cr, ct, c3, s, { .chip_int = &ChipSettings::n } \
  }
#define GLOBAL_WIDE(n, w, p, a, b, d, cr, ct, c3, s)                                    \
  {                                                                                     \
#n, Scope::kGlobal, w, p, a, b, d, cr, ct, c3, s, { .chip_wide = &ChipSettings::n } \
  }
#define CHANNEL(n, w, p, a, b, d, cr, ct, c3, s)                                              \
  {                                                                                           \
#n, Scope::kChannel, w, p, a, b, d, cr, ct, c3, s, { .channel_int = &ChannelSettings::n } \
  }
#define CHANNEL_WIDE(n, w, p, a, b, d, cr, ct, c3, s)                                          \
  {                                                                                            \
#n, Scope::kChannel, w, p, a, b, d, cr, ct, c3, s, { .channel_wide = &ChannelSettings::n } \
  }
#define PAIR(n, w, p, a, b, d, cr, ct, c3, s)                                              \
  {                                                                                        \
#n, Scope::kPair, w, p, a, b, d, cr, ct, c3, s, { .channel_int = &ChannelSettings::n } \
  }

// clang-format off
constexpr RegisterRow kRows[] = {
    GLOBAL(ck_loss_status, 2, 0, 0, 0, 0, 0, 0, 0, "Bit 0 is current status, bit 1 is sticky status. Set if clock loss is detected.  Bit 1 must be reset by the user."),
    GLOBAL(en_ck_loss, 1, 0, 0, 8, 1, 2, 2, 2, "Enable clock loss detection.  Highly recommended."),
    GLOBAL(pwr_dwn_fir_A, 1, 0, 0, 9, 0, 2, 2, 2, "Power down PFIR in A.  Power down put the block in reset and disables the clock.  It does not reset control registers."),
    GLOBAL(pwr_dwn_fir_B, 1, 0, 0, 10, 0, 2, 2, 2, "Power down PFIR in B"),
    GLOBAL(pwr_dwn_fir_C, 1, 0, 0, 11, 0, 2, 2, 2, "Power down PFIR in C"),
    GLOBAL(pwr_dwn_fir_D, 1, 0, 0, 12, 0, 2, 2, 2, "Power down PFIR in D"),
    GLOBAL(pwr_dwn_cic_AB, 1, 0, 0, 13, 0, 2, 2, 2, "Power down cic/mix for A & B"),
    GLOBAL(pwr_dwn_cic_CD, 1, 0, 0, 14, 0, 2, 2, 2, "Power down cic/mix for C & D"),
    GLOBAL(master_reset, 1, 0, 0, 15, 0, 2, 2, 2, "Power down entire chip"),
    GLOBAL(soB_sync, 3, 0, 1, 0, 4, 3, 3, 3, "Signal selection for sync_out_B"),
    GLOBAL(one_shot, 2, 0, 1, 3, 1, 3, 3, 3, "One shot control.  (=0) Armed issue one shot when lsb goes high; (=1) Issues one shot on transition of lsb to high safe state to be left in; (=2) level output 0; (=3) level output 1;"),
    GLOBAL(page, 8, 0, 2, 0, 0, 0, 0, 0, "Page register"),
    GLOBAL(chip_rev, 8, 0, 2, 8, 0, 0, 0, 0, "Chip revision. Read only. Currently 0."),
    GLOBAL(en_AO, 1, 0, 3, 0, 1, 3, 3, 3, "Enable data output AO"),
    GLOBAL(en_AFS, 1, 0, 3, 1, 1, 3, 3, 3, "Enable frame strobe and output clock for A"),
    GLOBAL(en_BO, 1, 0, 3, 2, 1, 3, 3, 3, "Enable data output BO"),
    GLOBAL(en_BFS, 1, 0, 3, 3, 1, 3, 3, 3, "Enable frame strobe and output clock for B"),
    GLOBAL(en_CO, 1, 0, 3, 4, 1, 3, 3, 3, "Enable data output CO"),
    GLOBAL(en_CFS, 1, 0, 3, 5, 1, 3, 3, 3, "Enable frame strobe and output clock for C"),
    GLOBAL(en_DO, 1, 0, 3, 6, 1, 3, 3, 3, "Enable data output DO"),
    GLOBAL(en_DFS, 1, 0, 3, 7, 1, 3, 3, 3, "Enable frame strobe and output clock for D"),
    GLOBAL(en_soB, 1, 0, 3, 8, 1, 3, 3, 3, "Enable sync_out_B and iflag"),
    GLOBAL(ckp_A, 1, 0, 3, 9, 0, 2, 2, 2, "Invert ACK"),
    GLOBAL(ckp_B, 1, 0, 3, 10, 0, 2, 2, 2, "Invert CCK"),
    GLOBAL(ckp_C, 1, 0, 3, 11, 0, 2, 2, 2, "Invert CCK"),
    GLOBAL(ckp_D, 1, 0, 3, 12, 0, 2, 2, 2, "Invert DCK"),
    GLOBAL(sumin_clr, 1, 0, 3, 13, 0, 1, 2, 2, "Force sumin port to zero"),
    CHANNEL(coef_ofsc, 4, 18, 16, 0, 0, 3, 3, 1, "FIR coefficient address offset"),
    CHANNEL(coef_modc, 4, 18, 16, 4, 0, 4, 4, 1, "FIR coefficient modulo count"),
    CHANNEL(coef_repc, 4, 18, 16, 8, 0, 4, 4, 1, "FIR coefficient repeat count"),
    CHANNEL(coef_sym, 1, 18, 16, 12, 0, 4, 4, 1, "FIR Hardware exploits symmetry (1) or not (0)"),
    CHANNEL(coef_zerofr, 1, 18, 16, 13, 0, 4, 4, 1, "FIR Zero forward read"),
    CHANNEL(agen_recr, 4, 18, 17, 0, 0, 4, 4, 1, "FIR Recirculate count"),
    CHANNEL(agen_depd, 4, 18, 17, 4, 0, 4, 4, 1, "FIR Depth count"),
    CHANNEL(agen_modd, 4, 18, 17, 8, 0, 4, 4, 1, "FIR Modulo count"),
    CHANNEL(agen_togen, 1, 18, 17, 12, 0, 4, 4, 1, "FIR Toggle enable for back end read and write"),
    CHANNEL(fragen_soff, 4, 18, 18, 0, 0, 4, 4, 1, "FIR Forward read address generator offset"),
    CHANNEL(fragen_srecr, 4, 18, 18, 4, 0, 4, 4, 1, "FIR Forward read address generator recirculate count"),
    CHANNEL(fragen_sdepd, 4, 18, 18, 8, 0, 4, 4, 1, "FIR Forward read address generator depth count"),
    CHANNEL(fragen_stepn, 4, 18, 18, 12, 0, 4, 4, 1, "FIR Forward read address generator step"),
    CHANNEL(fwagen_soff, 4, 18, 19, 0, 0, 4, 4, 1, "FIR Forward write address generator offset"),
    CHANNEL(fwagen_srecr, 4, 18, 19, 4, 0, 4, 4, 1, "FIR Forward write address generator recirculate count"),
    CHANNEL(fwagen_sdepd, 4, 18, 19, 8, 0, 4, 4, 1, "FIR Forward write address generator depth count"),
    CHANNEL(fwagen_wrecrl, 4, 18, 19, 12, 0, 4, 4, 1, "FIR Forward write address generator step"),
    CHANNEL(bragen_soff, 4, 18, 20, 0, 0, 4, 4, 1, "FIR Backward read address generator offset"),
    CHANNEL(bragen_srecr, 4, 18, 20, 4, 0, 4, 4, 1, "FIR Backward read address generator recirculate count"),
    CHANNEL(bragen_sdepd, 4, 18, 20, 8, 0, 4, 4, 1, "FIR Backward read address generator depth count"),
    CHANNEL(bragen_stepn, 4, 18, 20, 12, 0, 4, 4, 1, "FIR Backward read address generator step"),
    CHANNEL(bwagen_soff, 4, 18, 21, 0, 0, 4, 4, 1, "FIR Backward write address generator offset"),
    CHANNEL(bwagen_srecr, 4, 18, 21, 4, 0, 4, 4, 1, "FIR Backward write address generator recirculate count"),
    CHANNEL(bwagen_sdepd, 4, 18, 21, 8, 0, 4, 4, 1, "FIR Backward write address generator depth count"),
    CHANNEL(bwagen_wrecrl, 4, 18, 21, 12, 0, 4, 4, 1, "FIR Backward write address generator step"),
    CHANNEL(beragen_soff, 4, 18, 22, 0, 0, 4, 4, 1, "FIR Backward endcell read address generator offset"),
    CHANNEL(beragen_srecr, 4, 18, 22, 4, 0, 4, 4, 1, "FIR Backward endcell read address generator recirculate count"),
    CHANNEL(beragen_sdepd, 4, 18, 22, 8, 0, 4, 4, 1, "FIR Backward endcell read address generator depth count"),
    CHANNEL(beragen_stepn, 4, 18, 22, 12, 0, 4, 4, 1, "FIR Backward endcell read address generator step"),
    CHANNEL(bewagen_soff, 4, 18, 23, 0, 0, 4, 4, 1, "FIR Backward endcell write address generator offset"),
    CHANNEL(bewagen_srecr, 4, 18, 23, 4, 0, 4, 4, 1, "FIR Backward endcell write address generator recirculate count"),
    CHANNEL(bewagen_sdepd, 4, 18, 23, 8, 0, 4, 4, 1, "FIR Backward endcell write address generator depth count"),
    CHANNEL(bewagen_wrecrl, 4, 18, 23, 12, 0, 4, 4, 1, "FIR Backward endcell write address generator step"),
    CHANNEL(fwa_strobe, 16, 18, 24, 0, 0, 4, 4, 1, "FIR Forward write strobe"),
    CHANNEL(bwa_strobe, 16, 18, 25, 0, 0, 4, 4, 1, "FIR Backward write strobe"),
    CHANNEL(beagen_rbypass, 16, 18, 26, 0, 0, 4, 4, 1, "FIR Backward endcell read bypass"),
    CHANNEL(tinf_bits, 3, 19, 16, 0, 0, 1, 4, 1, "Transmit input formatter bits per word 0 - quiet, else bits = 4*tinf_bits.  Values 6 and 7 are illegal"),
    CHANNEL(tinf_pins, 3, 19, 16, 3, 0, 1, 4, 1, "Transmit input formatter active pins quiet(0), 4 pins(1), 8 pins(2), 16 pins(4), illegal(else)"),
    CHANNEL(tinf_iqmux, 1, 19, 16, 6, 0, 1, 3, 1, "Transmit input formatter IQ multiplexed (1) or real (0) inputs"),
    CHANNEL(tinf_pariq, 1, 19, 16, 7, 0, 1, 3, 1, "Transmit input formatter IQ parallel (1) or not (0) I is bits 15..8 Q is bits 7..0"),
    CHANNEL(tinf_src, 3, 19, 16, 8, 2, 1, 3, 1, "Transmit input formatter source Channel A normal,TDM, test (2,6,0) Channels B-D (2,1,0)"),
    CHANNEL(tinf_xmt, 1, 19, 16, 11, 0, 1, 4, 1, "Transmit input formatter transmit (1) or receive (0)"),
    CHANNEL(fso_sel, 2, 19, 16, 12, 0, 3, 4, 3, "Frame strobe output select quiet(0), xmt(1), receive(2), illegal(3)"),
    CHANNEL(tinf_first, 4, 19, 17, 0, 0, 1, 4, 1, "Transmit frame strobe load first word (Tword - 1)"),
    CHANNEL(tinf_second, 4, 19, 17, 4, 0, 1, 4, 1, "Transmit frame strobe load second word (Tdly+Tword+1)"),
    CHANNEL(sck_div, 4, 19, 17, 8, 0, 2, 2, 1, "Slow clock divide minus 1."),
    CHANNEL(tinf_fso_dly, 3, 19, 17, 12, 1, 1, 3, 1, "Transmit frame strobe output delay values from 1 to 7"),
    CHANNEL(tinf_fs_cnt, 12, 19, 18, 0, 0, 1, 4, 1, "Transmit frame strobe count distance between frame strobes in divided clocks"),
    CHANNEL(tinf_nfs, 4, 19, 18, 12, 0, 1, 4, 1, "Number of frame strobes between fir_swap toggles"),
    CHANNEL(gain_lsb, 16, 19, 19, 0, 4096, 3, 3, 1, "Lower 16 bits of gain (gain is scaled by 4096)"),
    CHANNEL(gain_msb, 3, 19, 20, 0, 0, 3, 3, 1, "Upper 3 bits of gain"),
    CHANNEL(agc_freeze, 1, 19, 20, 3, 1, 2, 1, 1, "Freezes adaptive gain"),
    CHANNEL(gain_rnd, 5, 19, 20, 4, 2, 3, 3, 1, "Rounds off bottom 0 to 16 bits of a 20 bit word"),
    CHANNEL(gain_half, 1, 19, 20, 9, 0, 3, 3, 1, "Saturates gain output at 1/2.  Used in xmt for symmetric filters"),
    CHANNEL(agc_hold, 1, 19, 20, 10, 0, 2, 1, 1, "Gain tracks when low, holds when high for uP gain readback"),
    CHANNEL(agc_gain_out, 1, 19, 20, 11, 0, 2, 1, 1, "Puts agc information into lower 8 bits of output data"),
    CHANNEL(agc_zmag, 4, 19, 20, 12, 15, 2, 1, 1, "AGC mask for defining zero signal for faster AGC adaption Masks off bottom 0,1,2,3,or 4 bits (0xf,e,c,8,or 0)"),
    CHANNEL(agc_min, 16, 19, 21, 0, 0, 3, 1, 1, "AGC minimum adaption limit. Lower limit for adapted gain is base_gain - agc_min"),
    CHANNEL(agc_max, 16, 19, 22, 0, 0, 3, 1, 1, "AGC maximum adaption limit. Upper limit for adapted gain is base_gain + agc_max"),
    CHANNEL(agc_zero_cnt, 4, 19, 23, 0, 6, 2, 2, 1, "Run of zeros before fast adaption gain increate step Dzro is used"),
    CHANNEL(agc_sat_cnt, 4, 19, 23, 4, 6, 2, 2, 1, "Run of saturated values before fast adaption gain reduction step Dsat is used"),
    CHANNEL(agc_thresh, 8, 19, 23, 8, 0, 3, 1, 1, "Threshold for AGC adaption"),
    CHANNEL(agc_Dblw, 4, 19, 24, 0, 0, 3, 1, 1, "Gain shift for below threshold"),
    CHANNEL(agc_Dabv, 4, 19, 24, 4, 0, 3, 1, 1, "Gain shift for above threshold"),
    CHANNEL(agc_Dzro, 4, 19, 24, 8, 0, 3, 1, 1, "Gain shift for zero data"),
    CHANNEL(agc_Dsat, 4, 19, 24, 12, 0, 3, 1, 1, "Gain shift for saturated"),
    CHANNEL(gain_read, 16, 19, 25, 0, 0, 0, 0, 0, "Readback of current gain setting (read only)."),
    CHANNEL(pwr_meter_lsb, 16, 19, 26, 0, 0, 0, 0, 0, "Readback of power meter least significant 16 bits (read only)"),
    CHANNEL(pwr_meter_msb, 16, 19, 27, 0, 0, 0, 0, 0, "Readback of power meter most significant 16 bits (read only)"),
    CHANNEL(pwr_meter_trig, 3, 19, 28, 10, 0, 2, 2, 1, "Register to read power meter using handshaking"),
    CHANNEL(pwr_mtr_integ, 16, 19, 29, 0, 0, 3, 3, 1, "Power meter integration time in words"),
    CHANNEL(pwr_mtr_on, 1, 4095, 0, 0, 0, 2, 2, 1, "Set to 1 to automatically turn on and configure power meter"),
    CHANNEL(routf_pins, 3, 19, 30, 0, 0, 4, 1, 1, "Receive output formatter active pins.  Active pins are always the msbs.  Set to 1,2, or 4 for 4,8, or 16 active pins."),
    CHANNEL(routf_bits, 5, 19, 30, 3, 0, 4, 1, 1, "Receive output formatter bits in a word.  Set to 1,2,4,8,16, or 32 to get a wordsize of 4,8,12,16, or 20"),
    CHANNEL(routf_iqmux, 1, 19, 30, 8, 1, 4, 4, 1, "Receive output complex (1) or real (0) per port.  Note that splitIQ uses real control here."),
    CHANNEL(routf_pwrdown, 1, 19, 30, 9, 0, 3, 4, 1, "Power down receieve output formatter (1) or not (0)"),
    CHANNEL(routf_ctdm, 1, 19, 30, 11, 0, 4, 1, 1, "Activate TDM receive output."),
    CHANNEL(pwr_test, 1, 19, 30, 12, 0, 2, 2, 2, "Test mode for power meter.  0 for normal operation"),
    GLOBAL(tx_pat_gen, 2, 19, 30, 13, 0, 2, 2, 2, "Transmit pattern generator enable and source off(0), random(1), constant 0x4000(2), random with bit 14 inverted(3)."),
    GLOBAL(rcv_cksum, 16, 19, 31, 0, 0, 0, 0, 0, "Checksum results for receive (read only)"),
    CHANNEL(swap_wa_cnt, 4, 20, 16, 0, 0, 4, 4, 1, "FIR swap write address down count"),
    CHANNEL(swap_ra_cnt, 4, 20, 16, 4, 0, 4, 4, 1, "FIR swap read address down count"),
    CHANNEL(swap_xmt, 1, 20, 16, 8, 0, 4, 4, 1, "FIR swap RAM in transmit (1) or receive (0)"),
    CHANNEL(swap_cmplx, 1, 20, 16, 9, 0, 4, 4, 1, "FIR swap expects complex from CIC (1) or real (0)"),
    CHANNEL(fir_fb, 1, 20, 16, 10, 0, 4, 4, 1, "FIR forward broadcast (1) or not (0)"),
    CHANNEL(swap_fb, 1, 20, 16, 11, 0, 4, 4, 1, "FIR swap RAM in forward broadcast (1) or not (0)"),
    CHANNEL(swap_rcv_tdly, 1, 20, 16, 12, 0, 4, 4, 1, "FIR swap RAM reduce CIC to FIR data valid delay by 1 when cic is bypassed."),
    CHANNEL(acc_dly, 4, 20, 17, 0, 0, 4, 4, 1, "FIR accumulator delay minus 1"),
    CHANNEL(acc_cnt, 4, 20, 17, 4, 0, 4, 4, 1, "FIR number of partial products to accumulate"),
    CHANNEL(acc_dly0, 1, 20, 17, 8, 0, 4, 4, 1, "FIR no accumulator delay (1) or not (0)"),
    CHANNEL(acc_bypass, 1, 20, 17, 9, 0, 4, 4, 1, "FIR accumulator bypass (1) or normal (0).  Must also set acc_cnt to zero for bypass."),
    CHANNEL(acc_enram, 1, 20, 17, 10, 0, 4, 4, 1, "FIR enable accumulate ram (1) normal.  Set to 0 when acc_dly0 is 1."),
    CHANNEL(fir_shift, 3, 20, 18, 0, 0, 3, 3, 1, "FIR shift up.  Filter gain = sum_coefs/fir_int*2^(fir_shift-21)"),
    CHANNEL(fir_xenq, 1, 20, 18, 3, 0, 4, 4, 1, "FIR transmit enable q.  Set for transmit and complex filtering."),
    CHANNEL(fir_xeni, 1, 20, 18, 4, 0, 4, 4, 1, "FIR transmit enable i.  Set for transmit, clear in receive."),
    CHANNEL(fir_half, 1, 20, 18, 5, 0, 4, 4, 1, "FIR half scale.  Set to 0."),
    CHANNEL(fir_rnd20, 1, 20, 18, 6, 0, 4, 4, 1, "FIR round. In receive set to 1 for 20 bits to gain.  In transmit set to 0 for 18 bits to CIC."),
    CHANNEL(fir_cmplx, 1, 20, 18, 7, 1, 3, 3, 1, "FIR outputs complex data.  Normally set, clear for splitIQ or some bypass modes."),
    CHANNEL(fir_sync_cnt, 16, 20, 19, 0, 0, 4, 4, 1, "FIR internal sync count to periodically resync various FIR counters"),
    CHANNEL(fir_clk_cnt, 8, 20, 20, 0, 0, 4, 4, 1, "Number of FIR clocks per CIC input (xmt) or output (rcv) minus 1"),
    CHANNEL(fir_clk_cnt_en, 1, 20, 20, 8, 0, 4, 4, 1, "Enable Fir clock counter set for gated clocking.  Set to 0 and set fir_clk_cnt>0 to set FIR clock always on."),
    CHANNEL(fir_test, 1, 20, 20, 9, 0, 4, 4, 1, "Set to 0 for normal operation."),
    CHANNEL(fir_en_sync_cnt, 1, 20, 20, 10, 0, 4, 4, 1, "Enable fir sync counter (1)."),
    CHANNEL(cksum_sync_back, 3, 20, 20, 12, 7, 2, 2, 2, "Sync for both receive checksum and transmit pattern generator."),
    CHANNEL(fir_sync, 3, 20, 21, 0, 2, 3, 3, 1, "Sync source selection for FIR"),
    CHANNEL(coef_sync, 3, 20, 21, 3, 7, 2, 2, 1, "Sync source selection for coefficient swapping.  Used with multiple coefficient sets."),
    CHANNEL(gain_sync, 3, 20, 21, 6, 7, 3, 3, 1, "Sync source selection for gain updates"),
    CHANNEL(pwr_mtr_sync, 3, 20, 21, 9, 7, 3, 3, 1, "Sync source selection for starting power meter"),
    CHANNEL(sck_sync, 3, 20, 21, 12, 7, 3, 3, 1, "Sync source selection for slow clock divider"),
    PAIR(cic_shift, 6, 128, 16, 0, 0, 3, 3, 1, "CIC is followed by a shifter gain of cic_shift-41 to compensate for CIC gain.  0 <= cic_shift <= 39."),
    PAIR(cic_rcv, 2, 128, 16, 6, 0, 4, 4, 1, "CIC mode is quiet(0), receive(1), transmit(2), or illegal(3)."),
    PAIR(cic_xmt_5stg, 1, 128, 16, 8, 0, 1, 4, 1, "CIC transmit 5 stages(1) rather than the normal 6 stages(0)."),
    PAIR(cic_rshift, 1, 128, 16, 9, 1, 4, 1, 1, "Upshift 1 bit in receive mode after CIC filtering before rounding"),
    PAIR(cic_2x, 1, 128, 16, 10, 0, 4, 4, 1, "Operate the CIC in double rate mode"),
    PAIR(cic_xmt_d6stg, 1, 128, 16, 11, 0, 1, 4, 1, "Must be set for CIC in double rate and six stage, else clear"),
    PAIR(cic_rcv_cross, 1, 128, 16, 12, 0, 4, 1, 1, "Use cross-strapped CIC inputs in receive. Set for splitIQ mode"),
    PAIR(cic_rcv_full, 1, 128, 16, 13, 0, 4, 1, 1, "Saturate CIC output at full-scale (1) for nonsymmetric FIR or half-scale(0) for symmetric FIR.  Only affects receive outputs."),
    PAIR(cic_bypass, 1, 128, 16, 14, 0, 3, 3, 1, "Bypass CIC (1), must also set cic_shift(39) and ncic(0)."),
    PAIR(cic_fl_status, 1, 128, 16, 15, 0, 0, 0, 0, "CIC flush status sticky bit, chip sets if auto flushed. User must clear."),
    PAIR(phase, 16, 128, 17, 0, 0, 2, 2, 2, "Phase is phase/2^16 hertz."),
    PAIR(freq_lsb, 16, 128, 18, 0, 0, 2, 2, 2, "Bottom 16 bits of frequency"),
    PAIR(freq_mid, 16, 128, 19, 0, 0, 2, 2, 2, "Middle 16 bits of frequency"),
    PAIR(freq_msb, 16, 128, 20, 0, 0, 3, 3, 3, "Top 16 bits of frequency.  See also variables freq and fsample."),
    PAIR(mix_rcv_sel, 2, 128, 21, 0, 0, 5, 1, 5, "Mixer input selection in receive (paths a,b,c, or d for 0,1,2, or 3 respectively)."),
    PAIR(mix_rcv_cmplx, 1, 128, 21, 2, 0, 4, 1, 4, "Set for receive complex input at full rate or double rate."),
    PAIR(mix_inv_qsin, 1, 128, 21, 4, 0, 4, 4, 4, "Invert the output of Qdata by Sin in the mixer."),
    PAIR(mix_qsin, 2, 128, 21, 5, 0, 4, 4, 4, "Select data input to qsin multiplier as zero(0),receive(1), transmit cross-strapped(2), or transmit(3).  Transmit cross-strapped is for transmit in splitIQ or double rate modes."),
    PAIR(mix_inv_qcos, 1, 128, 21, 7, 0, 4, 4, 4, "Invert the output of Qdata by cos in the mixer."),
    PAIR(mix_qcos, 2, 128, 21, 8, 0, 4, 4, 4, "Select data input to qsin multiplier as zero(0),receive(1), transmit cross-strapped(2), or transmit(3).  Transmit cross-strapped is for transmit in splitIQ or double rate modes."),
    PAIR(mix_inv_isin, 1, 128, 21, 10, 0, 4, 4, 4, "Invert the output of Idata by Sin in the mixer."),
    PAIR(mix_isin, 2, 128, 21, 11, 0, 4, 4, 4, "Select data input to qsin multiplier as zero(0),receive(1), transmit cross-strapped(2), or transmit(3).  Transmit cross-strapped is for transmit in splitIQ or double rate modes."),
    PAIR(mix_inv_icos, 1, 128, 21, 13, 0, 4, 4, 4, "Invert the output of Idata by cos in the mixer."),
    PAIR(mix_icos, 2, 128, 21, 14, 0, 4, 4, 4, "Select data input to qsin multiplier as zero(0),receive(1), transmit cross-strapped(2), or transmit(3).  Transmit cross-strapped is for transmit in splitIQ or double rate modes."),
    PAIR(freq_sync, 3, 128, 22, 0, 7, 2, 2, 2, "Sync source for frequency word update"),
    PAIR(phase_sync, 3, 128, 22, 3, 7, 2, 2, 2, "Sync source for phase word update"),
    PAIR(dith_sync, 3, 128, 22, 6, 2, 3, 3, 3, "Sync source for dither update.  Typically set to never.  Set to always to disable."),
    PAIR(nco_sync, 3, 128, 22, 9, 2, 3, 3, 3, "Sync source for nco word update.  Disrupts signal processing when sync occurs"),
    PAIR(flush_sync, 3, 128, 22, 12, 0, 2, 2, 2, "Sync for flushing data"),
    PAIR(dith_test, 1, 128, 22, 15, 0, 2, 2, 2, "Experimental dither mode, set to 0. Dither power."),
    PAIR(ncic, 12, 128, 23, 0, 0, 4, 4, 1, "CIC decimation/interp count minus 1."),
    PAIR(cic_sync, 3, 128, 23, 12, 2, 3, 3, 1, "Sync source for cic counter.  Should be periodic in (ncic+1)."),
    GLOBAL(sum_selI, 8, 129, 16, 0, 0, 4, 4, 4, "Selects inputs for I sum both A and B paths."),
    GLOBAL(sum_selQ, 8, 129, 16, 8, 0, 4, 4, 4, "Selects inputs for Q sum both A and B paths."),
    GLOBAL(sum_shift, 3, 129, 17, 0, 0, 4, 4, 4, "Upshifts sum before output (0-7)."),
    GLOBAL(sum_ia, 2, 129, 17, 3, 0, 4, 4, 4, "Summing mode off (use in rcv) (0), 22 bit sumin(1), bypass(2), 16 bit sumin(3)"),
    GLOBAL(sum_ib, 2, 129, 17, 5, 0, 4, 4, 4, "Summing mode off(use in rcv)(0), 22 bit sumin(1), bypass(2), 16 bit sumin(3)"),
    GLOBAL(sum_qa, 2, 129, 17, 7, 0, 4, 4, 4, "Summing mode off(use in rcv)(0), 22 bit sumin(1), bypass(2), 16 bit sumin(3)"),
    GLOBAL(sum_qb, 1, 129, 17, 9, 0, 4, 4, 4, "Summing mode normal(0), quiet(use in rcv)(1)"),
    GLOBAL(sum_in, 2, 129, 17, 10, 0, 4, 4, 4, "Sum in mode off(0), IQ multiplexed(1), 16 bit (2), 22 bit(3)"),
    GLOBAL(sum_of_Ia, 1, 129, 17, 12, 0, 0, 0, 0, "Sumtree overflow sticky status bit for Ia"),
    GLOBAL(sum_of_Ib, 1, 129, 17, 13, 0, 0, 0, 0, "Sumtree overflow sticky status bit for Ib"),
    GLOBAL(sum_of_Qa, 1, 129, 17, 14, 0, 0, 0, 0, "Sumtree overflow sticky status bit for Qa"),
    GLOBAL(sum_of_Qb, 1, 129, 17, 15, 0, 0, 0, 0, "Sumtree overflow sticky status bit for Qb"),
    GLOBAL(rcv_noise_A, 16, 129, 18, 0, 0, 2, 1, 2, "Adds noise to input A to desensitize the digital down converters Must also release pn generator sync and set test mode to random."),
    GLOBAL(rcv_noise_B, 16, 129, 19, 0, 0, 2, 1, 2, "Adds noise to input B to desensitize the digital down converters Must also release pn generator sync and set test mode to random."),
    GLOBAL(rcv_noise_C, 16, 129, 20, 0, 0, 2, 1, 2, "Adds noise to input C to desensitize the digital down converters Must also release pn generator sync and set test mode to random."),
    GLOBAL(rcv_noise_D, 16, 129, 21, 0, 0, 2, 1, 2, "Adds noise to input D to desensitize the digital down converters Must also release pn generator sync and set test mode to random."),
    GLOBAL(rinf_sel_A, 4, 161, 16, 0, 0, 3, 3, 3, "Receive input formatting.  Normal usage quiet(0),Q part of non-multiplexed complex (1), IQ multiplexed (3), real or real portion of nonmultiplexed complex (4), or test (8).  Detailed settings are quiet(0), input to q (1), delayed by 1 input to I(2), input to I(4), test to both I and Q (8)"),
    GLOBAL(rinf_sel_B, 4, 161, 16, 4, 0, 3, 3, 3, "Same as above but for path B."),
    GLOBAL(rinf_sel_C, 4, 161, 16, 8, 0, 3, 3, 3, "Same as above but for path C."),
    GLOBAL(rinf_sel_D, 4, 161, 16, 12, 0, 3, 3, 3, "Same as above but for path D."),
    GLOBAL(gen_timer, 16, 161, 17, 0, 0, 2, 1, 2, "General purpose timer.  Downcounts from 256*gen_timer.  Restarts on sync or end of count.  Also use as ramp data bits in test. Outputs at restart + 5 clocks."),
    GLOBAL(rinf_zpad, 4, 161, 18, 0, 0, 2, 1, 2, "Receive input formatter zero pad count.  Effectively interpolates by (rinf_zpad+1) up to the CK rate.  Set to 0 and hold sync always to do no interpolation Set to nonzero and sync always to force 0 always."),
    GLOBAL(rinf_diag, 2, 161, 18, 4, 0, 2, 1, 2, "Receive diagnostic test pattern ramp(0), 0(1), random(2), constant 0x4000 (3)."),
    GLOBAL(gen_timer_test, 1, 161, 18, 6, 0, 2, 1, 2, "Shorten gen_timer for test (1).  Normally 0."),
    GLOBAL(gen_timer_sync, 3, 161, 18, 7, 7, 3, 1, 3, "Sync control for general timer."),
    GLOBAL(cksum_sync_front, 3, 161, 18, 10, 7, 2, 2, 2, "Sync for both receive pattern generator and transmit checksum."),
    GLOBAL(rinf_zpad_sync, 3, 161, 18, 13, 7, 3, 1, 3, "Sync control for receive zero padding."),
    GLOBAL(toutf_hold_sync, 3, 161, 19, 0, 7, 1, 3, 1, "Sync control for transmit output hold."),
    GLOBAL(toutf_do, 5, 161, 19, 4, 0, 1, 4, 4, "Transmit output format control for DO. quiet(0),id(1),qb(2), ib lsb's(4), qa lsb's(8), co complement (16)  Others illegal."),
    GLOBAL(toutf_co, 3, 161, 19, 9, 0, 1, 4, 4, "Transmit output format control for CO. quiet(0),ic(1),ib(2),qa(4)."),
    GLOBAL(toutf_bo, 4, 161, 19, 12, 0, 1, 4, 4, "Transmit output format control for BO. quiet(0),ib(1),ib(2),qa(4), ao complement(8)."),
    GLOBAL(toutf_rnd_AB, 2, 161, 20, 0, 0, 1, 4, 4, "Round transmit outputs AO, and BO to 16(1),14(2),12(3) bits, or no round(0)."),
    GLOBAL(toutf_offsetbin, 1, 161, 20, 3, 0, 1, 2, 2, "Offset binary format(1) or two complement(0). Common to all transmit outputs."),
    GLOBAL(toutf_halfcmplx_AB, 1, 161, 20, 4, 0, 1, 4, 4, "Time multiplex I/Q data by decimating by two at output."),
    GLOBAL(toutf_hold, 3, 161, 20, 5, 0, 1, 2, 2, "Hold output for toutf_hold+1 clocks - effectively decimating the signal."),
    GLOBAL(toutf_rnd_CD, 2, 161, 20, 8, 0, 1, 4, 4, "Round transmit outputs for CO, and DO to 16(1), 14(2), 12(3), bits or no round(0)."),
    GLOBAL(toutf_quiet_CD, 1, 161, 20, 10, 0, 1, 4, 4, "Quiet CD path (1) when unused."),
    GLOBAL(toutf_halfcmplx_CD, 1, 161, 20, 11, 0, 1, 4, 4, "Time multiplex IQ for channels C and D."),
    GLOBAL(toutf_xmt_CD, 1, 161, 20, 12, 0, 4, 4, 4, "Channels C and D setup in transmit(1) or receive(0)."),
    GLOBAL(toutf_sumin, 1, 161, 20, 13, 0, 1, 4, 4, "CO and DO setup as inputs for sumin (1), or outputs (0)."),
    GLOBAL(toutf_xmt_AB, 1, 161, 20, 14, 0, 4, 4, 4, "Channels A and B setup in transmit(1) or receive(0)."),
    GLOBAL(t_cksum, 16, 161, 21, 0, 0, 0, 0, 0, "Checksum results for transmit (read only)"),
    CHANNEL(agc_mode, 4, 4095, 0, 0, 2, 3, 1, 1, "Set by user to determine what mode the AGC is in:0 for CDMA, 1 for narrowband, 2 for mixed"),
    CHANNEL(agc_tc, 16, 4095, 0, 0, 1000, 3, 1, 1, "Set by user; desired AGC time constant in microseconds"),
    CHANNEL(agc_cf, 16, 4095, 0, 0, 10, 3, 1, 1, "Set by user; desired output crest factor in dB"),
    GLOBAL(sync_mode, 4, 4095, 0, 0, 0, 2, 2, 2, "Specifies how to automatically configure the default settings for various syncs. All default settings can be overridden in the command file."),
    CHANNEL(fir_dec, 5, 4095, 0, 0, 1, 5, 1, 1, "FIR decimation amount (only in receive) (1-16)."),
    CHANNEL(fir_int, 5, 4095, 0, 0, 1, 1, 5, 1, "FIR interpolation amount (only in transmit) (1-16)."),
    CHANNEL(fir_diff, 1, 4095, 0, 0, 0, 2, 2, 1, "If set allows multiple datastreams in the filter to get different coefficients."),
    CHANNEL(fir_nchan, 5, 4095, 0, 0, 1, 2, 2, 1, "Specifies how many datastreams in the filter (1-16).  Almost always the default of 1 is correct."),
    GLOBAL(rin_cmplx, 1, 4095, 0, 0, 0, 2, 1, 2, "Receive input data is complex(1) or real(0)."),
    GLOBAL(rin_rate, 2, 4095, 0, 0, 1, 2, 1, 2, "Receive input data rate is half(0) for IQ time multiplexed, full(1), or double(2).  If double, splitIQ must be on."),
    GLOBAL(routf_tdm, 1, 4095, 0, 0, 0, 2, 1, 1, "Receive output data is TDM'd(1) onto port DO or normal. 1 for TDM in all channels. 0 else."),
    GLOBAL(tinf_tdm, 1, 4095, 0, 0, 0, 1, 2, 1, "TDM transmit input data is expect on port AI(1) or normal(0)."),
    CHANNEL(tinf_cmplx, 1, 4095, 0, 0, 0, 1, 5, 1, "Transmit input data is complex(1) or real(0).  If splitIQ must be real."),
    CHANNEL(tinf_fs_dly, 4, 4095, 0, 0, 3, 1, 2, 1, "Transmit input frame strobe delay. <<< MORE >>>"),
    GLOBAL(tout_cmplx, 1, 4095, 0, 0, 1, 1, 2, 2, "Transmit output data is complex(1) or real(0)."),
    GLOBAL(tout_res, 2, 4095, 0, 0, 0, 1, 2, 2, "Transmit output resolution is normal(0) for 16 bits or less, high resolution(1) up to 22 bits, or complementary signalling(2)."),
    GLOBAL(tout_nsig, 3, 4095, 0, 0, 4, 1, 5, 3, "Number of transmit output signals.  A complex output counts as one signal even if I and Q are on separate ports."),
    GLOBAL(tout_rate, 2, 4095, 0, 0, 1, 1, 2, 2, "Transmit output rate is half(0) for IQ time multiplexed, full(1) or double(2).  If double splitIQ must also be set."),
    GLOBAL(tout_sumin, 1, 4095, 0, 0, 0, 1, 2, 2, "Sumin port active(1) or not(0).  If active, ports CO and DO become inputs and are not available as outputs."),
    GLOBAL(splitiqAB, 1, 4095, 0, 0, 0, 3, 3, 1, "If set, complex IQ data in channels A and B is split so that I goes toone filter and Q goes to another."),
    GLOBAL(splitiqCD, 1, 4095, 0, 0, 0, 3, 3, 1, "If set, complex IQ data in channels C and D is split so that I goes toone filter and Q goes to another."),
    GLOBAL(splitiq, 1, 4095, 0, 0, 0, 2, 2, 1, "If set, automatically sets splitiqAB and CD both on"),
    CHANNEL(bypass_mix, 1, 4095, 0, 0, 0, 2, 2, 1, "Programs the mixers to be nearly unity gain (2^20-1)/(2^20).  The sin mixer multipliers are programmed to multiply by zero.  Also sets the frequency to be DC and phase to zero."),
    CHANNEL(bypass_cic, 1, 4095, 0, 0, 0, 2, 2, 1, "Programs the CIC into bypass mode(1) or normal(0).  It neither interpolates nor decimates.  Gain is one in transmit and 1/2 in receive.  The data still goes through the CIC."),
    CHANNEL(bypass_fir, 1, 4095, 0, 0, 0, 2, 2, 1, "If set, programs the FIR filter to an impulse with minimum latency and unity gain."),
    CHANNEL(pins, 5, 4095, 0, 0, 0, 5, 5, 1, "0\tSets the number of active pins for the back end in both transmit and receive.  Must be 4,8, or 16."),
    CHANNEL(bits, 5, 4095, 0, 0, 0, 5, 5, 1, "0\tSets the number of bits in a word for the back end in both transmit and receive.  Must be 4,8,12,16, or 20."),
    PAIR(cic_int, 12, 4095, 0, 0, 1, 1, 5, 1, "CIC interpolation amount in transmit mode.  Must be even when tout_rate=2."),
    PAIR(cic_dec, 12, 4095, 0, 0, 1, 3, 1, 1, "CIC decimate amount in receive mode.  Must be even when rin_rate=2."),
    CHANNEL_WIDE(gain, 64, 4095, 0, 0, 0, 3, 3, 1, "Gain through final gain block"),
    CHANNEL_WIDE(overall_gain, 64, 4095, 0, 0, 0, 3, 3, 1, "Target gain to output in receive or transmit mode"),
    GLOBAL_WIDE(fck, 64, 4095, 0, 0, 1, 5, 5, 5, "Chip clock rate in MHz."),
    CHANNEL_WIDE(freq, 64, 4095, 0, 0, 0, 3, 3, 3, "Tuning frequency.  Used together with fck, hold, and zpad to fill in freq_msb, freq_mid, or freq_lsb.  Use either one but not both."),
    CHANNEL(fir_sym, 1, 4095, 0, 0, 0, 4, 4, 1, ""),
    CHANNEL(xmt, 1, 4095, 0, 0, 0, 4, 4, 4, "0"),
    CHANNEL(powerdown, 1, 4095, 0, 0, 0, 4, 4, 4, ""),
    CHANNEL(coefsym, 8, 4095, 0, 0, 0, 4, 4, 4, ""),
    CHANNEL(ncoefs, 16, 4095, 0, 0, 0, 4, 4, 4, ""),
    CHANNEL(maxtap, 31, 4095, 0, 0, 0, 4, 4, 4, ""),
    CHANNEL(sumtap, 31, 4095, 0, 0, 0, 4, 4, 4, ""),
};
// clang-format on

#undef GLOBAL
#undef GLOBAL_WIDE
#undef CHANNEL
#undef CHANNEL_WIDE
#undef PAIR

constexpr size_t kRowCount = std::size(kRows);

// The descriptions of all rows, wrapped and laid end to end, each followed
// by a NUL, with where each starts and how long it is.
constexpr size_t kDescriptionChars = [] {
  size_t n = 0;
  for (const RegisterRow& r : kRows) n += std::char_traits<char>::length(r.description) + 1;
  return n;
}();

struct WrappedDescriptions {
  std::array<char, kDescriptionChars> text{};
  std::array<size_t, kRowCount> start{};
  std::array<size_t, kRowCount> length{};
};

constexpr WrappedDescriptions kWrapped = [] {
  WrappedDescriptions w;
  size_t at = 0;
  for (size_t i = 0; i < kRowCount; ++i) {
    const size_t n = std::char_traits<char>::length(kRows[i].description);
    w.start[i] = at;
    w.length[i] = n;
    for (size_t k = 0; k < n; ++k) w.text[at + k] = kRows[i].description[k];
    wrap_text(w.text.data() + at, n);
    at += n + 1;
  }
  return w;
}();

constexpr std::array<int, kRowCount> kRowHash = [] {
  std::array<int, kRowCount> h{};
  for (size_t i = 0; i < kRowCount; ++i) h[i] = hash_name(kRows[i].name);
  return h;
}();

// The index of `row` in the map, or kRowCount for a row from elsewhere.
size_t row_index(const RegisterRow& row) {
  const auto* first = std::begin(kRows);
  if (&row < first || &row >= std::end(kRows)) return kRowCount;
  return static_cast<size_t>(&row - first);
}

}  // namespace

std::span<const RegisterRow> register_map() { return kRows; }

int row_hash(const RegisterRow& row) {
  const size_t i = row_index(row);
  return i < kRowCount ? kRowHash[i] : hash_name(row.name);
}

std::string_view wrapped_description(const RegisterRow& row) {
  const size_t i = row_index(row);
  if (i == kRowCount) return row.description;  // not a row of the map
  return {kWrapped.text.data() + kWrapped.start[i], kWrapped.length[i]};
}

}  // namespace cmd7730
