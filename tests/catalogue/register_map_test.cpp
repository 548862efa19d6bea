// Cross-checks the register map table against the register-by-register
// layout of the chip, written independently below: every field's register,
// bit range and order, and the map's structural invariants.
#include "catalogue/register_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace cmd7730 {
namespace {

// The chip's register layout, register by register (k = channel 0..3;
// fields in bit order; a single number is a one-bit field).
constexpr const char* kLayout = R"LAYOUT(
global register, address 0: `ck_loss_status` 0..1, `en_ck_loss` 8, `pwr_dwn_fir_A` 9, `pwr_dwn_fir_B` 10, `pwr_dwn_fir_C` 11, `pwr_dwn_fir_D` 12, `pwr_dwn_cic_AB` 13, `pwr_dwn_cic_CD` 14, `master_reset` 15.
global register, address 1: `soB_sync` 0..2, `one_shot` 3..4.
global register, address 2: `page` 0..7, `chip_rev` 8..15.
global register, address 3: `en_AO` 0, `en_AFS` 1, `en_BO` 2, `en_BFS` 3, `en_CO` 4, `en_CFS` 5, `en_DO` 6, `en_DFS` 7, `en_soB` 8, `ckp_A` 9, `ckp_B` 10, `ckp_C` 11, `ckp_D` 12, `sumin_clr` 13.
channel page 18+32k, address 16: `coef_ofsc` 0..3, `coef_modc` 4..7, `coef_repc` 8..11, `coef_sym` 12, `coef_zerofr` 13.
channel page 18+32k, address 17: `agen_recr` 0..3, `agen_depd` 4..7, `agen_modd` 8..11, `agen_togen` 12.
channel page 18+32k, address 18: `fragen_soff` 0..3, `fragen_srecr` 4..7, `fragen_sdepd` 8..11, `fragen_stepn` 12..15.
channel page 18+32k, address 19: `fwagen_soff` 0..3, `fwagen_srecr` 4..7, `fwagen_sdepd` 8..11, `fwagen_wrecrl` 12..15.
channel page 18+32k, address 20: `bragen_soff` 0..3, `bragen_srecr` 4..7, `bragen_sdepd` 8..11, `bragen_stepn` 12..15.
channel page 18+32k, address 21: `bwagen_soff` 0..3, `bwagen_srecr` 4..7, `bwagen_sdepd` 8..11, `bwagen_wrecrl` 12..15.
channel page 18+32k, address 22: `beragen_soff` 0..3, `beragen_srecr` 4..7, `beragen_sdepd` 8..11, `beragen_stepn` 12..15.
channel page 18+32k, address 23: `bewagen_soff` 0..3, `bewagen_srecr` 4..7, `bewagen_sdepd` 8..11, `bewagen_wrecrl` 12..15.
channel page 18+32k, address 24: `fwa_strobe` 0..15.
channel page 18+32k, address 25: `bwa_strobe` 0..15.
channel page 18+32k, address 26: `beagen_rbypass` 0..15.
channel page 19+32k, address 16: `tinf_bits` 0..2, `tinf_pins` 3..5, `tinf_iqmux` 6, `tinf_pariq` 7, `tinf_src` 8..10, `tinf_xmt` 11, `fso_sel` 12..13.
channel page 19+32k, address 17: `tinf_first` 0..3, `tinf_second` 4..7, `sck_div` 8..11, `tinf_fso_dly` 12..14.
channel page 19+32k, address 18: `tinf_fs_cnt` 0..11, `tinf_nfs` 12..15.
channel page 19+32k, address 19: `gain_lsb` 0..15.
channel page 19+32k, address 20: `gain_msb` 0..2, `agc_freeze` 3, `gain_rnd` 4..8, `gain_half` 9, `agc_hold` 10, `agc_gain_out` 11, `agc_zmag` 12..15.
channel page 19+32k, address 21: `agc_min` 0..15.
channel page 19+32k, address 22: `agc_max` 0..15.
channel page 19+32k, address 23: `agc_zero_cnt` 0..3, `agc_sat_cnt` 4..7, `agc_thresh` 8..15.
channel page 19+32k, address 24: `agc_Dblw` 0..3, `agc_Dabv` 4..7, `agc_Dzro` 8..11, `agc_Dsat` 12..15.
channel page 19+32k, address 25: `gain_read` 0..15.
channel page 19+32k, address 26: `pwr_meter_lsb` 0..15.
channel page 19+32k, address 27: `pwr_meter_msb` 0..15.
channel page 19+32k, address 28: `pwr_meter_trig` 10..12.
channel page 19+32k, address 29: `pwr_mtr_integ` 0..15.
channel page 19+32k, address 30: `routf_pins` 0..2, `routf_bits` 3..7, `routf_iqmux` 8, `routf_pwrdown` 9, `routf_ctdm` 11, `pwr_test` 12.
page 19, address 30: `tx_pat_gen` 13..14.
page 19, address 31: `rcv_cksum` 0..15.
channel page 20+32k, address 16: `swap_wa_cnt` 0..3, `swap_ra_cnt` 4..7, `swap_xmt` 8, `swap_cmplx` 9, `fir_fb` 10, `swap_fb` 11, `swap_rcv_tdly` 12.
channel page 20+32k, address 17: `acc_dly` 0..3, `acc_cnt` 4..7, `acc_dly0` 8, `acc_bypass` 9, `acc_enram` 10.
channel page 20+32k, address 18: `fir_shift` 0..2, `fir_xenq` 3, `fir_xeni` 4, `fir_half` 5, `fir_rnd20` 6, `fir_cmplx` 7.
channel page 20+32k, address 19: `fir_sync_cnt` 0..15.
channel page 20+32k, address 20: `fir_clk_cnt` 0..7, `fir_clk_cnt_en` 8, `fir_test` 9, `fir_en_sync_cnt` 10, `cksum_sync_back` 12..14.
channel page 20+32k, address 21: `fir_sync` 0..2, `coef_sync` 3..5, `gain_sync` 6..8, `pwr_mtr_sync` 9..11, `sck_sync` 12..14.
pair page 128/160, address 16 (B, D at address 24): `cic_shift` 0..5, `cic_rcv` 6..7, `cic_xmt_5stg` 8, `cic_rshift` 9, `cic_2x` 10, `cic_xmt_d6stg` 11, `cic_rcv_cross` 12, `cic_rcv_full` 13, `cic_bypass` 14, `cic_fl_status` 15.
pair page 128/160, address 17 (B, D at address 25): `phase` 0..15.
pair page 128/160, address 18 (B, D at address 26): `freq_lsb` 0..15.
pair page 128/160, address 19 (B, D at address 27): `freq_mid` 0..15.
pair page 128/160, address 20 (B, D at address 28): `freq_msb` 0..15.
pair page 128/160, address 21 (B, D at address 29): `mix_rcv_sel` 0..1, `mix_rcv_cmplx` 2, `mix_inv_qsin` 4, `mix_qsin` 5..6, `mix_inv_qcos` 7, `mix_qcos` 8..9, `mix_inv_isin` 10, `mix_isin` 11..12, `mix_inv_icos` 13, `mix_icos` 14..15.
pair page 128/160, address 22 (B, D at address 30): `freq_sync` 0..2, `phase_sync` 3..5, `dith_sync` 6..8, `nco_sync` 9..11, `flush_sync` 12..14, `dith_test` 15.
pair page 128/160, address 23 (B, D at address 31): `ncic` 0..11, `cic_sync` 12..14.
page 129, address 16: `sum_selI` 0..7, `sum_selQ` 8..15.
page 129, address 17: `sum_shift` 0..2, `sum_ia` 3..4, `sum_ib` 5..6, `sum_qa` 7..8, `sum_qb` 9, `sum_in` 10..11, `sum_of_Ia` 12, `sum_of_Ib` 13, `sum_of_Qa` 14, `sum_of_Qb` 15.
page 129, address 18: `rcv_noise_A` 0..15.
page 129, address 19: `rcv_noise_B` 0..15.
page 129, address 20: `rcv_noise_C` 0..15.
page 129, address 21: `rcv_noise_D` 0..15.
page 161, address 16: `rinf_sel_A` 0..3, `rinf_sel_B` 4..7, `rinf_sel_C` 8..11, `rinf_sel_D` 12..15.
page 161, address 17: `gen_timer` 0..15.
page 161, address 18: `rinf_zpad` 0..3, `rinf_diag` 4..5, `gen_timer_test` 6, `gen_timer_sync` 7..9, `cksum_sync_front` 10..12, `rinf_zpad_sync` 13..15.
page 161, address 19: `toutf_hold_sync` 0..2, `toutf_do` 4..8, `toutf_co` 9..11, `toutf_bo` 12..15.
page 161, address 20: `toutf_rnd_AB` 0..1, `toutf_offsetbin` 3, `toutf_halfcmplx_AB` 4, `toutf_hold` 5..7, `toutf_rnd_CD` 8..9, `toutf_quiet_CD` 10, `toutf_halfcmplx_CD` 11, `toutf_xmt_CD` 12, `toutf_sumin` 13, `toutf_xmt_AB` 14.
page 161, address 21: `t_cksum` 0..15.
)LAYOUT";

struct Field {
  std::string name;
  int page, address, lo, hi;
  auto key() const { return std::tie(page, address, lo, hi, name); }
  bool operator<(const Field& o) const { return key() < o.key(); }
  bool operator==(const Field& o) const { return key() == o.key(); }
};

// Parses the layout text into fields, with the page as listed for channel A
// (and pair page 128 for the pair registers).  Each line reads
// "<register>, address <n>[ (...)]: `name` lo[..hi], ... ."
std::vector<std::vector<Field>> parse_layout() {
  std::vector<std::vector<Field>> registers;
  std::istringstream in(kLayout);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    const size_t comma = line.find(", address ");
    const size_t colon = line.find(':');
    if (comma == std::string::npos || colon == std::string::npos) {
      ADD_FAILURE() << "unparsed layout line: " << line;
      continue;
    }
    const std::string where = line.substr(0, comma);
    int page = 0;
    if (where != "global register") {
      const size_t digit = where.find_first_of("0123456789");
      page = std::stoi(where.substr(digit));
    }
    const int address = std::stoi(line.substr(comma + 10));
    std::vector<Field> fields;
    size_t pos = colon;
    while ((pos = line.find('`', pos)) != std::string::npos) {
      const size_t close = line.find('`', pos + 1);
      const std::string name = line.substr(pos + 1, close - pos - 1);
      size_t used = 0;
      const int lo = std::stoi(line.substr(close + 2), &used);
      int hi = lo;
      const size_t after = close + 2 + used;
      if (line.compare(after, 2, "..") == 0) hi = std::stoi(line.substr(after + 2));
      fields.push_back({name, page, address, lo, hi});
      pos = close + 1;
    }
    registers.push_back(fields);
  }
  return registers;
}

TEST(RegisterMap, MatchesTheRegisterLayoutFieldForField) {
  std::vector<Field> from_layout;
  for (const auto& reg : parse_layout()) {
    for (size_t i = 1; i < reg.size(); ++i) {
      EXPECT_LT(reg[i - 1].hi, reg[i].lo) << reg[i].name << " out of bit order or overlapping";
    }
    from_layout.insert(from_layout.end(), reg.begin(), reg.end());
  }
  std::vector<Field> from_table;
  for (const RegisterRow& r : register_map()) {
    if (r.page == kPseudoPage) continue;
    from_table.push_back({r.name, r.page, r.address, r.bit, r.bit + r.width - 1});
  }
  std::sort(from_layout.begin(), from_layout.end());
  std::sort(from_table.begin(), from_table.end());
  ASSERT_EQ(from_table.size(), from_layout.size());
  for (size_t i = 0; i < from_table.size(); ++i) {
    EXPECT_EQ(from_table[i].name, from_layout[i].name);
    EXPECT_EQ(from_table[i].page, from_layout[i].page) << from_table[i].name;
    EXPECT_EQ(from_table[i].address, from_layout[i].address) << from_table[i].name;
    EXPECT_EQ(from_table[i].lo, from_layout[i].lo) << from_table[i].name;
    EXPECT_EQ(from_table[i].hi, from_layout[i].hi) << from_table[i].name;
  }
}

TEST(RegisterMap, NoFieldOverlapsAnotherOrPassesBit15) {
  // Place every channel's copy at its real register: channel k on page + 32k,
  // pair values of B and D 8 addresses up on the pair page.
  std::map<std::pair<int, int>, unsigned> used;  // (page, address) -> bits
  for (const RegisterRow& r : register_map()) {
    if (r.page == kPseudoPage) continue;
    ASSERT_LE(r.bit + r.width, 16) << r.name;
    const unsigned mask = ((1u << r.width) - 1u) << r.bit;
    std::vector<std::pair<int, int>> places;
    if (r.scope == Scope::kGlobal) {
      places.push_back({r.address < 16 ? -1 : r.page, r.address});
    } else if (r.scope == Scope::kChannel) {
      for (int k = 0; k < 4; ++k) places.push_back({r.page + 32 * k, r.address});
    } else {
      places = {{r.page, r.address},
                {r.page, r.address + 8},
                {r.page + 32, r.address},
                {r.page + 32, r.address + 8}};
    }
    for (const auto& p : places) {
      EXPECT_EQ(used[p] & mask, 0u) << r.name << " overlaps on page " << p.first;
      used[p] |= mask;
    }
  }
}

TEST(RegisterMap, ScopeTypeAndPseudoCounts) {
  int global = 0, global_wide = 0, channel = 0, channel_wide = 0, pair = 0, pseudo = 0;
  std::set<std::string> names;
  for (const RegisterRow& r : register_map()) {
    names.insert(r.name);
    const bool wide = r.width > 32;
    if (wide) {
      EXPECT_EQ(r.width, kWideWidth) << r.name;
      EXPECT_EQ(r.page, kPseudoPage) << r.name;
    }
    if (r.scope == Scope::kGlobal) ++(wide ? global_wide : global);
    if (r.scope == Scope::kChannel) ++(wide ? channel_wide : channel);
    if (r.scope == Scope::kPair) ++pair;
    if (r.page == kPseudoPage) {
      ++pseudo;
      EXPECT_EQ(r.address, 0) << r.name;
      EXPECT_EQ(r.bit, 0) << r.name;
    }
    EXPECT_LE(r.class_rcv, 5);
    EXPECT_LE(r.class_xmt, 5);
    EXPECT_LE(r.class_third, 5);
  }
  EXPECT_EQ(names.size(), 250u);
  EXPECT_EQ(global + global_wide, 85);
  EXPECT_EQ(global_wide, 1);
  EXPECT_EQ(channel + channel_wide, 131);
  EXPECT_EQ(channel_wide, 3);
  EXPECT_EQ(pair, 34);
  EXPECT_EQ(pseudo, 41);
}

TEST(RegisterMap, SpotChecksOfPlacesDefaultsAndHelpText) {
  std::map<std::string, const RegisterRow*> by_name;
  for (const RegisterRow& r : register_map()) by_name[r.name] = &r;
  const RegisterRow& gain_lsb = *by_name.at("gain_lsb");
  EXPECT_EQ(gain_lsb.page + 32 * 2, 83);  // channel C
  EXPECT_EQ(gain_lsb.address, 19);
  EXPECT_EQ(gain_lsb.default_value, 4096);
  EXPECT_EQ(by_name.at("mix_rcv_sel")->page + 32, 160);
  EXPECT_EQ(by_name.at("mix_rcv_sel")->address + 8, 29);
  EXPECT_EQ(by_name.at("rcv_noise_C")->scope, Scope::kGlobal);
  EXPECT_EQ(by_name.at("rcv_noise_C")->page, 129);
  EXPECT_EQ(by_name.at("maxtap")->width, 31);
  EXPECT_EQ(by_name.at("sumtap")->page, kPseudoPage);
  EXPECT_EQ(std::string(by_name.at("pins")->description).substr(0, 2), "0\t");
  EXPECT_EQ(std::string(by_name.at("bits")->description).substr(0, 2), "0\t");
  EXPECT_STREQ(by_name.at("xmt")->description, "0");
  for (const char* empty : {"fir_sym", "powerdown", "coefsym", "ncoefs", "maxtap", "sumtap"}) {
    EXPECT_STREQ(by_name.at(empty)->description, "") << empty;
  }
  EXPECT_EQ(by_name.at("fir_dec")->class_word(), 5u + 8 * 1 + 64 * 1);
}

}  // namespace
}  // namespace cmd7730
