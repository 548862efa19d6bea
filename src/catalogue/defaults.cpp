#include "catalogue/defaults.h"

#include "core/early_stop.h"
#include "core/messages.h"
#include "core/run_state.h"
#include "core/variables.h"

namespace cmd7730 {
namespace {

// The cell slot of `entry` that belongs to channel k: a global variable has
// only slot 0.
int cell_slot(const VariableEntry& entry, int k) { return entry.scope == Scope::kGlobal ? 0 : k; }

bool cell_unset(const VariableEntry& entry, int slot) {
  if (entry.is_wide()) {
    const double* cell = entry.double_cell[slot];
    return cell != nullptr && is_unset(*cell);
  }
  const int* cell = entry.int_cell[slot];
  return cell != nullptr && is_unset(*cell);
}

// True when channel k needs `entry` (it is "Mandatory" in the channel's
// direction and the channel is powered up) and the control file left it
// unset.
bool missing_mandatory(const RunState& st, const VariableEntry& entry, int k) {
  const ChannelSettings& c = st.ch[k];
  if (effective_class(entry, c.xmt) != kClassMandatory || c.powerdown != 0) return false;
  return cell_unset(entry, cell_slot(entry, k));
}

// Reports each channel the entry's scope covers that lacks the variable.
// Returns true when any did.
bool ck_man_field(RunState& st, const VariableEntry& entry) {
  int channels = 0;
  switch (entry.scope) {
    case Scope::kGlobal:
      channels = 1;
      break;
    case Scope::kChannel:
    case Scope::kPair:
      channels = 4;
      break;
    default:
      ConsoleLine(st, "Should never get here ck_man_field\n");
      return false;
  }
  bool missing = false;
  for (int k = 0; k < channels; ++k) {
    if (missing_mandatory(st, entry, k)) {
      Error(st, strf("Must set %s", entry.name.c_str()), kTagDefaults, 66);
      missing = true;
    }
  }
  return missing;
}

}  // namespace

void set_channel_default(RunState& st, const VariableEntry& entry, int k) {
  const int c = effective_class(entry, st.ch[k].xmt);
  if (c != kClassNotUsed && c != kClassDefault) return;
  const int slot = cell_slot(entry, k);
  if (entry.is_wide()) {
    if (double* cell = entry.double_cell[slot]) *cell = static_cast<double>(entry.default_value);
  } else {
    if (int* cell = entry.int_cell[slot]) *cell = entry.default_value;
  }
}

int yyysetdefault(RunState& st, const VariableEntry& entry) {
  switch (entry.scope) {
    case Scope::kGlobal:
      set_channel_default(st, entry, 0);
      break;
    case Scope::kChannel:
    case Scope::kPair:
      for (int k = 0; k < 4; ++k) set_channel_default(st, entry, k);
      break;
    default:
      ConsoleLine(st, "Should never get here yyysetdefault\n");
      break;
  }
  return 0;
}

void set_defaults(RunState& st) {
  st.catalogue.for_each_variable(
      [&st](const VariableEntry& entry) { return yyysetdefault(st, entry); });
}

void check_declarations(RunState& st) {
  bool failed = false;

  // A pair needs a direction unless both of its channels are powered down;
  // a channel whose power-down state was never derived counts as down.
  static constexpr struct {
    const char* text;
    int line;
  } kModeMissing[2] = {
      {"Must declare mode for AB or powerdown both A & B", 119},
      {"Must declare mode for CD or powerdown both C & D", 120},
  };
  for (int q = 0; q < 2; ++q) {
    const int mode = st.pair[q].mode;
    const bool declared = mode == kModeTransmit || mode == kModeReceive;
    const bool both_down = st.ch[2 * q].powerdown != 0 && st.ch[2 * q + 1].powerdown != 0;
    if (!declared && !both_down) {
      Error(st, kModeMissing[q].text, kTagDefaults, kModeMissing[q].line);
      failed = true;
    }
  }

  st.catalogue.for_each_variable([&](const VariableEntry& entry) {
    if (ck_man_field(st, entry)) failed = true;
    return 0;
  });

  for (int k = 0; k < 4; ++k) {
    if (st.ch[k].powerdown == 0 && st.ch[k].ncoefs == kUnset) {
      Error(st, strf("Must declare coefficients for channel %d", k), kTagDefaults, 128);
      failed = true;
    }
  }

  if (failed) throw EarlyStop{1};
}

}  // namespace cmd7730
