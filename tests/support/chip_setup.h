// A chip state for the channel-configuration tests: catalogue built, pair
// directions declared as the `mode` command would, defaults applied, and the
// console plus every output captured in memory.
#pragma once

#include <memory>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/defaults.h"
#include "core/run_state.h"

namespace cmd7730::testing {

inline constexpr int R = kModeReceive;
inline constexpr int T = kModeTransmit;

// Declares pair AB as `ab` and pair CD as `cd` and applies the defaults.
inline std::unique_ptr<RunState> chip_with_modes(int ab, int cd) {
  auto st = std::make_unique<RunState>();
  st->console.open_memory();
  for (auto& f : st->out) f.open_memory();
  build_catalogue(*st);
  const int modes[2] = {ab, cd};
  for (int p = 0; p < 2; ++p) {
    st->pair[p].mode = modes[p];
    st->ch[2 * p].xmt = st->ch[2 * p + 1].xmt = modes[p] == kModeTransmit ? 1 : 0;
  }
  set_defaults(*st);
  return st;
}

// Selects the debug listing so that Debug lines can be read back.
inline void open_debug(RunState& st) { st.chip.print_flags |= output_bit(kDebug); }

// Counts the occurrences of `needle` in `hay`.
inline int count_of(const std::string& hay, const std::string& needle) {
  int n = 0;
  for (size_t at = hay.find(needle); at != std::string::npos; at = hay.find(needle, at + 1)) ++n;
  return n;
}

}  // namespace cmd7730::testing
