// The numerically controlled oscillator and mixer of each channel.
//
// The mixer step is the first computation of a run: it maps the power-down
// controls onto the channels, spreads `splitiq` to the two pairs, checks that
// each live channel has its CIC rate, derives the mixer sample rate `fsample`
// and turns `freq` into the 48-bit tuning word (or the word back into
// `freq`).  The mixer input selection fills the multiplier selectors and
// inverters once the CIC step has run.
#pragma once

#include <array>
#include <optional>

namespace cmd7730 {

struct RunState;

// The 48-bit tuning word of `freq` against the chip clock `fck`, as
// {freq_msb, freq_mid, freq_lsb}: freq / fck * 2^48 modulo 2^48, truncated,
// so a negative frequency wraps to the top of the range.  Returns nothing
// when the ratio is not a finite number (fck of 0, an infinite freq).
std::optional<std::array<int, 3>> tuning_word(double freq, double fck);

// Power-down mapping, split I/Q, per-channel checks, `fsample`, tuning words;
// forces `tout_nsig` to 0 when no live channel transmits.
void mixer_step(RunState& st);

// Fills the mixer input selectors and product inverters of every channel
// whose pair has a direction; every store keeps a value already set.
void mixer_input_selection(RunState& st);

}  // namespace cmd7730
