// The pieces of the gain step shared by its transmit, receive and AGC parts:
// the per-channel entry points gain.cpp runs, and the small rules about gain
// words that both directions apply.
#pragma once

#include <climits>
#include <cstdint>

#include "core/numeric.h"

namespace cmd7730 {

struct RunState;

// Unity gain: the gain is the word / 4096.
inline constexpr int64_t kUnityWord = 4096;

// A double variable counts as given when it is above its unset marker.
inline bool given(double v) { return v > -0.5; }

// A gain word from a double, pinned to the 32-bit range.  A negative word is
// kept as it is (its low bits are what the registers get) and reported by
// `refuse_negative_gain`.
inline int64_t word_of(double x) { return clamp_to(x, INT_MIN, INT_MAX); }

// The low 16 bits of a word, for `gain_lsb`.
inline int low16(int64_t v) { return static_cast<int>(static_cast<uint64_t>(v) & 0xffff); }

// The gain block has no sign: a negative word's bits read as a large
// positive gain.  Reports the setting that asked for one.
void refuse_negative_gain(RunState& st, const char* setting, int line);

// Both `overall_gain` and a fixed gain block setting were given.
void mixed_gain_warning(RunState& st, int line);

// Gain words, FIR, CIC and summing shifts of one active transmit channel
// (transmit_gain.cpp).
void transmit_gain(RunState& st, int c);

// Gain word, FIR shift and power meter of one active receive channel, then
// its AGC constants (receive_gain.cpp).
void receive_gain(RunState& st, int c);

// The AGC loop constants of a receive channel whose AGC runs (agc.cpp).
void agc_constants(RunState& st, int c);

}  // namespace cmd7730
