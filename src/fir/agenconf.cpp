#include "fir/agenconf.h"

#include <cstdlib>

#include "core/early_stop.h"
#include "core/messages.h"
#include "core/run_state.h"
#include "fir/fircases.h"

namespace cmd7730 {
namespace {

// Digits of the case code: 1..9, then a.. for 10 and up ("w" is 32).
constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvw";
constexpr char kDiffLetters[] = "SD";
constexpr char kTypeLetters[] = " RC";  // index 0 is never used
constexpr char kSymLetters[] = "NOE";

[[noreturn]] void Stop(RunState& st, const std::string& text, int line) {
  Error(st, text, kTagAgenconf, line);
  throw EarlyStop{-1};
}

// A store of `v` at `i` into a table of `size` entries holding 0..`max`.
// Index and value are compared as unsigned, so negative ones fail too.
template <size_t Size>
void Store(RunState& st, std::array<int, Size>& table, int i, int v, unsigned max,
           const char* error, int line) {
  if (static_cast<unsigned>(i) >= Size || static_cast<unsigned>(v) > max) Stop(st, error, line);
  table[i] = v;
}

}  // namespace

void AgenConf::Reset() {
  diff = data = coef = nchan = inrate = sym = deci = interp = 0;
  N = Recr = RepC = OfsC = ClksOut = D = Wmax = ACnt = Adly = ModC = ZeroFr = 0;
  name_[0] = '\0';
  for (int i = 0; i < 16; ++i) SW_Table_[i] = i;
}

void AgenConf::CheckParameters(RunState& st, int diff, int data, int coef, int nchan, int inrate,
                               int sym, int deci, int interp, bool rate_known) {
  struct Range {
    int value, lo, hi;
    const char* legend;
  };
  const Range ranges[] = {
      {diff, 0, 1, "0 Same/Diff coefs"},
      {data, 1, 2, "1 Real/Complex data"},
      {coef, 1, 2, "2 Real/Complex coefs"},
      {nchan, 1, 16, "3 Number of channels"},
      {rate_known ? inrate : 1, 1, 32, "4 (1-w) Input Rate"},
      {sym, 0, 2, "5 None/Odd/Even Symmetry"},
      {deci, 1, 16, "6 (1-g) decimation"},
      {interp, 1, 16, "7 (1-g) interpolation"},
  };
  const char* complaint = nullptr;
  for (const Range& r : ranges) {
    if (r.value < r.lo || r.value > r.hi) complaint = r.legend;
  }
  if (complaint == nullptr) return;
  LogLine(st, strf(" diff=%d data=%d coef=%d nchan=%d inrate=%d Sym=%d deci=%d interp=%d\n", diff,
                   data, coef, nchan, inrate, sym, deci, interp));
  Stop(st, strf("Invalid Filter name %s!", complaint), 118);
}

void AgenConf::ComputeDerived() {
  N = data * nchan;
  Recr = coef * interp;
  RepC = diff == 1 ? data : N;
  OfsC = 0;
  ClksOut = inrate * deci / interp;
  D = ClksOut / coef;
  Wmax = coef > data ? coef : data;
  ACnt = ClksOut / Wmax / nchan;
  Adly = nchan * Wmax;
  ModC = inrate * deci / data;
  if (diff == 0) ModC /= nchan;
  ZeroFr = (D == 1 && Recr == 1) ? 1 : 0;
}

void AgenConf::SetName(RunState& st, int diff, int data, int coef, int nchan, int inrate, int sym,
                       int deci, int interp) {
  this->diff = diff;
  this->data = data;
  this->coef = coef;
  this->nchan = nchan;
  this->inrate = inrate;
  this->sym = sym;
  this->deci = deci;
  this->interp = interp;
  CheckParameters(st, diff, data, coef, nchan, inrate, sym, deci, interp);

  name_[0] = kDiffLetters[diff];
  name_[1] = kTypeLetters[data];
  name_[2] = kTypeLetters[coef];
  name_[3] = kDigits[nchan];
  name_[4] = kDigits[inrate];
  name_[5] = kSymLetters[sym];
  name_[6] = kDigits[deci];
  name_[7] = kDigits[interp];
  name_[8] = '\0';
  Debug(st, strf("Filter Name: %s", name_), kTagAgenconf, 133);

  ComputeDerived();
  if (ACnt < 1 || Adly < 1) {
    Stop(st, strf("Accumulator is not set properly: ACnt=%d,Adly=%d", ACnt, Adly), 164);
  }
}

bool AgenConf::ValidCase(RunState& st) {
  reason_.clear();
  // Only reachable by calling out of order: every division below needs the
  // range-tested parameters of SetName.
  if (deci < 1 || interp < 1 || coef < 1 || data < 1 || nchan < 1) {
    reason_ = "Must SetName() before ValidCase()";
    return false;
  }

  if (deci != 1 && interp != 1) reason_ = "Current filter does not support, deci!=1&&interp!=1!";
  if (inrate < N) reason_ = "input data rate too fast!";
  if (diff == 1 && nchan == 1) reason_ = "different coefs and only one channel!";
  if (sym == 2 && interp > 1) reason_ = "Symmetry cannot be even with interpolation!";
  if (sym == 1 && interp > 2) reason_ = "Symmetry cannot be odd beyond interpolate by 2!";

  if (reason_.empty()) {
    ComputeDerived();
    D = inrate * deci / Recr;
    if (inrate * deci % Recr != 0) reason_ = "Calculation of D must have no remainder!";
  }
  if (ModC > 16) reason_ = "ModC out of range";
  if (D < 1) reason_ = "D<1 too small";

  // Hardware limits: the first that applies names the problem.
  const int L = coef * data * nchan * interp / deci;
  if (L > inrate) {
    reason_ = "compute load too large";
  } else if (N * Recr / deci > inrate) {
    reason_ = "compute load too large";
  } else if (D > 16) {
    reason_ = "D too large";
  } else if (ModC > 16) {
    reason_ = "ran out of coef RAM";
  } else if (Adly > 8) {
    reason_ = "AcumDly too large";
  } else if (N < 1) {
    reason_ = "N must be an integer greater than 1.";
  } else if (D % N != 0) {
    reason_ = "D must be a multiple of N";
  } else if (data > 1 && coef > 1) {
    reason_ = "Can't do complex by complex yet";
  } else if (coef > 1) {
    reason_ = "Can't do complex coefs yet";
  } else if (diff == 0 && data == 1 && coef == 1 && nchan == 3 && inrate == 4 && sym != 0) {
    reason_ = "extracase";
  }

  // The input and output rates must divide evenly into FIR clocks; complex
  // data at an odd rate is let through.
  std::string uneven;
  if (L > 1 && inrate % L != 0) {
    uneven = "uneven";
  } else if (coef == 2 && inrate % 2 != 0) {
    uneven = "uneven input rate";
  } else if (inrate % interp != 0) {
    uneven = "uneven output rate";
  }
  if ((coef == 2 || data == 2) && inrate % 2 != 0) uneven.clear();
  if (reason_.empty()) reason_ = uneven;
  const bool valid = reason_.empty();

  // What the hardware tests said about this case; a report only.
  const FirCaseMatches found = lookup_fir_case(Name());
  for (int i = 0; i < found.failing; ++i) {
    Error(st, strf("Filter configuration %s Tested with firctrl and Fails!", name_), kTagAgenconf,
          551);
  }
  if (found.count == 1 && found.failing == 0) {
    Debug(st, strf("ValidCase():%s Tested and Passes!", name_), kTagAgenconf, 338);
  } else if (found.count > 1) {
    Warning(st, "More than one valid case entry in fircases.code", kTagAgenconf, 340);
  } else if (found.count == 0) {
    Error(st, strf("Untried filter configuration: %s!", name_), kTagAgenconf, 343);
  }
  return valid;
}

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
    const int r = (D - j - 1) % step;
    StoreBWAe(st, half + j, r + start);
    if (r == 0) start = (start + step) % D;
  }
}

// Fills the write addresses block by block: each block holds the deci groups
// of N streams in reverse group order, and each block starts `step` further
// on (modulo D).
void AgenConf::BlockFillBWAe(RunState& st, int step) {
  const int blocks = std::abs(D / step);
  int w = 0;
  int c = 0;
  for (int b = 0; b < blocks; ++b) {
    for (int t = 0; t < deci; ++t) {
      for (int k = 0; k < N; ++k) StoreBWAe(st, w++, c + (deci - 1 - t) * N + k);
    }
    c = (step + D + c) % D;
  }
}

void AgenConf::SetTables(RunState& st) {
  const int G = N * deci;  // data words written per output sample

  // Forward write strobes: the G slots that end at slot D-1.
  for (int i = 0; i < 16; ++i) StoreFWAs(st, i, 0);
  for (int i = 0; i < G; ++i) StoreFWAs(st, D - G + i, 1);

  // Backward write strobes, only used by symmetric filters.
  for (int i = 0; i < 16; ++i) StoreBWAs(st, i, 0);
  if (sym != 0) {
    if (interp == 1) {
      // Mirror of the forward strobes.  n > 16 fails on the first store, so
      // the forward table is never read past its end.
      const int n = RepC * ModC;
      for (int i = 0; i < n; ++i) StoreBWAs(st, n - 1 - i, FWAs_Table_[i]);
    } else if (interp > 1) {
      for (int i = 0; i < G; ++i) StoreBWAs(st, i, 1);
    }
  }

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

  // Endcell block flags.
  for (int i = 0; i < 32; ++i) StoreBBLKe(st, i, 0);
  if (sym == 0) {
    for (int i = 0; i < 16; ++i) StoreBBLKe(st, i, 1);
  } else if (sym == 1) {
    if (interp < 2) {
      int n = N;
      if (deci == 1 && diff == 1) n = N / data;
      for (int i = 0; i < n; ++i) StoreBBLKe(st, i, 1);
    } else {
      for (int i = 0; i < N; ++i) StoreBBLKe(st, 16 + i, 1);
    }
  }

  // Endcell read addresses: identity, reordered per decimation phase.
  for (int i = 0; i < 16; ++i) StoreBRAe(st, i, i);
  if (deci > 1) {
    if (G - 1 >= 16) Stop(st, "Overran BRAe_Table", 619);
    for (int c = 0; c < deci; ++c) {
      if (sym == 2) {
        for (int k = 0; k < N; ++k) {
          StoreBRAe(st, (deci - c) * N - k - 1, ((c + 1) * N + 16 * D - k - 1) % D);
        }
      } else if (sym == 1) {
        for (int k = 0; k < N * inrate; ++k) {
          const int idx = (deci - c) * N - k - 1;
          if (idx < 0) break;
          StoreBRAe(st, idx, ((c + 1) * N + 16 * D - k) % D);
        }
      }
    }
  }

  // Endcell write addresses; entry 16+i is the second half of slot i.
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
    if ((sym == 1 || sym == 2) && deci == D) {
      ReverseFillBWAe(st, 0, G, 0);
      ReverseFillBWAe(st, 16, G, 0);
    } else if (sym == 1) {
      BlockFillBWAe(st, G);
    } else if (sym == 2 && N >= 2) {
      int w = 0;
      for (int j = D / N - 1; j >= 0; --j) {
        for (int k = 0; k < N; ++k) {
          if (w > 16) Stop(st, "BWAe out of bounds!", 732);
          StoreBWAe(st, w, j * N + k);
          w = (w + 1) % D;
        }
      }
    } else if (sym == 2) {
      if (std::abs(G) + D <= 16) {
        BlockFillBWAe(st, G);
      } else {
        ReverseFillBWAe(st, 0, G, D - G);
      }
    }
  }

  // Wide case: the decimation fills the whole depth and more than 16 slots
  // would be needed, so read and write addresses swap roles.
  if (std::abs(G) + D > 16 && G == D && deci > 1 && (sym == 1 || sym == 2)) {
    int b = sym == 1 ? 0 : D - N;
    for (int j = 0; j < D; ++j) {
      StoreBRAe(st, j, j % N + b);
      if ((j + 1) % N == 0) b = (D - N + b) % D;
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
  // group order; entries from G on keep the identity from Reset.
  if (deci < 2) {
    SwapCnt = N - 1;
    for (int i = 0; i < 16; ++i) StoreSW(st, i, i);
  } else {
    SwapCnt = G - 1;
    int w = 0;
    for (int j = deci - 1; j >= 0; --j) {
      for (int k = 0; k < N; ++k) StoreSW(st, w++, j * N + k);
    }
  }
}

void AgenConf::SetControl(RunState& st) {
  const int step = deci * N;
  if (step < 0 || step > 16) Stop(st, "Filter step out of range!", 873);
  const int s = std::abs(step) == D ? 0 : step;
  ModD = std::abs(s) + D <= 16 ? 16 : D;
  const int neg = (ModD - s) % ModD;
  if (neg < 0 || neg > 16) Stop(st, "negstep out of range!", 881);
  // D < 1 cannot follow a SetName that passed; checking it keeps the
  // divisions by D below safe.
  if (deci == 0 || D < 1) Stop(st, "Must SetName() before SetControl()", 900);

  const int r = step % 16;
  const int fragen_step = std::abs(r) == D ? 0 : r;

  // Backward write generator: offset B, depth V, recirculate R1.
  int V = r;
  int B = -step & 15;
  if (r != step % D) {
    B = 0;
    V = step % D;
  }
  int R1 = Recr - 1;
  if (interp > 1) {
    V = N;
    R1 = 0;
  }
  if (ModD != 16) B = neg;

  // Endcell step e (zero or negative here) and endcell write offset J.
  int e = -step % 16;
  if (D + std::abs(e) > 16 && std::abs(e) == D) {
    e = 0;
  } else if (-e == D) {
    e = D;
  }
  if (sym == 0) e = 0;
  int J = e & 15;
  if (sym == 2) J = 0;
  if (sym == 1 && D == 2) {
    J = 1;
    BewDepd = 0;
  }
  int L = Recr - 1;
  int K = 0;
  if (interp > 1) {
    L = 0;
    K = 1;
    J = 0;
  }
  if (Name() == "SRR12O12") K = 0;
  const int O = e > 0 ? e : neg;
  if (ModD != 16 || (sym == 2 && deci > 1 && D == 16)) {
    if (e == D) Stop(st, "filter setting not valid, Check this case", 1052);
    J = O;
  }

  for (int i = 0; i < 16; ++i) StoreBeReadBypass(st, i, 0);
  if (sym == 0) {
    for (int i = 0; i < D; ++i) StoreBeReadBypass(st, i, 1);
  }

  AgenControl& c = control;
  c.coef_ofsc = OfsC;
  c.coef_modc = ModC - 1;
  c.coef_repc = RepC - 1;
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
  c.bragen_srecr = R1;
  c.bragen_sdepd = D - 1;
  c.bragen_stepn = (ModD + neg) % ModD;
  c.bwagen_soff = B;
  c.bwagen_srecr = R1;
  c.bwagen_sdepd = V;
  c.bwagen_wrecrl = 0;
  c.beragen_soff = 0;
  c.beragen_srecr = L;
  c.beragen_sdepd = D - 1;
  c.beragen_stepn = (ModD + O) % ModD;
  c.bewagen_soff = J;
  c.bewagen_srecr = L;
  c.bewagen_sdepd = BewDepd;
  c.bewagen_wrecrl = K;

  SyncCnt = ((D / (SwapCnt + 1)) % 2 + 1) * ModD * Recr * D - 1;
}

int AgenConf::GetFirClkCnt(RunState& st) const {
  if (interp < 1) return 0;  // no SetName since Reset: there is no rate yet
  const int v = inrate / interp - 1;
  if (v > 255) Stop(st, "(AgenConf): GetFirClkCnt too large!!!", 1216);
  return v & 255;
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
