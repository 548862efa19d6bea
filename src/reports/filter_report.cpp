#include "reports/filter_report.h"

#include <cstdint>
#include <string>

#include "core/messages.h"
#include "core/run_state.h"
#include "reports/fir_duty.h"

namespace cmd7730 {
namespace {

// Returns the slowest chip clock (MHz) that carries this FIR setting, which
// grows with the FIR clock count and the CIC count.
double minimum_clock_rate(const ChannelSettings& ch) {
  return (static_cast<double>(ch.fir_clk_cnt) + ch.ncic + 3) / 10;
}

void write_symmetry_sentence(RunState& st, const ChannelSettings& ch) {
  std::string s = "Coefficient symmetry is ";
  if (ch.coefsym == 0) {
    s += "none.";
  } else if (ch.coefsym == 2) {
    s += "even.";
  } else if (ch.coefsym == 1) {
    s += "odd.";
  }
  if (ch.fir_sym != 0) {
    s += " Hardware exploits symmetry.\n";
  } else if (ch.coefsym != 0) {
    s += " Hardware does not exploit symmetry.\n";
  } else {
    s += "\n";
  }
  WriteOutput(st, kAnalysis, s);
}

// Symmetric taps are listed for symmetric coefficients, except where a
// transmit polyphase filter cannot fold them: more than two phases, or even
// symmetry with any interpolation.
bool has_symmetric_column(const ChannelSettings& ch) {
  if (ch.coefsym == 0) return false;
  if (ch.xmt != 0 && (ch.fir_int > 2 || (ch.coefsym == 2 && ch.fir_int > 1))) return false;
  return true;
}

// The table divides by ncic + 1, fir_int, fir_cmplx + 1 and fir_nchan.
// Returns why one of them is 0 (ncic and fir_cmplx only when unset), or null.
const char* zero_divisor(const ChannelSettings& ch) {
  if (const char* why = fir_cycle_zero_factor(ch)) return why;
  if (static_cast<int64_t>(ch.fir_cmplx) + 1 == 0) return "fir_cmplx is unset";
  if (ch.fir_nchan == 0) return "fir_nchan is 0";
  return nullptr;
}

// One row per candidate input rate u: the FIR's duty (its share of the clock
// cycles), the power of one FIR row at 100 MHz, and the taps it can compute
// without and with folding symmetric coefficients.
std::string configuration_row(const ChannelSettings& ch, int u, bool symmetric_column) {
  const double duty = per_fir_cycle(ch, u);
  const double power = duty * 0.5 * 1.8 * 100;
  std::string s = strf("%4.3lf   %4.1lf", duty, power);
  int64_t base = static_cast<int64_t>(ch.fir_dec) * ch.fir_int * u * 16;
  base /= ch.fir_int;
  base /= static_cast<int64_t>(ch.fir_cmplx) + 1;
  base /= ch.fir_nchan;
  for (int j = 0; j <= (symmetric_column ? 1 : 0); ++j) {
    int64_t taps = (j + 1) * base;
    if (j == 1 && ch.coefsym == 1) --taps;
    const char mark = (j == ch.coef_sym && u == ch.inrateT) ? 'X' : ' ';
    s += strf("   %4lld", static_cast<long long>(taps));
    s += strf(" %c     ", mark);
  }
  s += "\n";
  return s;
}

}  // namespace

void filter_report(RunState& st, int channel) {
  const ChannelSettings& ch = st.ch[channel];
  if (!ch.coef_loaded) return;

  if (ch.maxtap > 32767 || ch.maxtap < -32768) {
    ConsoleLine(st, "Coefs exceeds 16 bits\n");
    st.interp.failure = 1;
    // The coefficient memory holds 16-bit words, so the image would carry
    // cut-down taps: the run must not end as a success.
    st.error_flag = 1;
  }

  const double r_min = minimum_clock_rate(ch);
  WriteOutput(st, kAnalysis,
              strf("\nChannel %d has a minimum clock rate of %0.5f MHz\n", channel, r_min));
  if (st.chip.fck < r_min) {
    Error(st, strf("chip clock rate of %0.5f lower than minimum of %0.5f!", st.chip.fck, r_min),
          kTagCmdin, 418);
  }

  const int64_t max_magnitude = ch.maxtap < 0 ? -static_cast<int64_t>(ch.maxtap) : ch.maxtap;
  WriteOutput(st, kAnalysis,
              strf("\nChannel %d has a %d tap filter.  Sum of coefficients %d. Max coefficient "
                   "%lld\n",
                   channel, ch.ncoefs, ch.sumtap, static_cast<long long>(max_magnitude)));
  write_symmetry_sentence(st, ch);

  const bool symmetric_column = has_symmetric_column(ch);
  std::string table = "  Possible Filter Configurations     X marks the configuration used\n";
  table += "Duty    Pwr(mW)  Taps(no sym) ";
  if (symmetric_column) table += "Taps (w/ sym)";
  table += "    (Power is for a single FIR row)\n";
  for (int i = 0; i < 16 && ch.possible_inrates[i] != -1; ++i) {
    if (const char* why = zero_divisor(ch)) {
      table += strf("Configurations can not be listed: %s\n", why);
      break;
    }
    table += configuration_row(ch, ch.possible_inrates[i], symmetric_column);
  }
  WriteOutput(st, kAnalysis, table);
}

}  // namespace cmd7730
