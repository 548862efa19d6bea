// The strobe output delay search.  For a delay of i + 1 clocks the data
// reaches the swap RAM strobe_to_data(i, k) clocks after the strobe; the
// search takes the first delay that lands it in the window between the time
// the frame's words are in and the next frame.
#include "config/strobe_delay.h"

#include <optional>

#include "core/messages.h"
#include "core/numeric.h"
#include "core/run_state.h"
#include "core/variables.h"

namespace cmd7730 {
namespace {

struct Fallback {
  int64_t lo, hi;
};

class StrobeDelaySearch {
 public:
  StrobeDelaySearch(RunState& st, ChannelSettings& ch, const Timing& t) : st_(st), ch_(ch), t_(t) {}

  void run();

 private:
  // A(c): when word c of the delayed frame is in, with the slow clock's
  // skew when the cycle is not a whole number of slow clocks.
  int64_t word_in(int64_t c) const {
    return word_in_unskewed(c) + (t_.cycle % t_.slow_clock != 0 ? t_.sck : 0);
  }
  // B(c): the same without the skew.
  int64_t word_in_unskewed(int64_t c) const {
    return t_.slow_clock * (t_.strobe_delay + t_.words * c) + 17;
  }
  // T(i, k): strobe to data with the strobe output delayed by i + 1, k whole
  // cycles on.
  int64_t strobe_to_data(int64_t i, int64_t k) const {
    return t_.cycle * (k + 1) - i * t_.slow_clock;
  }
  // K(x): the whole cycles before time x, less one.
  int64_t whole_cycles(int64_t x) const {
    if (x < 2 * t_.cycle || t_.cycle <= 0) return 0;
    return x / t_.cycle - 1;
  }
  bool standing() const { return !is_unset(ch_.tinf_fso_dly); }

  // The delay (1..7) at which the data lands in [lo, hi), if any.  A delay
  // that already stands is the only candidate.
  std::optional<int64_t> window(int64_t lo, int64_t hi, int64_t k) const;

  // Tries to align all but one group of TDM channels, one word apart.
  bool split_alignment(int64_t k, bool series);

  // Stores the delay unless one stands already.
  void choose(int64_t delay) { set_if_unset(ch_.tinf_fso_dly, narrow(delay)); }

  RunState& st_;
  ChannelSettings& ch_;
  const Timing& t_;
};

std::optional<int64_t> StrobeDelaySearch::window(int64_t lo, int64_t hi, int64_t k) const {
  auto decide = [&](int64_t i) -> std::optional<int64_t> {
    if (strobe_to_data(i, k) >= lo) return i + 1;
    return std::nullopt;
  };
  if (standing()) {
    const int64_t i = static_cast<int64_t>(ch_.tinf_fso_dly) - 1;
    if (strobe_to_data(i, k) < hi) return decide(i);
    return std::nullopt;
  }
  for (int64_t i = 0; i <= 6 && i < t_.cycle; ++i) {
    if (strobe_to_data(i, k) < hi) return decide(i);
  }
  return std::nullopt;
}

bool StrobeDelaySearch::split_alignment(int64_t k, bool series) {
  static constexpr Fallback kSeriesWindows[3] = {{4, 5}, {2, 3}, {6, 7}};
  static constexpr Fallback kRealWindows[3] = {{2, 3}, {1, 2}, {3, 4}};
  static constexpr const char* kAligned[3] = {
      "Data can not be aligned. Aligning so channels a and b are one off of c and d.\n",
      "Data can not be aligned. Aligning so channels b c and d are one off of a.\n",
      "Data can not be aligned. Aligning so channels a b and c are one off of d.\n"};
  static constexpr const char* kNote[3] = {
      nullptr, "  note:  can split a from b, c and d instead; just set tinf_fso_dly to %d.\n",
      "  note:  can split d from a, b and c instead; just set tinf_fso_dly to %d.\n"};
  const Fallback* windows = series ? kSeriesWindows : kRealWindows;
  bool found = false;
  for (int w = 0; w < 3; ++w) {
    auto delay = window(word_in(windows[w].lo), word_in_unskewed(windows[w].hi), k);
    if (!delay) continue;
    if (!found) {
      WriteOutput(st_, kAnalysis, kAligned[w]);
      choose(*delay);
      found = true;
    } else {
      WriteOutput(st_, kAnalysis, strf(kNote[w], narrow(*delay)));
    }
  }
  return found;
}

void StrobeDelaySearch::run() {
  ChipSettings& chip = st_.chip;
  const bool series = t_.layout == Layout::kSeries;
  const bool parallel = t_.layout == Layout::kParallel;

  // How many words into the frame the data must be in.
  int64_t words_in = 1;
  if (t_.tdm) {
    words_in = series ? 8 : 4;
  } else if (series) {
    words_in = 2;
  }
  const int64_t plus = parallel ? 1 : 0;

  if (t_.tdm && (chip.splitiqAB != 0 || chip.splitiqCD != 0) && ch_.cic_int == 1 &&
      ch_.fir_int == 4) {
    set_if_unset(ch_.tinf_fso_dly, 2);
  }

  bool found = false;
  if (!t_.tdm && t_.layout == Layout::kReal && t_.cycle == 1) {
    set_if_unset(ch_.tinf_fso_dly, 0);
    found = true;
  } else {
    const int64_t ready = word_in(words_in) + plus;  // I
    const int64_t i0 = standing() ? static_cast<int64_t>(ch_.tinf_fso_dly) - 1 : 0;
    if (strobe_to_data(i0, 0) >= ready) {
      choose(1);
      found = true;
    } else {
      const int64_t k = whole_cycles(ready);
      if (auto delay = window(ready - t_.cycle, word_in_unskewed(1), k)) {
        choose(*delay);
        found = true;
      } else if (t_.tdm && !parallel) {
        // The strobe cannot serve all four channels at once.
        found = split_alignment(k, series);
      }
    }
  }

  if (!found) {
    Warning(st_, "Frame strobe delay can not be set properly with current configuration,",
            kTagConfig, 1720);
    LogLine(st_, "  data from swap RAM might not come out properly.");
    LogLine(st_, "  If problems, change sck_div, ncic or fir_int to fix.\n");
    LogLine(st_, "  Also, if filter duty cycle is at 100% (always running), it should be okay.\n");
    set_if_unset(ch_.tinf_fso_dly, 1);
  }
}

}  // namespace

void choose_strobe_delay(RunState& st, ChannelSettings& ch, const Timing& t) {
  StrobeDelaySearch(st, ch, t).run();
}

}  // namespace cmd7730
