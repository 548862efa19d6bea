#include "fir/fir_config.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "core/early_stop.h"
#include "core/messages.h"
#include "core/run_state.h"
#include "core/variables.h"
#include "fir/agenconf.h"

namespace cmd7730 {
namespace {

// Each of the 16 multiplier cells holds up to 16 coefficient words.
constexpr int kCells = 16;
constexpr int kCellWords = 16;
constexpr int kCoefRamWords = kCells * kCellWords;

// BERAM bits 13 and 14 (both endcell block flags) are set for every slot of a
// filter that does not use symmetry.
constexpr int kBeramNoSymmetry = 0x6000;

// Copies the AgenConf results into the channel's variables where unset.
void copy_results(RunState& st, ChannelSettings& c, const AgenConf& agen, int data) {
  const AgenControl& control = agen.control;
#define CMD7730_COPY_CONTROL(name) set_if_unset(c.name, control.name);
  CMD7730_AGEN_CONTROL_FIELDS(CMD7730_COPY_CONTROL)
#undef CMD7730_COPY_CONTROL

  set_if_unset(c.fwa_strobe, agen.FwaStrobe());
  set_if_unset(c.bwa_strobe, agen.BwaStrobe());
  set_if_unset(c.beagen_rbypass, c.fir_sym == 0 ? 0xFFFF : agen.BeReadBypassPacked());
  set_if_unset(c.fir_sync_cnt, agen.SyncCnt);

  // Without a CIC the FIR runs on every clock and needs no clock counter.
  const int clk = agen.GetFirClkCnt(st);
  if (c.ncic == 0) {
    set_if_unset(c.fir_clk_cnt, 1);
    set_if_unset(c.fir_clk_cnt_en, 0);
  } else {
    if (clk == 0 && c.fir_cmplx != 0) {
      Warning(st, "fir_clk_cnt==0 and ncic!=0, must set fir_clk_cnt>0, to fix it set inrate>1",
              kTagFirconfig, 226);
    }
    set_if_unset(c.fir_clk_cnt, clk);
    set_if_unset(c.fir_clk_cnt_en, 1);
  }

  set_if_unset(c.swap_ra_cnt, agen.SwapCnt);
  set_if_unset(c.swap_wa_cnt, agen.SwapCnt);
  set_if_unset(c.swap_cmplx, data - 1);

  // The accumulator flags follow the values the variables end up with, so a
  // user-set count or delay carries through.
  set_if_unset(c.acc_dly, agen.Adly - 1);
  set_if_unset(c.acc_cnt, agen.ACnt - 1);
  set_if_unset(c.acc_dly0, c.acc_dly == 0 ? 1 : 0);
  set_if_unset(c.acc_bypass, c.acc_cnt == 0 ? 1 : 0);
  set_if_unset(c.acc_enram, (c.acc_bypass == 1 || c.acc_dly0 == 1) ? 0 : 1);

  for (int i = 0; i < 16; ++i) {
    c.BERAM[i] = agen.BeramWord(st, i) | (c.fir_sym == 0 ? kBeramNoSymmetry : 0);
    c.SWRAM[i] = agen.SW_Table(i);
  }
}

// Taps per output phase for `ncoefs` coefficients; a symmetric filter stores
// only half of them.  A remainder costs one more tap per phase.
int taps_per_phase(RunState& st, int ncoefs, int sym, int fir_dec) {
  int taps = 0;       // h
  int remainder = 0;  // r
  if (sym == 0) {
    taps = ncoefs / fir_dec;
    remainder = ncoefs % fir_dec;
  } else if (sym == 1) {
    taps = (ncoefs + 1) / (2 * fir_dec);
    remainder = (ncoefs + 1) % (2 * fir_dec);
  } else {
    taps = ncoefs / (2 * fir_dec);
    remainder = ncoefs % (2 * fir_dec);
  }
  if (remainder != 0) {
    Debug(st, "Dorns inrate error hit increasing xx by one", kTagFirconfig, 79);
    ++taps;
  }
  return taps;
}

// Transmit: the lowest input rate whose tap allowance holds every
// coefficient.  Lists every kept candidate and returns the chosen rate, or -1.
int search_transmit_rate(RunState& st, ChannelSettings& c, int data, int sym, int step) {
  int chosen = -1;
  int best = 0;  // the largest tap count any kept candidate allows
  int last = -1;
  int listed = 0;
  const int64_t top = static_cast<int64_t>(c.ncic) + 1;
  for (int64_t n = 1; n <= top; ++n) {
    if (n % step != 0) continue;
    if (n > 16 * step) break;  // every later multiple is above the bound too
    const int i = static_cast<int>(n);
    const int candidate = c.fir_int * i / c.fir_dec;
    last = candidate;
    const int allowed =
        (i / data / c.fir_nchan) * (sym != 0 ? 2 : 1) * c.fir_int * 16 - (sym == 1 ? 1 : 0);
    bool dropped;
    if (c.fir_int <= 2) {
      const int limit = sym == 0 ? 256 / step : sym == 1 ? 512 / step - 1 : 512 / step;
      dropped = allowed > limit;
    } else {
      dropped = allowed > 511 || (allowed > 256 && sym == 0);
    }
    if (dropped) continue;
    best = std::max(best, allowed);
    if (listed < 16) c.possible_inrates[listed++] = candidate;
    Debug(st, strf("Possible setting inrate=%d ntaps allowed=%d", candidate, allowed),
          kTagFirconfig, 133);
    if (allowed >= c.ncoefs && chosen == -1) chosen = candidate;
  }
  if (chosen == -1) {
    Error(st, "Trouble setting up pfir", kTagFirconfig, 138);
    if (best < c.ncoefs) {
      Error(st, strf("Maximum number of taps for this config %d", best), kTagFirconfig, 141);
    }
  }
  c.inrateT = chosen;
  Debug(st, strf("I set inrateT to %d", chosen), kTagFirconfig, 146);
  if (last == -1) Debug(st, "Could not find a suitable setting for inrate", kTagFirconfig, 147);
  return chosen;
}

// Receive: lists the rates the CIC output allows, each a multiple of the
// words per sample, while the decimated streams still fit 16 clocks.
void list_receive_rates(ChannelSettings& c, int step) {
  int listed = 0;
  const int64_t top = static_cast<int64_t>(c.ncic) + 1;
  for (int64_t i = 1; i <= top && listed < 16; ++i) {
    if (i % step != 0) continue;
    if (static_cast<int64_t>(c.fir_dec) * c.fir_nchan * i > 16) break;
    c.possible_inrates[listed++] = static_cast<int>(i);
  }
}

// Lays the taps out over the cells: each cell takes ModC consecutive taps in
// reverse order; with interpolation the cell is split into Recr phases, phase
// p taking every Recr-th tap from p.
void fill_cells(const ChannelSettings& c, const AgenConf& agen,
                const std::array<int32_t, kCoefRamWords>& taps,
                std::array<std::array<int32_t, kCellWords>, kCells>& cells) {
  const int cell_taps = agen.ModC;  // m
  const int phases = agen.Recr;     // R
  // Streams with coefficients of their own sit side by side in a cell (s).
  const int streams = c.fir_diff != 0 ? c.fir_nchan : 1;
  for (int cell = 0; cell < kCells; ++cell) {
    std::array<int32_t, kCellWords> reversed{};
    for (int k = 0; k < cell_taps; ++k) {
      reversed[k] = taps[cell * cell_taps + (cell_taps - 1 - k)];
    }
    if (c.fir_int <= 1) {
      cells[cell] = reversed;
      continue;
    }
    const int phase_taps = cell_taps / phases;
    for (int p = 0; p < phases; ++p) {
      for (int q = 0; q < cell_taps / streams / phases; ++q) {
        for (int j = 0; j < streams; ++j) {
          cells[cell][phase_taps * p + q * streams + j] =
              reversed[p * streams + q * phases * streams + j];
        }
      }
    }
  }
}

// Sets the data type and symmetry where unset and returns the highest FIR
// input rate the CIC output allows, at most 16.  Interpolating by more than
// two cannot use the coefficient symmetry.
int set_data_and_symmetry(RunState& st, ChannelSettings& c, int channel, bool transmit) {
  int64_t ceiling;
  if (transmit) {
    set_if_unset(c.fir_cmplx, c.tinf_cmplx);
    ceiling = (static_cast<int64_t>(c.ncic) + 1) * c.fir_int;
    int sym = 0;
    if (c.coefsym == 1 && c.fir_int == 2) {
      sym = 1;
    } else if (c.fir_int == 1) {
      sym = c.coefsym;
    }
    set_if_unset(c.fir_sym, sym);
  } else {
    // Split I/Q gives each filter of the pair real data; so does a bypassed
    // mixer on a real input.
    int data = 2 - (channel >= 2 ? st.chip.splitiqCD : st.chip.splitiqAB);
    if (c.bypass_mix == 1 && st.chip.rin_cmplx == 0) data = 1;
    set_if_unset(c.fir_cmplx, data - 1);
    ceiling = static_cast<int64_t>(c.ncic) + 1;
    set_if_unset(c.fir_sym, c.coefsym);
  }

  c.coefram.fill(0);
  if (ceiling > 16) ceiling = 16;
  return static_cast<int>(ceiling);
}

// Works out the lowest input rate that gives every tap a multiplier clock,
// lists the candidate rates and returns the rate the filter is named with.
int choose_input_rate(RunState& st, ChannelSettings& c, bool transmit, int data, int sym,
                      int max_rate) {
  // The search divides by the decimation, the channel count and the words
  // per sample and picks its formulas by symmetry: a value no filter can
  // have there ends the run as the filter range test would, before anything
  // divides by it.  The interpolation is only multiplied by, so a bad one
  // goes through the search and its messages and is stopped by SetName.
  if (c.fir_dec < 1 || c.fir_nchan < 1 || data < 1 || sym < 0 || sym > 2) {
    AgenConf::CheckParameters(st, c.fir_diff, data, 1, c.fir_nchan, kUnset, sym, c.fir_dec,
                              c.fir_int, /*rate_known=*/false);
  }

  // The 16 multiplier cells each work one tap per FIR clock.
  const int taps = taps_per_phase(st, c.ncoefs, sym, c.fir_dec);
  const int min_rate = static_cast<int>(std::ceil(taps * 0.0625)) * data * c.fir_int;
  c.inrateT = min_rate;
  Debug(st, strf("inrate=Min inrate=%d, Max inrate=%d", min_rate, max_rate), kTagFirconfig, 84);

  c.possible_inrates.fill(-1);
  const int step = c.fir_nchan * data;
  if (transmit) return search_transmit_rate(st, c, data, sym, step);
  list_receive_rates(c, step);
  return min_rate;
}

// Checks the tap budget and writes the coefficient RAM image.  A symmetric
// filter stores the first half (and the centre tap) and the hardware mirrors
// it.  Returns -1 when the taps do not fit the cells, 1 otherwise.
int load_coefficients(RunState& st, ChannelSettings& c, const AgenConf& agen, int sym) {
  const int stored_taps = sym == 0 ? c.ncoefs : (c.ncoefs + 1) / 2;  // hnn
  const int cell_capacity = 16 * agen.ModC;                          // hxx
  const int max_taps = sym == 0   ? cell_capacity
                       : sym == 1 ? 2 * cell_capacity - 1
                                  : 2 * cell_capacity;
  if (c.ncoefs > max_taps) {
    Error(st, "More taps defined than are computationally available.\n", kTagFirconfig, 270);
    LogLine(st, " Sym=");
    LogLine(st, sym == 0 ? "NONE" : sym == 2 ? "EVEN" : "ODD");
    LogLine(st, strf("Maximum taps = %d", max_taps));
    return -1;
  }

  // Tap vector: the stored taps end at word hxx-1 for a symmetric filter.
  std::array<int32_t, kCoefRamWords> taps{};
  if (sym == 0) {
    for (int i = 0; i < c.ncoefs; ++i) taps[i] = c.coefs[i];
  } else {
    for (int i = 0; i < stored_taps; ++i) taps[cell_capacity - stored_taps + i] = c.coefs[i];
  }
  Debug(st, strf("ncoef=%d Sym=%d hnn=%d hxx=%d", c.ncoefs, sym, stored_taps, cell_capacity),
        kTagFirconfig, 287);

  std::array<std::array<int32_t, kCellWords>, kCells> cells{};
  fill_cells(c, agen, taps, cells);

  for (int cell = 0; cell < kCells; ++cell) {
    for (int k = 0; k < agen.ModC; ++k) {
      const int index = c.coef_ofsc + 16 * cell + k;
      if (index < 0 || index >= kCoefRamWords) {
        Error(st, "coefram[] writing out of boundaries, check coef_ofsc", kTagFirconfig, 320);
        throw EarlyStop{-1};
      }
      c.coefram[index] = cells[cell][k];
    }
  }
  return 1;
}

}  // namespace

int fir_config(RunState& st, int channel, AgenConf& agen) {
  ChannelSettings& c = st.ch[channel];
  const bool transmit = c.xmt == 1;

  Debug(st, "fir_config()", kTagFirconfig, 30);
  agen.Reset();

  const int max_rate = set_data_and_symmetry(st, c, channel, transmit);
  const int data = c.fir_cmplx + 1;
  const int sym = c.fir_sym;
  const int rate = choose_input_rate(st, c, transmit, data, sym, max_rate);

  agen.SetName(st, c.fir_diff, data, 1, c.fir_nchan, rate, sym, c.fir_dec, c.fir_int);
  if (!agen.ValidCase(st)) return 0;

  WriteOutput(st, kDebug,
              strf("fir_config(): name=%s, Mininrate=%d, Maxinrate=%d\n",
                   std::string(agen.Name()).c_str(), rate, max_rate));

  agen.SetTables(st);
  agen.SetControl(st);
  copy_results(st, c, agen, data);

  if (c.fir_nchan > 1) {
    Error(st, "Can not handle multiple channels in a single fir yet.", kTagFirconfig, 259);
    return -1;
  }
  if (load_coefficients(st, c, agen, sym) < 0) return -1;

  set_if_unset(c.fir_half, 0);
  set_if_unset(c.fir_rnd20, transmit ? 0 : 1);
  set_if_unset(c.fir_xeni, transmit ? 1 : 0);
  set_if_unset(c.fir_xenq, transmit && c.tinf_cmplx != 0 ? 1 : 0);
  set_if_unset(c.swap_fb, agen.ZeroFr);
  set_if_unset(c.fir_fb, agen.ZeroFr);
  set_if_unset(c.swap_xmt, transmit ? 1 : 0);
  set_if_unset(c.fir_en_sync_cnt, 1);
  return 1;
}

}  // namespace cmd7730
