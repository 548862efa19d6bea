// The gain step's two passes, and the messages both directions share.  The
// transmit rules live in transmit_gain.cpp, the receive ones in
// receive_gain.cpp and the AGC constants in agc.cpp.
#include "config/gain.h"

#include "config/channel_roles.h"
#include "config/gain_parts.h"
#include "core/messages.h"
#include "core/run_state.h"

namespace cmd7730 {

void refuse_negative_gain(RunState& st, const char* setting, int line) {
  Error(st, strf("%s is below 0; a gain word can not hold a negative gain", setting), kTagConfig,
        line);
}

void mixed_gain_warning(RunState& st, int line) {
  Warning(st, "Gain block gain has been set with gain_lsb or gain, but overall_gain is also set.",
          kTagConfig, line);
  LogLine(st, "    (gain block gain being set limits ability to get exactly overall_gain)\n");
}

// The transmit pass takes every pair not declared receive, an undeclared
// pair included; the receive pass only pairs declared receive.
void gain_step(RunState& st) {
  for (int c = 0; c < 4; ++c) {
    if (!pair_receives(st, c) && st.ch[c].powerdown == 0) transmit_gain(st, c);
  }
  for (int c = 0; c < 4; ++c) {
    if (pair_receives(st, c) && st.ch[c].powerdown == 0) receive_gain(st, c);
  }
}

}  // namespace cmd7730
