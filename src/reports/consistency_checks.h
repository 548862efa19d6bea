// The consistency pass that runs after every derived setting is computed:
// combinations the chip cannot run, or runs with a surprise, become Errors or
// Warnings.  It changes no setting.  The gain reports are written at fixed
// points of the channel walk, so the walk's order is the analysis file's.
#pragma once

namespace cmd7730 {

struct RunState;

// Checks the chip-wide settings, then channels A..D (with their gain
// reports), then the general timer's sync source.
void consistency_checks(RunState& st);

}  // namespace cmd7730
