// AgenConf, the tables and control words of an accepted case: the write
// strobes, endcell block flags, endcell read and write addresses and swap RAM
// (SetTables), the address-generator settings (SetControl), the FIR clock
// count, the packed BERAM words and the checked table stores behind them.
#include <cstdlib>

#include "core/messages.h"
#include "core/run_state.h"
#include "fir/agenconf.h"

namespace cmd7730 {

// A store of `v` at `i` into a table of `Size` entries holding 0..`max`.
template <size_t Size>
void AgenConf::Store(RunState& st, std::array<int, Size>& table, int i, int v, unsigned max,
                     const char* error, int line) {
  if (static_cast<unsigned>(i) >= Size || static_cast<unsigned>(v) > max) Stop(st, error, line);
  table[i] = v;
}

// The backward write generator: start offset, sample depth, recirculation.
struct AgenConf::BackwardWrite {
  int offset;  // B
  int depth;   // V
  int recirc;  // R1
};

// The backward endcell read and write generators.
struct AgenConf::Endcell {
  int read_step;     // O
  int write_offset;  // J
  int recirc;        // L, shared by both
  int write_recrl;   // K
};

void AgenConf::StoreFWAs(RunState& st, int i, int v) {
  Store(st, FWAs_Table_, i, v, 1, "Trying to Write FWAs_Table outside of array boundaries!", 1129);
}
void AgenConf::StoreBWAs(RunState& st, int i, int v) {
  Store(st, BWAs_Table_, i, v, 1, "Trying to Write BWAs_Table outside of array boundaries!", 1136);
}
void AgenConf::StoreBWAes(RunState& st, int i, int v) {
  Store(st, BWAes_Table_, i, v, 1, "Trying to Write BWAes_Table outside of array boundaries!",
        1144);
}
void AgenConf::StoreBBLKe(RunState& st, int i, int v) {
  Store(st, BBLKe_Table_, i, v, 1, "Trying to Write BBLKe_Table outside of array boundaries", 1152);
}
void AgenConf::StoreBRAe(RunState& st, int i, int v) {
  Store(st, BRAe_Table_, i, v, 16,
        "AgenConf: Trying to Write BRAe_Table outside of array boundaries!", 1159);
}
void AgenConf::StoreBWAe(RunState& st, int i, int v) {
  Store(st, BWAe_Table_, i, v, 16,
        "(AgenConf): Trying to Write BWAe_Table outside of array boundaries!", 1166);
}
void AgenConf::StoreSW(RunState& st, int i, int v) {
  Store(st, SW_Table_, i, v, 16,
        "(AgenConf): Trying to Write SW_Table outside of array boundaries!", 1173);
}
void AgenConf::StoreBeReadBypass(RunState& st, int i, int v) {
  Store(st, BeReadBypass_, i, v, 1,
        "(AgenConf): Trying to Write BeReadBypass Table outside of array boundaries!", 1180);
}

// Fills entries half..half+D-1 counting down within runs of `step` slots;
// each completed run moves the base `start` on by `step` (modulo D).
void AgenConf::ReverseFillBWAe(RunState& st, int half, int step, int start) {
  for (int j = 0; j < D; ++j) {
    const int left_in_run = (D - j - 1) % step;
    StoreBWAe(st, half + j, left_in_run + start);
    if (left_in_run == 0) start = (start + step) % D;
  }
}

// Fills the write addresses block by block: each block holds the deci groups
// of N streams in reverse group order, and each block starts `step` further
// on (modulo D).
void AgenConf::BlockFillBWAe(RunState& st, int step) {
  const int blocks = std::abs(D / step);
  int slot = 0;
  int base = 0;
  for (int block = 0; block < blocks; ++block) {
    for (int phase = 0; phase < deci; ++phase) {
      for (int stream = 0; stream < N; ++stream) {
        StoreBWAe(st, slot++, base + (deci - 1 - phase) * N + stream);
      }
    }
    base = (step + D + base) % D;
  }
}

// Forward write strobes: the `group` slots that end at slot D-1.  Backward
// write strobes are only used by symmetric filters.
void AgenConf::FillWriteStrobes(RunState& st, int group) {
  for (int i = 0; i < 16; ++i) StoreFWAs(st, i, 0);
  for (int i = 0; i < group; ++i) StoreFWAs(st, D - group + i, 1);

  for (int i = 0; i < 16; ++i) StoreBWAs(st, i, 0);
  if (sym == 0) return;
  if (interp == 1) {
    // Mirror of the forward strobes.  More than 16 fails on the first store,
    // so the forward table is never read past its end.
    const int mirrored = RepC * ModC;
    for (int i = 0; i < mirrored; ++i) StoreBWAs(st, mirrored - 1 - i, FWAs_Table_[i]);
  } else if (interp > 1) {
    for (int i = 0; i < group; ++i) StoreBWAs(st, i, 1);
  }
}

// Endcell block flags: every slot of the first half without symmetry, the
// first N (or the second half's first N when interpolating) with odd symmetry.
void AgenConf::FillBlockFlags(RunState& st) {
  for (int i = 0; i < 32; ++i) StoreBBLKe(st, i, 0);
  if (sym == 0) {
    for (int i = 0; i < 16; ++i) StoreBBLKe(st, i, 1);
  } else if (sym == 1) {
    if (interp < 2) {
      int flagged = N;
      if (deci == 1 && diff == 1) flagged = N / data;
      for (int i = 0; i < flagged; ++i) StoreBBLKe(st, i, 1);
    } else {
      for (int i = 0; i < N; ++i) StoreBBLKe(st, 16 + i, 1);
    }
  }
}

// Endcell read addresses: identity, reordered per decimation phase.
void AgenConf::FillReadAddresses(RunState& st, int group) {
  for (int i = 0; i < 16; ++i) StoreBRAe(st, i, i);
  if (deci <= 1) return;
  if (group - 1 >= 16) Stop(st, "Overran BRAe_Table", 619);
  for (int phase = 0; phase < deci; ++phase) {
    if (sym == 2) {
      for (int k = 0; k < N; ++k) {
        StoreBRAe(st, (deci - phase) * N - k - 1, ((phase + 1) * N + 16 * D - k - 1) % D);
      }
    } else if (sym == 1) {
      for (int k = 0; k < N * inrate; ++k) {
        const int slot = (deci - phase) * N - k - 1;
        if (slot < 0) break;
        StoreBRAe(st, slot, ((phase + 1) * N + 16 * D - k) % D);
      }
    }
  }
}

// Endcell write addresses; entry 16+i is the second half of slot i.
void AgenConf::FillWriteAddresses(RunState& st, int group) {
  for (int i = 0; i < 16; ++i) {
    StoreBWAe(st, i, i);
    StoreBWAe(st, 16 + i, BRAe_Table_[i]);
  }
  if (deci == 1) {
    if (sym == 2 || (sym == 1 && Recr == 2)) {
      for (int i = 0; i < 16; ++i) {
        StoreBWAe(st, i, (16 * D + i) % D);
        StoreBWAe(st, 16 + i, (16 * D + BRAe_Table_[i]) % D);
      }
    } else if (sym == 1) {
      for (int j = 0; j < D; ++j) StoreBWAe(st, j, j);
    }
  } else if (deci > 1) {
    FillDecimatingWriteAddresses(st, group);
  }
}

void AgenConf::FillDecimatingWriteAddresses(RunState& st, int group) {
  if ((sym == 1 || sym == 2) && deci == D) {
    ReverseFillBWAe(st, 0, group, 0);
    ReverseFillBWAe(st, 16, group, 0);
  } else if (sym == 1) {
    BlockFillBWAe(st, group);
  } else if (sym == 2 && N >= 2) {
    int slot = 0;
    for (int j = D / N - 1; j >= 0; --j) {
      for (int k = 0; k < N; ++k) {
        if (slot > 16) Stop(st, "BWAe out of bounds!", 732);
        StoreBWAe(st, slot, j * N + k);
        slot = (slot + 1) % D;
      }
    }
  } else if (sym == 2) {
    if (std::abs(group) + D <= 16) {
      BlockFillBWAe(st, group);
    } else {
      ReverseFillBWAe(st, 0, group, D - group);
    }
  }
}

// Wide case: the decimation fills the whole depth and more than 16 slots
// would be needed, so read and write addresses swap roles.
void AgenConf::SwapWideAddresses(RunState& st, int group) {
  if (!(std::abs(group) + D > 16 && group == D && deci > 1 && (sym == 1 || sym == 2))) return;
  int base = sym == 1 ? 0 : D - N;
  for (int j = 0; j < D; ++j) {
    StoreBRAe(st, j, j % N + base);
    if ((j + 1) % N == 0) base = (D - N + base) % D;
  }
  for (int j = 0; j < 16; ++j) {
    StoreBWAe(st, j, BRAe_Table_[j]);
    StoreBWAe(st, 16 + j, j);
  }
  if (sym == 1) {
    for (int j = 0; j < 16; ++j) StoreBBLKe(st, 16 + j, BBLKe_Table_[j]);
  }
  TogEn = 1;
  BewDepd = 0;
}

// Swap RAM: with decimation the deci groups of N words go out in reverse
// group order; entries from `group` on keep the identity from Reset.
void AgenConf::FillSwap(RunState& st, int group) {
  if (deci < 2) {
    SwapCnt = N - 1;
    for (int i = 0; i < 16; ++i) StoreSW(st, i, i);
    return;
  }
  SwapCnt = group - 1;
  int slot = 0;
  for (int j = deci - 1; j >= 0; --j) {
    for (int k = 0; k < N; ++k) StoreSW(st, slot++, j * N + k);
  }
}

void AgenConf::SetTables(RunState& st) {
  const int group = N * deci;  // G: data words written per output sample

  FillWriteStrobes(st, group);

  // Back-end toggle and endcell write depth.
  if (interp < 2) {
    TogEn = 0;
    BewDepd = sym == 1 ? (D - N) % 16 : (D - 1) % 16;
  } else {
    TogEn = 1;
    BewDepd = 0;
  }
  if (sym == 2) BewDepd = 0;

  for (int i = 0; i < 32; ++i) StoreBWAes(st, i, BWAs_Table_[i % 16]);

  FillBlockFlags(st);
  FillReadAddresses(st, group);
  FillWriteAddresses(st, group);
  SwapWideAddresses(st, group);
  FillSwap(st, group);
}

AgenConf::BackwardWrite AgenConf::PlanBackwardWrite(int step, int neg_step) const {
  const int step_mod16 = step % 16;
  BackwardWrite bwa{-step & 15, step_mod16, Recr - 1};
  if (step_mod16 != step % D) {
    bwa.offset = 0;
    bwa.depth = step % D;
  }
  if (interp > 1) {
    bwa.depth = N;
    bwa.recirc = 0;
  }
  if (ModD != 16) bwa.offset = neg_step;
  return bwa;
}

AgenConf::Endcell AgenConf::PlanEndcell(RunState& st, int step, int neg_step) {
  // The endcell step (e) is zero or negative here, or the whole depth.
  int endcell_step = -step % 16;
  if (D + std::abs(endcell_step) > 16 && std::abs(endcell_step) == D) {
    endcell_step = 0;
  } else if (-endcell_step == D) {
    endcell_step = D;
  }
  if (sym == 0) endcell_step = 0;

  Endcell endcell{0, endcell_step & 15, Recr - 1, 0};
  if (sym == 2) endcell.write_offset = 0;
  if (sym == 1 && D == 2) {
    endcell.write_offset = 1;
    BewDepd = 0;
  }
  if (interp > 1) {
    endcell.recirc = 0;
    endcell.write_recrl = 1;
    endcell.write_offset = 0;
  }
  if (Name() == "SRR12O12") endcell.write_recrl = 0;
  endcell.read_step = endcell_step > 0 ? endcell_step : neg_step;
  if (ModD != 16 || (sym == 2 && deci > 1 && D == 16)) {
    if (endcell_step == D) Stop(st, "filter setting not valid, Check this case", 1052);
    endcell.write_offset = endcell.read_step;
  }
  return endcell;
}

void AgenConf::StoreControl(int step, int fragen_step, int neg_step, const BackwardWrite& bwa,
                            const Endcell& endcell) {
  AgenControl& c = control;
  c.coef_ofsc = OfsC;
  c.coef_modc = ModC - 1;
  c.coef_repc = RepC - 1;
  c.coef_sym = sym != 0 ? 1 : 0;
  c.coef_zerofr = ZeroFr;
  c.agen_togen = TogEn;
  c.agen_modd = ModD & 15;
  c.agen_depd = D - 1;
  c.agen_recr = Recr - 1;
  c.fragen_soff = 0;
  c.fragen_srecr = Recr - 1;
  c.fragen_sdepd = D - 1;
  c.fragen_stepn = fragen_step;
  c.fwagen_soff = 0;
  c.fwagen_srecr = Recr - 1;
  c.fwagen_sdepd = D - step;
  c.fwagen_wrecrl = interp - 1;
  c.bragen_soff = 0;
  c.bragen_srecr = bwa.recirc;
  c.bragen_sdepd = D - 1;
  c.bragen_stepn = (ModD + neg_step) % ModD;
  c.bwagen_soff = bwa.offset;
  c.bwagen_srecr = bwa.recirc;
  c.bwagen_sdepd = bwa.depth;
  c.bwagen_wrecrl = 0;
  c.beragen_soff = 0;
  c.beragen_srecr = endcell.recirc;
  c.beragen_sdepd = D - 1;
  c.beragen_stepn = (ModD + endcell.read_step) % ModD;
  c.bewagen_soff = endcell.write_offset;
  c.bewagen_srecr = endcell.recirc;
  c.bewagen_sdepd = BewDepd;
  c.bewagen_wrecrl = endcell.write_recrl;
}

void AgenConf::SetControl(RunState& st) {
  const int step = deci * N;  // data words per output sample
  if (step < 0 || step > 16) Stop(st, "Filter step out of range!", 873);
  // A step of the whole depth is no step at all.
  const int fwd_step = std::abs(step) == D ? 0 : step;  // s
  ModD = std::abs(fwd_step) + D <= 16 ? 16 : D;
  const int neg_step = (ModD - fwd_step) % ModD;
  if (neg_step < 0 || neg_step > 16) Stop(st, "negstep out of range!", 881);
  // D < 1 cannot follow a SetName that passed; checking it keeps the
  // divisions by D below safe.
  if (deci == 0 || D < 1) Stop(st, "Must SetName() before SetControl()", 900);

  const int step_mod16 = step % 16;
  const int fragen_step = std::abs(step_mod16) == D ? 0 : step_mod16;
  const BackwardWrite bwa = PlanBackwardWrite(step, neg_step);
  const Endcell endcell = PlanEndcell(st, step, neg_step);

  for (int i = 0; i < 16; ++i) StoreBeReadBypass(st, i, 0);
  if (sym == 0) {
    for (int i = 0; i < D; ++i) StoreBeReadBypass(st, i, 1);
  }

  StoreControl(step, fragen_step, neg_step, bwa, endcell);
  SyncCnt = ((D / (SwapCnt + 1)) % 2 + 1) * ModD * Recr * D - 1;
}

int AgenConf::GetFirClkCnt(RunState& st) const {
  if (interp < 1) return 0;  // no SetName since Reset: there is no rate yet
  const int clk_cnt = inrate / interp - 1;
  if (clk_cnt > 255) Stop(st, "(AgenConf): GetFirClkCnt too large!!!", 1216);
  return clk_cnt & 255;
}

int AgenConf::BeramWord(RunState& st, int i) const {
  if (static_cast<unsigned>(i) > 15) {
    Error(st, "(AgenConf): Trying to Read BERAM outside of boundaries!", kTagAgenconf, 1227);
    return -1;
  }
  // Fields are ORed in unmasked: an address of 16 spills into the next field.
  return BWAe_Table_[i] | BWAe_Table_[i + 16] << 4 | BWAes_Table_[i] << 8 | BRAe_Table_[i] << 9 |
         BBLKe_Table_[i] << 13 | BBLKe_Table_[i + 16] << 14;
}

}  // namespace cmd7730
