// Defaults and mandatory settings.  The defaults pass gives every variable
// that is "NotUsed" or "Default" in its channel's direction its default value;
// the declaration check insists that each pair has a direction (or is powered
// down) and that every powered-up channel has its mandatory variables and
// coefficients, and ends the run when anything is missing.
#pragma once

namespace cmd7730 {

struct RunState;
struct VariableEntry;

// Stores the default of `entry` into channel `k`'s cell (the single cell of a
// global variable, judged by channel k's direction) when its class there is
// "NotUsed" or "Default"; any other class leaves the cell alone.  Overwrites
// whatever the cell held.
void set_channel_default(RunState& st, const VariableEntry& entry, int k);

// Applies `set_channel_default` to every channel the entry's scope covers
// (channel A for a global variable, A..D otherwise).  Returns 0 so that a
// catalogue walk always goes on.
int yyysetdefault(RunState& st, const VariableEntry& entry);

// Walks the whole catalogue with `yyysetdefault`.  Run by `mode` once both
// pairs have a direction, and again by every later `mode` line.
void set_defaults(RunState& st);

// Reports every missing pair direction, mandatory variable and coefficient
// set as an Error, then throws EarlyStop{1} if there was any.  Returns only
// when everything needed is declared.
void check_declarations(RunState& st);

}  // namespace cmd7730
