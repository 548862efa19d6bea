// The register map table.  One line per chip variable, in registration order,
// each row naming its settings field and its columns:
//   KIND(field, .width, .page, .address, .bit, .default_value,
//        .class_rcv, .class_xmt, .class_third, .description)
// KIND is the scope and storage of the variable: GLOBAL / GLOBAL_WIDE (one
// chip-wide int / double), CHANNEL / CHANNEL_WIDE (one per channel) and PAIR
// (one per channel, set for a channel pair).  Page kPseudoPage marks a
// pseudo-variable (a parameter with no register of its own); kWideWidth marks
// a wide variable holding a double.
#include "catalogue/register_map.h"

#include <array>
#include <iterator>
#include <string>

namespace cmd7730 {
namespace {

// Each kind names its field as a member of the settings block of that kind
// (core/settings.h), so a row cannot point at a field outside the blocks.
// clang-format off
#define GLOBAL(n, ...)                                   \
  {.name = #n, .scope = Scope::kGlobal, __VA_ARGS__,     \
   .field = {.chip_int = &ChipVariables::n}}
#define GLOBAL_WIDE(n, ...)                              \
  {.name = #n, .scope = Scope::kGlobal, __VA_ARGS__,     \
   .field = {.chip_wide = &ChipWideVariables::n}}
#define CHANNEL(n, ...)                                  \
  {.name = #n, .scope = Scope::kChannel, __VA_ARGS__,    \
   .field = {.channel_int = &ChannelVariables::n}}
#define CHANNEL_WIDE(n, ...)                             \
  {.name = #n, .scope = Scope::kChannel, __VA_ARGS__,    \
   .field = {.channel_wide = &ChannelWideVariables::n}}
#define PAIR(n, ...)                                     \
  {.name = #n, .scope = Scope::kPair, __VA_ARGS__,       \
   .field = {.channel_int = &ChannelVariables::n}}

constexpr RegisterRow kRows[] = {
    GLOBAL(ck_loss_status, .width = 2, .page = 0, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "Bit 0 is current status, bit 1 is sticky status. Set if clock loss is detected.  Bit 1 must be reset by the user."),
    GLOBAL(en_ck_loss, .width = 1, .page = 0, .address = 0, .bit = 8, .default_value = 1, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Enable clock loss detection.  Highly recommended."),
    GLOBAL(pwr_dwn_fir_A, .width = 1, .page = 0, .address = 0, .bit = 9, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Power down PFIR in A.  Power down put the block in reset and disables the clock.  It does not reset control registers."),
    GLOBAL(pwr_dwn_fir_B, .width = 1, .page = 0, .address = 0, .bit = 10, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Power down PFIR in B"),
    GLOBAL(pwr_dwn_fir_C, .width = 1, .page = 0, .address = 0, .bit = 11, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Power down PFIR in C"),
    GLOBAL(pwr_dwn_fir_D, .width = 1, .page = 0, .address = 0, .bit = 12, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Power down PFIR in D"),
    GLOBAL(pwr_dwn_cic_AB, .width = 1, .page = 0, .address = 0, .bit = 13, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Power down cic/mix for A & B"),
    GLOBAL(pwr_dwn_cic_CD, .width = 1, .page = 0, .address = 0, .bit = 14, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Power down cic/mix for C & D"),
    GLOBAL(master_reset, .width = 1, .page = 0, .address = 0, .bit = 15, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Power down entire chip"),
    GLOBAL(soB_sync, .width = 3, .page = 0, .address = 1, .bit = 0, .default_value = 4, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Signal selection for sync_out_B"),
    GLOBAL(one_shot, .width = 2, .page = 0, .address = 1, .bit = 3, .default_value = 1, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "One shot control.  (=0) Armed issue one shot when lsb goes high; (=1) Issues one shot on transition of lsb to high safe state to be left in; (=2) level output 0; (=3) level output 1;"),
    GLOBAL(page, .width = 8, .page = 0, .address = 2, .bit = 0, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "Page register"),
    GLOBAL(chip_rev, .width = 8, .page = 0, .address = 2, .bit = 8, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "Chip revision. Read only. Currently 0."),
    GLOBAL(en_AO, .width = 1, .page = 0, .address = 3, .bit = 0, .default_value = 1, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Enable data output AO"),
    GLOBAL(en_AFS, .width = 1, .page = 0, .address = 3, .bit = 1, .default_value = 1, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Enable frame strobe and output clock for A"),
    GLOBAL(en_BO, .width = 1, .page = 0, .address = 3, .bit = 2, .default_value = 1, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Enable data output BO"),
    GLOBAL(en_BFS, .width = 1, .page = 0, .address = 3, .bit = 3, .default_value = 1, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Enable frame strobe and output clock for B"),
    GLOBAL(en_CO, .width = 1, .page = 0, .address = 3, .bit = 4, .default_value = 1, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Enable data output CO"),
    GLOBAL(en_CFS, .width = 1, .page = 0, .address = 3, .bit = 5, .default_value = 1, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Enable frame strobe and output clock for C"),
    GLOBAL(en_DO, .width = 1, .page = 0, .address = 3, .bit = 6, .default_value = 1, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Enable data output DO"),
    GLOBAL(en_DFS, .width = 1, .page = 0, .address = 3, .bit = 7, .default_value = 1, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Enable frame strobe and output clock for D"),
    GLOBAL(en_soB, .width = 1, .page = 0, .address = 3, .bit = 8, .default_value = 1, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Enable sync_out_B and iflag"),
    GLOBAL(ckp_A, .width = 1, .page = 0, .address = 3, .bit = 9, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Invert ACK"),
    GLOBAL(ckp_B, .width = 1, .page = 0, .address = 3, .bit = 10, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Invert CCK"),
    GLOBAL(ckp_C, .width = 1, .page = 0, .address = 3, .bit = 11, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Invert CCK"),
    GLOBAL(ckp_D, .width = 1, .page = 0, .address = 3, .bit = 12, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Invert DCK"),
    GLOBAL(sumin_clr, .width = 1, .page = 0, .address = 3, .bit = 13, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Force sumin port to zero"),
    CHANNEL(coef_ofsc, .width = 4, .page = 18, .address = 16, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "FIR coefficient address offset"),
    CHANNEL(coef_modc, .width = 4, .page = 18, .address = 16, .bit = 4, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR coefficient modulo count"),
    CHANNEL(coef_repc, .width = 4, .page = 18, .address = 16, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR coefficient repeat count"),
    CHANNEL(coef_sym, .width = 1, .page = 18, .address = 16, .bit = 12, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Hardware exploits symmetry (1) or not (0)"),
    CHANNEL(coef_zerofr, .width = 1, .page = 18, .address = 16, .bit = 13, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Zero forward read"),
    CHANNEL(agen_recr, .width = 4, .page = 18, .address = 17, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Recirculate count"),
    CHANNEL(agen_depd, .width = 4, .page = 18, .address = 17, .bit = 4, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Depth count"),
    CHANNEL(agen_modd, .width = 4, .page = 18, .address = 17, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Modulo count"),
    CHANNEL(agen_togen, .width = 1, .page = 18, .address = 17, .bit = 12, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Toggle enable for back end read and write"),
    CHANNEL(fragen_soff, .width = 4, .page = 18, .address = 18, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Forward read address generator offset"),
    CHANNEL(fragen_srecr, .width = 4, .page = 18, .address = 18, .bit = 4, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Forward read address generator recirculate count"),
    CHANNEL(fragen_sdepd, .width = 4, .page = 18, .address = 18, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Forward read address generator depth count"),
    CHANNEL(fragen_stepn, .width = 4, .page = 18, .address = 18, .bit = 12, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Forward read address generator step"),
    CHANNEL(fwagen_soff, .width = 4, .page = 18, .address = 19, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Forward write address generator offset"),
    CHANNEL(fwagen_srecr, .width = 4, .page = 18, .address = 19, .bit = 4, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Forward write address generator recirculate count"),
    CHANNEL(fwagen_sdepd, .width = 4, .page = 18, .address = 19, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Forward write address generator depth count"),
    CHANNEL(fwagen_wrecrl, .width = 4, .page = 18, .address = 19, .bit = 12, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Forward write address generator step"),
    CHANNEL(bragen_soff, .width = 4, .page = 18, .address = 20, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward read address generator offset"),
    CHANNEL(bragen_srecr, .width = 4, .page = 18, .address = 20, .bit = 4, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward read address generator recirculate count"),
    CHANNEL(bragen_sdepd, .width = 4, .page = 18, .address = 20, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward read address generator depth count"),
    CHANNEL(bragen_stepn, .width = 4, .page = 18, .address = 20, .bit = 12, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward read address generator step"),
    CHANNEL(bwagen_soff, .width = 4, .page = 18, .address = 21, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward write address generator offset"),
    CHANNEL(bwagen_srecr, .width = 4, .page = 18, .address = 21, .bit = 4, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward write address generator recirculate count"),
    CHANNEL(bwagen_sdepd, .width = 4, .page = 18, .address = 21, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward write address generator depth count"),
    CHANNEL(bwagen_wrecrl, .width = 4, .page = 18, .address = 21, .bit = 12, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward write address generator step"),
    CHANNEL(beragen_soff, .width = 4, .page = 18, .address = 22, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward endcell read address generator offset"),
    CHANNEL(beragen_srecr, .width = 4, .page = 18, .address = 22, .bit = 4, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward endcell read address generator recirculate count"),
    CHANNEL(beragen_sdepd, .width = 4, .page = 18, .address = 22, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward endcell read address generator depth count"),
    CHANNEL(beragen_stepn, .width = 4, .page = 18, .address = 22, .bit = 12, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward endcell read address generator step"),
    CHANNEL(bewagen_soff, .width = 4, .page = 18, .address = 23, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward endcell write address generator offset"),
    CHANNEL(bewagen_srecr, .width = 4, .page = 18, .address = 23, .bit = 4, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward endcell write address generator recirculate count"),
    CHANNEL(bewagen_sdepd, .width = 4, .page = 18, .address = 23, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward endcell write address generator depth count"),
    CHANNEL(bewagen_wrecrl, .width = 4, .page = 18, .address = 23, .bit = 12, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward endcell write address generator step"),
    CHANNEL(fwa_strobe, .width = 16, .page = 18, .address = 24, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Forward write strobe"),
    CHANNEL(bwa_strobe, .width = 16, .page = 18, .address = 25, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward write strobe"),
    CHANNEL(beagen_rbypass, .width = 16, .page = 18, .address = 26, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR Backward endcell read bypass"),
    CHANNEL(tinf_bits, .width = 3, .page = 19, .address = 16, .bit = 0, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Transmit input formatter bits per word 0 - quiet, else bits = 4*tinf_bits.  Values 6 and 7 are illegal"),
    CHANNEL(tinf_pins, .width = 3, .page = 19, .address = 16, .bit = 3, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Transmit input formatter active pins quiet(0), 4 pins(1), 8 pins(2), 16 pins(4), illegal(else)"),
    CHANNEL(tinf_iqmux, .width = 1, .page = 19, .address = 16, .bit = 6, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Transmit input formatter IQ multiplexed (1) or real (0) inputs"),
    CHANNEL(tinf_pariq, .width = 1, .page = 19, .address = 16, .bit = 7, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Transmit input formatter IQ parallel (1) or not (0) I is bits 15..8 Q is bits 7..0"),
    CHANNEL(tinf_src, .width = 3, .page = 19, .address = 16, .bit = 8, .default_value = 2, .class_rcv = kClassNotUsed, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Transmit input formatter source Channel A normal,TDM, test (2,6,0) Channels B-D (2,1,0)"),
    CHANNEL(tinf_xmt, .width = 1, .page = 19, .address = 16, .bit = 11, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Transmit input formatter transmit (1) or receive (0)"),
    CHANNEL(fso_sel, .width = 2, .page = 19, .address = 16, .bit = 12, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassExpert, .class_third = kClassCompute, .description = "Frame strobe output select quiet(0), xmt(1), receive(2), illegal(3)"),
    CHANNEL(tinf_first, .width = 4, .page = 19, .address = 17, .bit = 0, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Transmit frame strobe load first word (Tword - 1)"),
    CHANNEL(tinf_second, .width = 4, .page = 19, .address = 17, .bit = 4, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Transmit frame strobe load second word (Tdly+Tword+1)"),
    CHANNEL(sck_div, .width = 4, .page = 19, .address = 17, .bit = 8, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "Slow clock divide minus 1."),
    CHANNEL(tinf_fso_dly, .width = 3, .page = 19, .address = 17, .bit = 12, .default_value = 1, .class_rcv = kClassNotUsed, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Transmit frame strobe output delay values from 1 to 7"),
    CHANNEL(tinf_fs_cnt, .width = 12, .page = 19, .address = 18, .bit = 0, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Transmit frame strobe count distance between frame strobes in divided clocks"),
    CHANNEL(tinf_nfs, .width = 4, .page = 19, .address = 18, .bit = 12, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Number of frame strobes between fir_swap toggles"),
    CHANNEL(gain_lsb, .width = 16, .page = 19, .address = 19, .bit = 0, .default_value = 4096, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Lower 16 bits of gain (gain is scaled by 4096)"),
    CHANNEL(gain_msb, .width = 3, .page = 19, .address = 20, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Upper 3 bits of gain"),
    CHANNEL(agc_freeze, .width = 1, .page = 19, .address = 20, .bit = 3, .default_value = 1, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Freezes adaptive gain"),
    CHANNEL(gain_rnd, .width = 5, .page = 19, .address = 20, .bit = 4, .default_value = 2, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Rounds off bottom 0 to 16 bits of a 20 bit word"),
    CHANNEL(gain_half, .width = 1, .page = 19, .address = 20, .bit = 9, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Saturates gain output at 1/2.  Used in xmt for symmetric filters"),
    CHANNEL(agc_hold, .width = 1, .page = 19, .address = 20, .bit = 10, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Gain tracks when low, holds when high for uP gain readback"),
    CHANNEL(agc_gain_out, .width = 1, .page = 19, .address = 20, .bit = 11, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Puts agc information into lower 8 bits of output data"),
    CHANNEL(agc_zmag, .width = 4, .page = 19, .address = 20, .bit = 12, .default_value = 15, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "AGC mask for defining zero signal for faster AGC adaption Masks off bottom 0,1,2,3,or 4 bits (0xf,e,c,8,or 0)"),
    CHANNEL(agc_min, .width = 16, .page = 19, .address = 21, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "AGC minimum adaption limit. Lower limit for adapted gain is base_gain - agc_min"),
    CHANNEL(agc_max, .width = 16, .page = 19, .address = 22, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "AGC maximum adaption limit. Upper limit for adapted gain is base_gain + agc_max"),
    CHANNEL(agc_zero_cnt, .width = 4, .page = 19, .address = 23, .bit = 0, .default_value = 6, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "Run of zeros before fast adaption gain increate step Dzro is used"),
    CHANNEL(agc_sat_cnt, .width = 4, .page = 19, .address = 23, .bit = 4, .default_value = 6, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "Run of saturated values before fast adaption gain reduction step Dsat is used"),
    CHANNEL(agc_thresh, .width = 8, .page = 19, .address = 23, .bit = 8, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Threshold for AGC adaption"),
    CHANNEL(agc_Dblw, .width = 4, .page = 19, .address = 24, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Gain shift for below threshold"),
    CHANNEL(agc_Dabv, .width = 4, .page = 19, .address = 24, .bit = 4, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Gain shift for above threshold"),
    CHANNEL(agc_Dzro, .width = 4, .page = 19, .address = 24, .bit = 8, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Gain shift for zero data"),
    CHANNEL(agc_Dsat, .width = 4, .page = 19, .address = 24, .bit = 12, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Gain shift for saturated"),
    CHANNEL(gain_read, .width = 16, .page = 19, .address = 25, .bit = 0, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "Readback of current gain setting (read only)."),
    CHANNEL(pwr_meter_lsb, .width = 16, .page = 19, .address = 26, .bit = 0, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "Readback of power meter least significant 16 bits (read only)"),
    CHANNEL(pwr_meter_msb, .width = 16, .page = 19, .address = 27, .bit = 0, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "Readback of power meter most significant 16 bits (read only)"),
    CHANNEL(pwr_meter_trig, .width = 3, .page = 19, .address = 28, .bit = 10, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "Register to read power meter using handshaking"),
    CHANNEL(pwr_mtr_integ, .width = 16, .page = 19, .address = 29, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Power meter integration time in words"),
    CHANNEL(pwr_mtr_on, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "Set to 1 to automatically turn on and configure power meter"),
    CHANNEL(routf_pins, .width = 3, .page = 19, .address = 30, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Receive output formatter active pins.  Active pins are always the msbs.  Set to 1,2, or 4 for 4,8, or 16 active pins."),
    CHANNEL(routf_bits, .width = 5, .page = 19, .address = 30, .bit = 3, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Receive output formatter bits in a word.  Set to 1,2,4,8,16, or 32 to get a wordsize of 4,8,12,16, or 20"),
    CHANNEL(routf_iqmux, .width = 1, .page = 19, .address = 30, .bit = 8, .default_value = 1, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Receive output complex (1) or real (0) per port.  Note that splitIQ uses real control here."),
    CHANNEL(routf_pwrdown, .width = 1, .page = 19, .address = 30, .bit = 9, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Power down receieve output formatter (1) or not (0)"),
    CHANNEL(routf_ctdm, .width = 1, .page = 19, .address = 30, .bit = 11, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Activate TDM receive output."),
    CHANNEL(pwr_test, .width = 1, .page = 19, .address = 30, .bit = 12, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Test mode for power meter.  0 for normal operation"),
    GLOBAL(tx_pat_gen, .width = 2, .page = 19, .address = 30, .bit = 13, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Transmit pattern generator enable and source off(0), random(1), constant 0x4000(2), random with bit 14 inverted(3)."),
    GLOBAL(rcv_cksum, .width = 16, .page = 19, .address = 31, .bit = 0, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "Checksum results for receive (read only)"),
    CHANNEL(swap_wa_cnt, .width = 4, .page = 20, .address = 16, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR swap write address down count"),
    CHANNEL(swap_ra_cnt, .width = 4, .page = 20, .address = 16, .bit = 4, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR swap read address down count"),
    CHANNEL(swap_xmt, .width = 1, .page = 20, .address = 16, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR swap RAM in transmit (1) or receive (0)"),
    CHANNEL(swap_cmplx, .width = 1, .page = 20, .address = 16, .bit = 9, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR swap expects complex from CIC (1) or real (0)"),
    CHANNEL(fir_fb, .width = 1, .page = 20, .address = 16, .bit = 10, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR forward broadcast (1) or not (0)"),
    CHANNEL(swap_fb, .width = 1, .page = 20, .address = 16, .bit = 11, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR swap RAM in forward broadcast (1) or not (0)"),
    CHANNEL(swap_rcv_tdly, .width = 1, .page = 20, .address = 16, .bit = 12, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR swap RAM reduce CIC to FIR data valid delay by 1 when cic is bypassed."),
    CHANNEL(acc_dly, .width = 4, .page = 20, .address = 17, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR accumulator delay minus 1"),
    CHANNEL(acc_cnt, .width = 4, .page = 20, .address = 17, .bit = 4, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR number of partial products to accumulate"),
    CHANNEL(acc_dly0, .width = 1, .page = 20, .address = 17, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR no accumulator delay (1) or not (0)"),
    CHANNEL(acc_bypass, .width = 1, .page = 20, .address = 17, .bit = 9, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR accumulator bypass (1) or normal (0).  Must also set acc_cnt to zero for bypass."),
    CHANNEL(acc_enram, .width = 1, .page = 20, .address = 17, .bit = 10, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR enable accumulate ram (1) normal.  Set to 0 when acc_dly0 is 1."),
    CHANNEL(fir_shift, .width = 3, .page = 20, .address = 18, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "FIR shift up.  Filter gain = sum_coefs/fir_int*2^(fir_shift-21)"),
    CHANNEL(fir_xenq, .width = 1, .page = 20, .address = 18, .bit = 3, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR transmit enable q.  Set for transmit and complex filtering."),
    CHANNEL(fir_xeni, .width = 1, .page = 20, .address = 18, .bit = 4, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR transmit enable i.  Set for transmit, clear in receive."),
    CHANNEL(fir_half, .width = 1, .page = 20, .address = 18, .bit = 5, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR half scale.  Set to 0."),
    CHANNEL(fir_rnd20, .width = 1, .page = 20, .address = 18, .bit = 6, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR round. In receive set to 1 for 20 bits to gain.  In transmit set to 0 for 18 bits to CIC."),
    CHANNEL(fir_cmplx, .width = 1, .page = 20, .address = 18, .bit = 7, .default_value = 1, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "FIR outputs complex data.  Normally set, clear for splitIQ or some bypass modes."),
    CHANNEL(fir_sync_cnt, .width = 16, .page = 20, .address = 19, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "FIR internal sync count to periodically resync various FIR counters"),
    CHANNEL(fir_clk_cnt, .width = 8, .page = 20, .address = 20, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Number of FIR clocks per CIC input (xmt) or output (rcv) minus 1"),
    CHANNEL(fir_clk_cnt_en, .width = 1, .page = 20, .address = 20, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Enable Fir clock counter set for gated clocking.  Set to 0 and set fir_clk_cnt>0 to set FIR clock always on."),
    CHANNEL(fir_test, .width = 1, .page = 20, .address = 20, .bit = 9, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Set to 0 for normal operation."),
    CHANNEL(fir_en_sync_cnt, .width = 1, .page = 20, .address = 20, .bit = 10, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Enable fir sync counter (1)."),
    CHANNEL(cksum_sync_back, .width = 3, .page = 20, .address = 20, .bit = 12, .default_value = 7, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Sync for both receive checksum and transmit pattern generator."),
    CHANNEL(fir_sync, .width = 3, .page = 20, .address = 21, .bit = 0, .default_value = 2, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Sync source selection for FIR"),
    CHANNEL(coef_sync, .width = 3, .page = 20, .address = 21, .bit = 3, .default_value = 7, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "Sync source selection for coefficient swapping.  Used with multiple coefficient sets."),
    CHANNEL(gain_sync, .width = 3, .page = 20, .address = 21, .bit = 6, .default_value = 7, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Sync source selection for gain updates"),
    CHANNEL(pwr_mtr_sync, .width = 3, .page = 20, .address = 21, .bit = 9, .default_value = 7, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Sync source selection for starting power meter"),
    CHANNEL(sck_sync, .width = 3, .page = 20, .address = 21, .bit = 12, .default_value = 7, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Sync source selection for slow clock divider"),
    PAIR(cic_shift, .width = 6, .page = 128, .address = 16, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "CIC is followed by a shifter gain of cic_shift-41 to compensate for CIC gain.  0 <= cic_shift <= 39."),
    PAIR(cic_rcv, .width = 2, .page = 128, .address = 16, .bit = 6, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "CIC mode is quiet(0), receive(1), transmit(2), or illegal(3)."),
    PAIR(cic_xmt_5stg, .width = 1, .page = 128, .address = 16, .bit = 8, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "CIC transmit 5 stages(1) rather than the normal 6 stages(0)."),
    PAIR(cic_rshift, .width = 1, .page = 128, .address = 16, .bit = 9, .default_value = 1, .class_rcv = kClassExpert, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Upshift 1 bit in receive mode after CIC filtering before rounding"),
    PAIR(cic_2x, .width = 1, .page = 128, .address = 16, .bit = 10, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Operate the CIC in double rate mode"),
    PAIR(cic_xmt_d6stg, .width = 1, .page = 128, .address = 16, .bit = 11, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "Must be set for CIC in double rate and six stage, else clear"),
    PAIR(cic_rcv_cross, .width = 1, .page = 128, .address = 16, .bit = 12, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Use cross-strapped CIC inputs in receive. Set for splitIQ mode"),
    PAIR(cic_rcv_full, .width = 1, .page = 128, .address = 16, .bit = 13, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Saturate CIC output at full-scale (1) for nonsymmetric FIR or half-scale(0) for symmetric FIR.  Only affects receive outputs."),
    PAIR(cic_bypass, .width = 1, .page = 128, .address = 16, .bit = 14, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Bypass CIC (1), must also set cic_shift(39) and ncic(0)."),
    PAIR(cic_fl_status, .width = 1, .page = 128, .address = 16, .bit = 15, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "CIC flush status sticky bit, chip sets if auto flushed. User must clear."),
    PAIR(phase, .width = 16, .page = 128, .address = 17, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Phase is phase/2^16 hertz."),
    PAIR(freq_lsb, .width = 16, .page = 128, .address = 18, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Bottom 16 bits of frequency"),
    PAIR(freq_mid, .width = 16, .page = 128, .address = 19, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Middle 16 bits of frequency"),
    PAIR(freq_msb, .width = 16, .page = 128, .address = 20, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Top 16 bits of frequency.  See also variables freq and fsample."),
    PAIR(mix_rcv_sel, .width = 2, .page = 128, .address = 21, .bit = 0, .default_value = 0, .class_rcv = kClassMandatory, .class_xmt = kClassNotUsed, .class_third = kClassMandatory, .description = "Mixer input selection in receive (paths a,b,c, or d for 0,1,2, or 3 respectively)."),
    PAIR(mix_rcv_cmplx, .width = 1, .page = 128, .address = 21, .bit = 2, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassNotUsed, .class_third = kClassExpert, .description = "Set for receive complex input at full rate or double rate."),
    PAIR(mix_inv_qsin, .width = 1, .page = 128, .address = 21, .bit = 4, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Invert the output of Qdata by Sin in the mixer."),
    PAIR(mix_qsin, .width = 2, .page = 128, .address = 21, .bit = 5, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Select data input to qsin multiplier as zero(0),receive(1), transmit cross-strapped(2), or transmit(3).  Transmit cross-strapped is for transmit in splitIQ or double rate modes."),
    PAIR(mix_inv_qcos, .width = 1, .page = 128, .address = 21, .bit = 7, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Invert the output of Qdata by cos in the mixer."),
    PAIR(mix_qcos, .width = 2, .page = 128, .address = 21, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Select data input to qsin multiplier as zero(0),receive(1), transmit cross-strapped(2), or transmit(3).  Transmit cross-strapped is for transmit in splitIQ or double rate modes."),
    PAIR(mix_inv_isin, .width = 1, .page = 128, .address = 21, .bit = 10, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Invert the output of Idata by Sin in the mixer."),
    PAIR(mix_isin, .width = 2, .page = 128, .address = 21, .bit = 11, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Select data input to qsin multiplier as zero(0),receive(1), transmit cross-strapped(2), or transmit(3).  Transmit cross-strapped is for transmit in splitIQ or double rate modes."),
    PAIR(mix_inv_icos, .width = 1, .page = 128, .address = 21, .bit = 13, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Invert the output of Idata by cos in the mixer."),
    PAIR(mix_icos, .width = 2, .page = 128, .address = 21, .bit = 14, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Select data input to qsin multiplier as zero(0),receive(1), transmit cross-strapped(2), or transmit(3).  Transmit cross-strapped is for transmit in splitIQ or double rate modes."),
    PAIR(freq_sync, .width = 3, .page = 128, .address = 22, .bit = 0, .default_value = 7, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Sync source for frequency word update"),
    PAIR(phase_sync, .width = 3, .page = 128, .address = 22, .bit = 3, .default_value = 7, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Sync source for phase word update"),
    PAIR(dith_sync, .width = 3, .page = 128, .address = 22, .bit = 6, .default_value = 2, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Sync source for dither update.  Typically set to never.  Set to always to disable."),
    PAIR(nco_sync, .width = 3, .page = 128, .address = 22, .bit = 9, .default_value = 2, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Sync source for nco word update.  Disrupts signal processing when sync occurs"),
    PAIR(flush_sync, .width = 3, .page = 128, .address = 22, .bit = 12, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Sync for flushing data"),
    PAIR(dith_test, .width = 1, .page = 128, .address = 22, .bit = 15, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Experimental dither mode, set to 0. Dither power."),
    PAIR(ncic, .width = 12, .page = 128, .address = 23, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = "CIC decimation/interp count minus 1."),
    PAIR(cic_sync, .width = 3, .page = 128, .address = 23, .bit = 12, .default_value = 2, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Sync source for cic counter.  Should be periodic in (ncic+1)."),
    GLOBAL(sum_selI, .width = 8, .page = 129, .address = 16, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Selects inputs for I sum both A and B paths."),
    GLOBAL(sum_selQ, .width = 8, .page = 129, .address = 16, .bit = 8, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Selects inputs for Q sum both A and B paths."),
    GLOBAL(sum_shift, .width = 3, .page = 129, .address = 17, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Upshifts sum before output (0-7)."),
    GLOBAL(sum_ia, .width = 2, .page = 129, .address = 17, .bit = 3, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Summing mode off (use in rcv) (0), 22 bit sumin(1), bypass(2), 16 bit sumin(3)"),
    GLOBAL(sum_ib, .width = 2, .page = 129, .address = 17, .bit = 5, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Summing mode off(use in rcv)(0), 22 bit sumin(1), bypass(2), 16 bit sumin(3)"),
    GLOBAL(sum_qa, .width = 2, .page = 129, .address = 17, .bit = 7, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Summing mode off(use in rcv)(0), 22 bit sumin(1), bypass(2), 16 bit sumin(3)"),
    GLOBAL(sum_qb, .width = 1, .page = 129, .address = 17, .bit = 9, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Summing mode normal(0), quiet(use in rcv)(1)"),
    GLOBAL(sum_in, .width = 2, .page = 129, .address = 17, .bit = 10, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Sum in mode off(0), IQ multiplexed(1), 16 bit (2), 22 bit(3)"),
    GLOBAL(sum_of_Ia, .width = 1, .page = 129, .address = 17, .bit = 12, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "Sumtree overflow sticky status bit for Ia"),
    GLOBAL(sum_of_Ib, .width = 1, .page = 129, .address = 17, .bit = 13, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "Sumtree overflow sticky status bit for Ib"),
    GLOBAL(sum_of_Qa, .width = 1, .page = 129, .address = 17, .bit = 14, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "Sumtree overflow sticky status bit for Qa"),
    GLOBAL(sum_of_Qb, .width = 1, .page = 129, .address = 17, .bit = 15, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "Sumtree overflow sticky status bit for Qb"),
    GLOBAL(rcv_noise_A, .width = 16, .page = 129, .address = 18, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassDefault, .description = "Adds noise to input A to desensitize the digital down converters Must also release pn generator sync and set test mode to random."),
    GLOBAL(rcv_noise_B, .width = 16, .page = 129, .address = 19, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassDefault, .description = "Adds noise to input B to desensitize the digital down converters Must also release pn generator sync and set test mode to random."),
    GLOBAL(rcv_noise_C, .width = 16, .page = 129, .address = 20, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassDefault, .description = "Adds noise to input C to desensitize the digital down converters Must also release pn generator sync and set test mode to random."),
    GLOBAL(rcv_noise_D, .width = 16, .page = 129, .address = 21, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassDefault, .description = "Adds noise to input D to desensitize the digital down converters Must also release pn generator sync and set test mode to random."),
    GLOBAL(rinf_sel_A, .width = 4, .page = 161, .address = 16, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Receive input formatting.  Normal usage quiet(0),Q part of non-multiplexed complex (1), IQ multiplexed (3), real or real portion of nonmultiplexed complex (4), or test (8).  Detailed settings are quiet(0), input to q (1), delayed by 1 input to I(2), input to I(4), test to both I and Q (8)"),
    GLOBAL(rinf_sel_B, .width = 4, .page = 161, .address = 16, .bit = 4, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Same as above but for path B."),
    GLOBAL(rinf_sel_C, .width = 4, .page = 161, .address = 16, .bit = 8, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Same as above but for path C."),
    GLOBAL(rinf_sel_D, .width = 4, .page = 161, .address = 16, .bit = 12, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Same as above but for path D."),
    GLOBAL(gen_timer, .width = 16, .page = 161, .address = 17, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassDefault, .description = "General purpose timer.  Downcounts from 256*gen_timer.  Restarts on sync or end of count.  Also use as ramp data bits in test. Outputs at restart + 5 clocks."),
    GLOBAL(rinf_zpad, .width = 4, .page = 161, .address = 18, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassDefault, .description = "Receive input formatter zero pad count.  Effectively interpolates by (rinf_zpad+1) up to the CK rate.  Set to 0 and hold sync always to do no interpolation Set to nonzero and sync always to force 0 always."),
    GLOBAL(rinf_diag, .width = 2, .page = 161, .address = 18, .bit = 4, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassDefault, .description = "Receive diagnostic test pattern ramp(0), 0(1), random(2), constant 0x4000 (3)."),
    GLOBAL(gen_timer_test, .width = 1, .page = 161, .address = 18, .bit = 6, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassDefault, .description = "Shorten gen_timer for test (1).  Normally 0."),
    GLOBAL(gen_timer_sync, .width = 3, .page = 161, .address = 18, .bit = 7, .default_value = 7, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassCompute, .description = "Sync control for general timer."),
    GLOBAL(cksum_sync_front, .width = 3, .page = 161, .address = 18, .bit = 10, .default_value = 7, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Sync for both receive pattern generator and transmit checksum."),
    GLOBAL(rinf_zpad_sync, .width = 3, .page = 161, .address = 18, .bit = 13, .default_value = 7, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassCompute, .description = "Sync control for receive zero padding."),
    GLOBAL(toutf_hold_sync, .width = 3, .page = 161, .address = 19, .bit = 0, .default_value = 7, .class_rcv = kClassNotUsed, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Sync control for transmit output hold."),
    GLOBAL(toutf_do, .width = 5, .page = 161, .address = 19, .bit = 4, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Transmit output format control for DO. quiet(0),id(1),qb(2), ib lsb's(4), qa lsb's(8), co complement (16)  Others illegal."),
    GLOBAL(toutf_co, .width = 3, .page = 161, .address = 19, .bit = 9, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Transmit output format control for CO. quiet(0),ic(1),ib(2),qa(4)."),
    GLOBAL(toutf_bo, .width = 4, .page = 161, .address = 19, .bit = 12, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Transmit output format control for BO. quiet(0),ib(1),ib(2),qa(4), ao complement(8)."),
    GLOBAL(toutf_rnd_AB, .width = 2, .page = 161, .address = 20, .bit = 0, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Round transmit outputs AO, and BO to 16(1),14(2),12(3) bits, or no round(0)."),
    GLOBAL(toutf_offsetbin, .width = 1, .page = 161, .address = 20, .bit = 3, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Offset binary format(1) or two complement(0). Common to all transmit outputs."),
    GLOBAL(toutf_halfcmplx_AB, .width = 1, .page = 161, .address = 20, .bit = 4, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Time multiplex I/Q data by decimating by two at output."),
    GLOBAL(toutf_hold, .width = 3, .page = 161, .address = 20, .bit = 5, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Hold output for toutf_hold+1 clocks - effectively decimating the signal."),
    GLOBAL(toutf_rnd_CD, .width = 2, .page = 161, .address = 20, .bit = 8, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Round transmit outputs for CO, and DO to 16(1), 14(2), 12(3), bits or no round(0)."),
    GLOBAL(toutf_quiet_CD, .width = 1, .page = 161, .address = 20, .bit = 10, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Quiet CD path (1) when unused."),
    GLOBAL(toutf_halfcmplx_CD, .width = 1, .page = 161, .address = 20, .bit = 11, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Time multiplex IQ for channels C and D."),
    GLOBAL(toutf_xmt_CD, .width = 1, .page = 161, .address = 20, .bit = 12, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Channels C and D setup in transmit(1) or receive(0)."),
    GLOBAL(toutf_sumin, .width = 1, .page = 161, .address = 20, .bit = 13, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "CO and DO setup as inputs for sumin (1), or outputs (0)."),
    GLOBAL(toutf_xmt_AB, .width = 1, .page = 161, .address = 20, .bit = 14, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "Channels A and B setup in transmit(1) or receive(0)."),
    GLOBAL(t_cksum, .width = 16, .page = 161, .address = 21, .bit = 0, .default_value = 0, .class_rcv = kClassNone, .class_xmt = kClassNone, .class_third = kClassNone, .description = "Checksum results for transmit (read only)"),
    CHANNEL(agc_mode, .width = 4, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 2, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Set by user to determine what mode the AGC is in:0 for CDMA, 1 for narrowband, 2 for mixed"),
    CHANNEL(agc_tc, .width = 16, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 1000, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Set by user; desired AGC time constant in microseconds"),
    CHANNEL(agc_cf, .width = 16, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 10, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Set by user; desired output crest factor in dB"),
    GLOBAL(sync_mode, .width = 4, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Specifies how to automatically configure the default settings for various syncs. All default settings can be overridden in the command file."),
    CHANNEL(fir_dec, .width = 5, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 1, .class_rcv = kClassMandatory, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "FIR decimation amount (only in receive) (1-16)."),
    CHANNEL(fir_int, .width = 5, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 1, .class_rcv = kClassNotUsed, .class_xmt = kClassMandatory, .class_third = kClassNotUsed, .description = "FIR interpolation amount (only in transmit) (1-16)."),
    CHANNEL(fir_diff, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "If set allows multiple datastreams in the filter to get different coefficients."),
    CHANNEL(fir_nchan, .width = 5, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 1, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "Specifies how many datastreams in the filter (1-16).  Almost always the default of 1 is correct."),
    GLOBAL(rin_cmplx, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassDefault, .description = "Receive input data is complex(1) or real(0)."),
    GLOBAL(rin_rate, .width = 2, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 1, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassDefault, .description = "Receive input data rate is half(0) for IQ time multiplexed, full(1), or double(2).  If double, splitIQ must be on."),
    GLOBAL(routf_tdm, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "Receive output data is TDM'd(1) onto port DO or normal. 1 for TDM in all channels. 0 else."),
    GLOBAL(tinf_tdm, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "TDM transmit input data is expect on port AI(1) or normal(0)."),
    CHANNEL(tinf_cmplx, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassMandatory, .class_third = kClassNotUsed, .description = "Transmit input data is complex(1) or real(0).  If splitIQ must be real."),
    CHANNEL(tinf_fs_dly, .width = 4, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 3, .class_rcv = kClassNotUsed, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "Transmit input frame strobe delay. <<< MORE >>>"),
    GLOBAL(tout_cmplx, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 1, .class_rcv = kClassNotUsed, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Transmit output data is complex(1) or real(0)."),
    GLOBAL(tout_res, .width = 2, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Transmit output resolution is normal(0) for 16 bits or less, high resolution(1) up to 22 bits, or complementary signalling(2)."),
    GLOBAL(tout_nsig, .width = 3, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 4, .class_rcv = kClassNotUsed, .class_xmt = kClassMandatory, .class_third = kClassCompute, .description = "Number of transmit output signals.  A complex output counts as one signal even if I and Q are on separate ports."),
    GLOBAL(tout_rate, .width = 2, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 1, .class_rcv = kClassNotUsed, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Transmit output rate is half(0) for IQ time multiplexed, full(1) or double(2).  If double splitIQ must also be set."),
    GLOBAL(tout_sumin, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassNotUsed, .class_xmt = kClassDefault, .class_third = kClassDefault, .description = "Sumin port active(1) or not(0).  If active, ports CO and DO become inputs and are not available as outputs."),
    GLOBAL(splitiqAB, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "If set, complex IQ data in channels A and B is split so that I goes toone filter and Q goes to another."),
    GLOBAL(splitiqCD, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "If set, complex IQ data in channels C and D is split so that I goes toone filter and Q goes to another."),
    GLOBAL(splitiq, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "If set, automatically sets splitiqAB and CD both on"),
    CHANNEL(bypass_mix, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "Programs the mixers to be nearly unity gain (2^20-1)/(2^20).  The sin mixer multipliers are programmed to multiply by zero.  Also sets the frequency to be DC and phase to zero."),
    CHANNEL(bypass_cic, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "Programs the CIC into bypass mode(1) or normal(0).  It neither interpolates nor decimates.  Gain is one in transmit and 1/2 in receive.  The data still goes through the CIC."),
    CHANNEL(bypass_fir, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassDefault, .class_xmt = kClassDefault, .class_third = kClassNotUsed, .description = "If set, programs the FIR filter to an impulse with minimum latency and unity gain."),
    CHANNEL(pins, .width = 5, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassMandatory, .class_xmt = kClassMandatory, .class_third = kClassNotUsed, .description = "0\tSets the number of active pins for the back end in both transmit and receive.  Must be 4,8, or 16."),
    CHANNEL(bits, .width = 5, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassMandatory, .class_xmt = kClassMandatory, .class_third = kClassNotUsed, .description = "0\tSets the number of bits in a word for the back end in both transmit and receive.  Must be 4,8,12,16, or 20."),
    PAIR(cic_int, .width = 12, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 1, .class_rcv = kClassNotUsed, .class_xmt = kClassMandatory, .class_third = kClassNotUsed, .description = "CIC interpolation amount in transmit mode.  Must be even when tout_rate=2."),
    PAIR(cic_dec, .width = 12, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 1, .class_rcv = kClassCompute, .class_xmt = kClassNotUsed, .class_third = kClassNotUsed, .description = "CIC decimate amount in receive mode.  Must be even when rin_rate=2."),
    CHANNEL_WIDE(gain, .width = kWideWidth, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Gain through final gain block"),
    CHANNEL_WIDE(overall_gain, .width = kWideWidth, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassNotUsed, .description = "Target gain to output in receive or transmit mode"),
    GLOBAL_WIDE(fck, .width = kWideWidth, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 1, .class_rcv = kClassMandatory, .class_xmt = kClassMandatory, .class_third = kClassMandatory, .description = "Chip clock rate in MHz."),
    CHANNEL_WIDE(freq, .width = kWideWidth, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassCompute, .class_xmt = kClassCompute, .class_third = kClassCompute, .description = "Tuning frequency.  Used together with fck, hold, and zpad to fill in freq_msb, freq_mid, or freq_lsb.  Use either one but not both."),
    CHANNEL(fir_sym, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassNotUsed, .description = ""),
    CHANNEL(xmt, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = "0"),
    CHANNEL(powerdown, .width = 1, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = ""),
    CHANNEL(coefsym, .width = 8, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = ""),
    CHANNEL(ncoefs, .width = 16, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = ""),
    CHANNEL(maxtap, .width = 31, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = ""),
    CHANNEL(sumtap, .width = 31, .page = kPseudoPage, .address = 0, .bit = 0, .default_value = 0, .class_rcv = kClassExpert, .class_xmt = kClassExpert, .class_third = kClassExpert, .description = ""),
};
// clang-format on

#undef GLOBAL
#undef GLOBAL_WIDE
#undef CHANNEL
#undef CHANNEL_WIDE
#undef PAIR

constexpr size_t kRowCount = std::size(kRows);

// The rows and the settings blocks must describe the same variables.  Every
// row names a field of the block of its kind (the macros above see to that),
// so when no two rows name the same field and each block is exactly as large
// as its rows' fields laid end to end, every field of every block has exactly
// one row.  A block holds fields of one type only, so it has no padding.
template <typename Member>
constexpr size_t rows_naming(Member FieldRef::*kind) {
  size_t n = 0;
  for (const RegisterRow& r : kRows) n += r.field.*kind != nullptr ? 1 : 0;
  return n;
}

constexpr bool same_field(const FieldRef& a, const FieldRef& b) {
  return (a.chip_int != nullptr && a.chip_int == b.chip_int) ||
         (a.chip_wide != nullptr && a.chip_wide == b.chip_wide) ||
         (a.channel_int != nullptr && a.channel_int == b.channel_int) ||
         (a.channel_wide != nullptr && a.channel_wide == b.channel_wide);
}

constexpr bool fields_distinct() {
  for (size_t i = 0; i < kRowCount; ++i) {
    for (size_t j = i + 1; j < kRowCount; ++j) {
      if (same_field(kRows[i].field, kRows[j].field)) return false;
    }
  }
  return true;
}

static_assert(fields_distinct(), "two register map rows name the same settings field");
static_assert(sizeof(ChipVariables) == rows_naming(&FieldRef::chip_int) * sizeof(int),
              "ChipVariables and the GLOBAL rows differ");
static_assert(sizeof(ChipWideVariables) == rows_naming(&FieldRef::chip_wide) * sizeof(double),
              "ChipWideVariables and the GLOBAL_WIDE rows differ");
static_assert(sizeof(ChannelVariables) == rows_naming(&FieldRef::channel_int) * sizeof(int),
              "ChannelVariables and the CHANNEL and PAIR rows differ");
static_assert(sizeof(ChannelWideVariables) == rows_naming(&FieldRef::channel_wide) * sizeof(double),
              "ChannelWideVariables and the CHANNEL_WIDE rows differ");
static_assert(kRowCount == 250, "the chip has 250 variables");

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

// The index of `row`, a row of the map.
size_t row_index(const RegisterRow& row) { return static_cast<size_t>(&row - std::begin(kRows)); }

}  // namespace

std::span<const RegisterRow> register_map() { return kRows; }

int row_hash(const RegisterRow& row) { return kRowHash[row_index(row)]; }

std::string_view wrapped_description(const RegisterRow& row) {
  const size_t i = row_index(row);
  return {kWrapped.text.data() + kWrapped.start[i], kWrapped.length[i]};
}

}  // namespace cmd7730
