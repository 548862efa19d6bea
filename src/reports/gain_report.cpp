#include "reports/gain_report.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "config/gain_block.h"
#include "core/messages.h"
#include "core/run_state.h"

namespace cmd7730 {
namespace {

bool same_transmit_gains(const ChannelSettings& a, const ChannelSettings& b) {
  return a.gain_msb == b.gain_msb && a.gain_lsb == b.gain_lsb && a.fir_gain == b.fir_gain &&
         a.fir_peak_gain == b.fir_peak_gain && a.sumtap == b.sumtap && a.fir_shift == b.fir_shift &&
         a.cic_gain == b.cic_gain && a.cic_shift == b.cic_shift && a.sum_gain == b.sum_gain;
}

// The shifter gain and the AGC loop constants are deliberately not compared:
// two channels differing only there still share the table.
bool same_receive_gains(const ChannelSettings& a, const ChannelSettings& b) {
  return a.gain_msb == b.gain_msb && a.gain_lsb == b.gain_lsb && a.fir_gain == b.fir_gain &&
         a.mix_gain == b.mix_gain && a.zpad_gain == b.zpad_gain && a.sumtap == b.sumtap &&
         a.fir_shift == b.fir_shift && a.cic_gain == b.cic_gain && a.cic_shift == b.cic_shift &&
         a.sum_gain == b.sum_gain && a.agc_thresh == b.agc_thresh;
}

// Writes "Same as channel %d\n" for the lowest earlier channel (any direction,
// powered down or not) with the same gains; returns whether it did.
template <typename Same>
bool back_reference(RunState& st, int channel, Same same) {
  for (int j = 0; j < channel; ++j) {
    if (same(st.ch[j], st.ch[channel])) {
      WriteOutput(st, kAnalysis, strf("Same as channel %d\n", j));
      return true;
    }
  }
  return false;
}

// Internal rounding-noise power at the transmit output (10 log10 of it, less
// 96 dB, is its level in dBFS): noise entering at the mixer, scaled by the
// gains after it, plus the sum block's own rounding.  Terms that divide by an
// interpolation factor of 0 are left out instead of dividing by zero; they
// carry the mixer gain, which is 0 on a transmit channel anyway.
double transmit_noise_power(const ChannelSettings& c, int sum_shift) {
  const double a = std::pow(2.0, sum_shift - 7);
  const double b = std::pow(2.0, sum_shift - 11) * c.sum_gain;
  double n = 0.0;
  if (c.fir_int != 0 && c.cic_int != 0) {
    n += c.cic_gain * c.fir_gain * c.mix_gain * c.sum_gain * a / c.fir_int / c.cic_int;
  }
  if (c.cic_int != 0) n += c.mix_gain * c.cic_gain * c.sum_gain * a / c.cic_int;
  n += c.sum_gain * c.mix_gain * a;
  n += b;
  return n;
}

}  // namespace

void gain_report_header(RunState& st, int channel) {
  WriteOutput(st, kAnalysis, strf("\nDoing analysis for channel %d\n", channel));
}

void transmit_gain_report(RunState& st, int channel) {
  if (!st.output_open(kAnalysis)) return;
  if (back_reference(st, channel, same_transmit_gains)) return;
  const ChannelSettings& c = st.ch[channel];
  const int64_t word = gain_word(c);
  const double g = static_cast<double>(word) / 4096.0;
  std::string s;
  s += strf("Gain from gain block is %lf (G = %lld)\n", g, static_cast<long long>(word));
  s += strf("Gain from filter is %lf (FIR_SUM = %d, fir_shift = %d)\n", c.fir_gain, c.sumtap,
            c.fir_shift);
  s += strf("Gain from cic is %lf (cic_shift = %d)\n", c.cic_gain, c.cic_shift);
  s += strf("DC gain through the gain block, FIR and CIC is %lf\n", c.fir_gain * g * c.cic_gain);
  s += strf("Worst case peak gain through the channel is %lf\n", c.fir_peak_gain * g * c.cic_gain);
  s += strf("Gain from sum block is %lf\n", c.sum_gain);
  s += strf("Final overall gain is %lf\n", c.fir_gain * g * c.cic_gain * c.sum_gain);
  const double n = transmit_noise_power(c, st.chip.sum_shift);
  if (n > 0.0 && std::isfinite(n)) {
    s += strf("Internal digital noise is %lf dBFS\n", 10.0 * std::log10(n) - 96.0);
  } else {
    // No gain through the sum block leaves no noise power to take the
    // logarithm of.
    s += strf("Internal digital noise can not be estimated: noise power %lf is not positive\n", n);
  }
  WriteOutput(st, kAnalysis, s);
}

void receive_gain_report(RunState& st, int channel) {
  if (!st.output_open(kAnalysis)) return;
  if (back_reference(st, channel, same_receive_gains)) return;
  const ChannelSettings& c = st.ch[channel];
  const double g = static_cast<double>(gain_word(c)) / 4096.0;
  std::string s;
  s += "Gain Analysis:\n";
  s += strf("overall_gain=%2.6f (target)\n", c.overall_gain);
  s += "BLOCK     GAIN IN BLOCK     CUMULATIVE GAIN AFTER BLOCK\n";
  s += strf("Zero Pad  %2.6f             %2.6f\n", c.zpad_gain, c.zpad_gain);
  s += strf("Mixer     %2.6f             %2.6f\n", c.mix_gain, c.zpad_gain * c.mix_gain);
  s += strf("Rshift    %2.6f             %2.6f\n", c.rshift_gain,
            c.rshift_gain * c.mix_gain * c.zpad_gain);
  s += strf("CIC       %2.6f             %2.6f\n", c.cic_gain,
            c.rshift_gain * c.cic_gain * c.mix_gain * c.zpad_gain);
  s += strf("FIR       %2.6f             %2.6f\n", c.fir_gain,
            c.cic_gain * c.fir_gain * c.rshift_gain * c.mix_gain * c.zpad_gain);
  s += strf("AGC       %2.6f             %2.6f = final actual overall gain\n", g,
            c.fir_gain * g * c.cic_gain * c.rshift_gain * c.mix_gain * c.zpad_gain);
  if (c.agc_freeze == 0) {
    s += "AGC settings:\n";
    s += strf("   step size D = %d\n", c.agc_step);
    s += strf("   time constant TC = %2.6f\n", c.agc_time_constant);
    s += strf("   agc_thresh = %d\n", c.agc_thresh);
  }
  WriteOutput(st, kAnalysis, s);
}

}  // namespace cmd7730
