// The rough supply-power estimate at the end of the analysis report: a load
// per active FIR scaled by its share of the clock, a load per powered CIC and
// mixer pair, times the chip clock and the 1.8 V supply.
#pragma once

#include <string>

namespace cmd7730 {

struct RunState;

// Writes "Estimate power is ..." to the analysis file (nothing else).
void power_estimate(RunState& st);

// Returns the estimated supply power in mW; `note` (if given) receives a line
// for each channel whose FIR load could not be counted.
double estimate_power_mw(const RunState& st, std::string* note = nullptr);

}  // namespace cmd7730
