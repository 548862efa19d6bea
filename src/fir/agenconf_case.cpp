// AgenConf, the filter case: storing and range-testing the eight filter
// parameters, spelling the case code, the derived quantities, and the checks
// that decide whether the hardware can run the case (with the report of what
// the case catalogue says about it).
#include <string>

#include "core/early_stop.h"
#include "core/messages.h"
#include "core/run_state.h"
#include "fir/agenconf.h"
#include "fir/fircases.h"

namespace cmd7730 {
namespace {

// Digits of the case code: 1..9, then a.. for 10 and up ("w" is 32).
constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvw";
constexpr char kDiffLetters[] = "SD";
constexpr char kTypeLetters[] = " RC";  // index 0 is never used
constexpr char kSymLetters[] = "NOE";

// The hardware limits, in the order they are tested: returns the first that
// the case breaks, or nullptr.  `clocks_needed` is the multiplier load per
// input sample (L).
const char* hardware_limit(const AgenConf& a, int clocks_needed) {
  if (clocks_needed > a.inrate) return "compute load too large";
  if (a.N * a.Recr / a.deci > a.inrate) return "compute load too large";
  if (a.D > 16) return "D too large";
  if (a.ModC > 16) return "ran out of coef RAM";
  if (a.Adly > 8) return "AcumDly too large";
  if (a.N < 1) return "N must be an integer greater than 1.";
  if (a.D % a.N != 0) return "D must be a multiple of N";
  if (a.data > 1 && a.coef > 1) return "Can't do complex by complex yet";
  if (a.coef > 1) return "Can't do complex coefs yet";
  if (a.diff == 0 && a.data == 1 && a.coef == 1 && a.nchan == 3 && a.inrate == 4 && a.sym != 0) {
    return "extracase";
  }
  return nullptr;
}

// The input and output rates must divide evenly into FIR clocks; complex
// data at an odd rate is let through.  Returns "" when they do.
const char* uneven_rate(const AgenConf& a, int clocks_needed) {
  if ((a.coef == 2 || a.data == 2) && a.inrate % 2 != 0) return "";
  if (clocks_needed > 1 && a.inrate % clocks_needed != 0) return "uneven";
  if (a.coef == 2 && a.inrate % 2 != 0) return "uneven input rate";
  if (a.inrate % a.interp != 0) return "uneven output rate";
  return "";
}

// What the hardware tests said about case `name`; a report only.
void report_catalogue(RunState& st, const char* name) {
  const FirCaseMatches found = lookup_fir_case(name);
  for (int i = 0; i < found.failing; ++i) {
    Error(st, strf("Filter configuration %s Tested with firctrl and Fails!", name), kTagAgenconf,
          551);
  }
  if (found.count == 1 && found.failing == 0) {
    Debug(st, strf("ValidCase():%s Tested and Passes!", name), kTagAgenconf, 338);
  } else if (found.count > 1) {
    Warning(st, "More than one valid case entry in fircases.code", kTagAgenconf, 340);
  } else if (found.count == 0) {
    Error(st, strf("Untried filter configuration: %s!", name), kTagAgenconf, 343);
  }
}

}  // namespace

void AgenConf::Stop(RunState& st, const std::string& text, int line) {
  Error(st, text, kTagAgenconf, line);
  throw EarlyStop{-1};
}

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
  for (const Range& range : ranges) {
    if (range.value < range.lo || range.value > range.hi) complaint = range.legend;
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

  // Later checks override earlier ones: the last that applies is reported.
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

  const int clocks_needed = coef * data * nchan * interp / deci;  // L
  if (const char* limit = hardware_limit(*this, clocks_needed)) reason_ = limit;
  if (reason_.empty()) reason_ = uneven_rate(*this, clocks_needed);
  const bool valid = reason_.empty();

  report_catalogue(st, name_);
  return valid;
}

}  // namespace cmd7730
