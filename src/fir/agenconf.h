// AgenConf: the FIR configuration object.  It holds the eight filter
// parameters of one channel, their case code and derived quantities, and the
// address-generator tables and control results computed from them.  One
// object serves all four channels and is reset before each.
//
// Operations run in the order Reset, SetName, ValidCase, SetTables,
// SetControl; after that the packed strobes, BERAM words, SW_Table and
// GetFirClkCnt can be read.  Fatal inconsistencies are reported as Errors and
// end the run with status -1 (EarlyStop).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace cmd7730 {

struct RunState;

// The results of SetControl() that fir_config() copies into the channel
// variables of the same names, in the order they are copied.  The fields of
// AgenControl and the copy are both generated from this list, so a new result
// needs one entry here and its computation in SetControl().
// clang-format off
#define CMD7730_AGEN_CONTROL_FIELDS(X)                                 \
  /* coefficient RAM addressing */                                     \
  X(coef_ofsc) X(coef_modc) X(coef_repc) X(coef_sym) X(coef_zerofr)    \
  /* shared address-generator counts */                                \
  X(agen_recr) X(agen_depd) X(agen_modd) X(agen_togen)                 \
  /* forward read and write generators */                              \
  X(fragen_soff) X(fragen_srecr) X(fragen_sdepd) X(fragen_stepn)       \
  X(fwagen_soff) X(fwagen_srecr) X(fwagen_sdepd) X(fwagen_wrecrl)      \
  /* backward read and write generators */                             \
  X(bragen_soff) X(bragen_srecr) X(bragen_sdepd) X(bragen_stepn)       \
  X(bwagen_soff) X(bwagen_srecr) X(bwagen_sdepd) X(bwagen_wrecrl)      \
  /* backward endcell read and write generators */                     \
  X(beragen_soff) X(beragen_srecr) X(beragen_sdepd) X(beragen_stepn)   \
  X(bewagen_soff) X(bewagen_srecr) X(bewagen_sdepd) X(bewagen_wrecrl)
// clang-format on

// Address-generator and coefficient-addressing settings worked out by
// SetControl(); each field becomes the channel variable of the same name.
struct AgenControl {
#define CMD7730_AGEN_CONTROL_DECLARE(name) int name = 0;
  CMD7730_AGEN_CONTROL_FIELDS(CMD7730_AGEN_CONTROL_DECLARE)
#undef CMD7730_AGEN_CONTROL_DECLARE
};

class AgenConf {
 public:
  // Clears the parameters and derived quantities and sets SW_Table to the
  // identity.  The other tables keep their entries: SetTables and SetControl
  // rewrite all of them.
  void Reset();

  // Stores the eight filter parameters, range-checks them (an out-of-range
  // parameter ends the run with status -1), spells the case code and works
  // out the derived quantities.
  void SetName(RunState& st, int diff, int data, int coef, int nchan, int inrate, int sym, int deci,
               int interp);

  // Range-tests filter parameters as SetName does.  When one is out of range
  // the eight values are logged, the field legend of the last bad one (in
  // parameter order) is reported and the run ends with status -1.  With
  // `rate_known` false the input rate is printed but not tested: it has not
  // been chosen yet.
  static void CheckParameters(RunState& st, int diff, int data, int coef, int nchan, int inrate,
                              int sym, int deci, int interp, bool rate_known = true);

  // Returns true when the hardware can run the configuration.  Sets the
  // rejection reason and reports what the case catalogue says about the code;
  // the catalogue never changes the result.
  bool ValidCase(RunState& st);

  // Fills the strobe, endcell and swap tables for the accepted case.
  void SetTables(RunState& st);

  // Works out the address-generator settings; needs SetTables first.
  void SetControl(RunState& st);

  // Returns the FIR clock count inrate / interp - 1 (0..255).
  int GetFirClkCnt(RunState& st) const;

  // Returns the 16-bit forward write strobe word (bit i = slot i).
  int FwaStrobe() const { return Pack(FWAs_Table_); }
  // Returns the 16-bit backward write strobe word.
  int BwaStrobe() const { return Pack(BWAs_Table_); }
  // Returns the 16-bit backward endcell read bypass word.
  int BeReadBypassPacked() const { return Pack(BeReadBypass_); }

  // Returns BERAM word i (0..15): endcell write addresses of both halves, the
  // endcell write strobe, read address and the two block flags of slot i.
  // An index outside 0..15 is reported and gives -1.
  int BeramWord(RunState& st, int i) const;

  // Table entries, for the copy into the channel and for inspection.
  int SW_Table(int i) const { return SW_Table_.at(i); }
  int FWAs_Table(int i) const { return FWAs_Table_.at(i); }
  int BWAs_Table(int i) const { return BWAs_Table_.at(i); }
  int BWAes_Table(int i) const { return BWAes_Table_.at(i); }
  int BBLKe_Table(int i) const { return BBLKe_Table_.at(i); }
  int BRAe_Table(int i) const { return BRAe_Table_.at(i); }
  int BWAe_Table(int i) const { return BWAe_Table_.at(i); }
  int BeReadBypass(int i) const { return BeReadBypass_.at(i); }

  // Returns the eight-character case code, e.g. "SRR14N41" (empty after Reset).
  std::string_view Name() const { return name_; }
  // Returns why ValidCase refused the case; empty when it accepted it.
  const std::string& Reason() const { return reason_; }

  // Filter parameters (set by SetName).
  int diff = 0, data = 0, coef = 0, nchan = 0, inrate = 0, sym = 0, deci = 0, interp = 0;

  // Derived quantities (SetName, refreshed by ValidCase).
  int N = 0, Recr = 0, RepC = 0, OfsC = 0, ClksOut = 0, D = 0, Wmax = 0, ACnt = 0, Adly = 0,
      ModC = 0, ZeroFr = 0;

  // Control results (SetTables, SetControl).
  uint8_t TogEn = 0;
  int BewDepd = 0, SwapCnt = 0, ModD = 0, SyncCnt = 0;
  AgenControl control;

 private:
  template <size_t Size>
  static int Pack(const std::array<int, Size>& table) {
    int word = 0;
    for (int i = 0; i < 16; ++i) word |= table[i] << i;
    return word;
  }

  // Reports `text` as an Error and ends the run with status -1.
  [[noreturn]] static void Stop(RunState& st, const std::string& text, int line);

  void ComputeDerived();

  // Checked stores: an index or value out of range (compared as unsigned, so
  // a negative one fails) is reported and ends the run with status -1.
  template <size_t Size>
  static void Store(RunState& st, std::array<int, Size>& table, int i, int v, unsigned max,
                    const char* error, int line);
  void StoreFWAs(RunState& st, int i, int v);
  void StoreBWAs(RunState& st, int i, int v);
  void StoreBWAes(RunState& st, int i, int v);
  void StoreBBLKe(RunState& st, int i, int v);
  void StoreBRAe(RunState& st, int i, int v);
  void StoreBWAe(RunState& st, int i, int v);
  void StoreSW(RunState& st, int i, int v);
  void StoreBeReadBypass(RunState& st, int i, int v);

  // The steps of SetTables, in the order it runs them.  `group` is the
  // number of data words written per output sample (N * deci).
  void FillWriteStrobes(RunState& st, int group);
  void FillBlockFlags(RunState& st);
  void FillReadAddresses(RunState& st, int group);
  void FillWriteAddresses(RunState& st, int group);
  void FillDecimatingWriteAddresses(RunState& st, int group);
  void SwapWideAddresses(RunState& st, int group);
  void FillSwap(RunState& st, int group);

  // The two endcell write-address fills of SetTables.
  void ReverseFillBWAe(RunState& st, int half, int step, int start);
  void BlockFillBWAe(RunState& st, int step);

  // The generator settings SetControl works out before storing them.
  struct BackwardWrite;
  struct Endcell;
  BackwardWrite PlanBackwardWrite(int step, int neg_step) const;
  Endcell PlanEndcell(RunState& st, int step, int neg_step);
  void StoreControl(int step, int fragen_step, int neg_step, const BackwardWrite& bwa,
                    const Endcell& endcell);

  char name_[9] = "";
  std::string reason_;

  std::array<int, 16> FWAs_Table_{};    // forward write strobes, 0..1
  std::array<int, 16> BWAs_Table_{};    // backward write strobes, 0..1
  std::array<int, 32> BWAes_Table_{};   // backward endcell write strobes, 0..1
  std::array<int, 32> BBLKe_Table_{};   // backward endcell block flags, 0..1
  std::array<int, 16> BRAe_Table_{};    // backward endcell read addresses, 0..16
  std::array<int, 32> BWAe_Table_{};    // backward endcell write addresses, 0..16
  std::array<int, 16> SW_Table_{};      // swap RAM contents, 0..16
  std::array<int, 16> BeReadBypass_{};  // backward endcell read bypass, 0..1
};

}  // namespace cmd7730
