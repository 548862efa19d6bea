#include "reports/power.h"

#include <cstdint>
#include <string>

#include "core/messages.h"
#include "core/run_state.h"
#include "reports/fir_duty.h"

namespace cmd7730 {
namespace {

// Load units: one FIR at full duty, one CIC/mixer pair.  The sum times the
// clock in MHz and the supply voltage gives mW.
constexpr double kFirLoad = 0.55;
constexpr double kCicPairLoad = 0.75;
constexpr double kSupplyVolts = 1.8;

}  // namespace

double estimate_power_mw(const RunState& st, std::string* note) {
  if (st.chip.master_reset != 0) return 0.0;
  double load = 0.0;
  for (int c = 0; c < 4; ++c) {
    const ChannelSettings& ch = st.ch[c];
    if (ch.powerdown != 0) continue;
    // The FIR is busy inrateT clocks of every (ncic + 1) * fir_int.
    if (const char* why = fir_cycle_zero_factor(ch)) {
      if (note != nullptr) {
        *note += strf("Power estimate leaves out the FIR of channel %d: %s\n", c, why);
      }
      continue;
    }
    load += per_fir_cycle(ch, kFirLoad * ch.inrateT);
  }
  if (st.chip.pwr_dwn_cic_AB == 0) load += kCicPairLoad;
  if (st.chip.pwr_dwn_cic_CD == 0) load += kCicPairLoad;
  return load * st.chip.fck * kSupplyVolts;
}

void power_estimate(RunState& st) {
  if (!st.output_open(kAnalysis)) return;
  std::string text;
  const double mw = estimate_power_mw(st, &text);
  text += strf("Estimate power is %5.0lfmW at %5.1lf MHz and 1.8V\n", mw, st.chip.fck);
  WriteOutput(st, kAnalysis, text);
}

}  // namespace cmd7730
