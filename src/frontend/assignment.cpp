// Assignments: a line whose first word names a catalogue variable sets it.
// Integer values are checked against the variable's width, wide values must
// be finite decimal numbers; a hand-set value for a variable the program
// normally computes draws a warning, since it overrides the computation.
#include <cstdint>
#include <string_view>

#include "core/messages.h"
#include "frontend/check_findings.h"
#include "frontend/interpreter_lines.h"
#include "frontend/number_words.h"

namespace cmd7730 {
namespace {

// Warns about a hand-set value for a variable the program normally computes
// ("Expert").  Global variables are judged by their receive code; channel and
// pair variables by the second code for a receive channel and by the third
// otherwise (also while the pair has no direction yet).
void warn_if_computed(LineContext& cx, const VariableEntry& e, int channel) {
  int shift = 0;
  if (e.scope != Scope::kGlobal) shift = cx.st.ch[channel].xmt == 0 ? 3 : 6;
  if (((e.class_word >> shift) & 7u) != static_cast<unsigned>(kClassExpert)) return;
  Warning(cx.st, "Manually setting a variable that is normally computed", kTagCmdin, 238);
  LogLine(cx.st, strf("Variable %s\n", e.name.c_str()));
}

}  // namespace

void assign(LineContext& cx, const VariableEntry& e, const CommandWords& w) {
  RunState& st = cx.st;
  if (!cx.in.modes_set) {
    Error(st, "Must set mode ab and mode cd before setting other variables\n", kTagCmdin, 211);
  }
  std::string_view value = "0";
  if (w.count < 2) {
    cx.fail(strf("%s Usage: %.*s\n", e.name.c_str(), len(e.description), e.description.data()),
            215);
  } else {
    value = w.word[1];
  }

  // A channel variable set before any `channel` line goes to channel 0, as
  // the warning below tells the user (in the override pass too).
  const bool before_channel = e.scope == Scope::kChannel && !cx.in.channel_declared;
  const int k = (e.scope == Scope::kGlobal || before_channel) ? 0 : cx.in.current_channel;
  const bool check = st.options.check_only && w.count >= 2;
  size_t used = 0;

  if (e.is_wide()) {
    double v = 0.0;
    if (!parse_double_word(value, v, &used)) return cx.bad_number(value);
    if (check) check_number_word(st, e.name, value, used, true);
    warn_if_computed(cx, e, k);
    if (e.double_cell[k] != nullptr) *e.double_cell[k] = v;
  } else {
    int64_t v = 0;
    if (!parse_int_word(value, v, &used)) return cx.bad_number(value);
    if (check) check_number_word(st, e.name, value, used, false);
    if (v < 0 || v >= (int64_t{1} << e.width)) {
      // Stored all the same (the pass fails, so nothing is computed from it).
      cx.fail(strf("%s has only %d bits\nUsage: %.*s\n", e.name.c_str(), e.width,
                   len(e.description), e.description.data()),
              225);
    }
    warn_if_computed(cx, e, k);
    if (e.int_cell[k] != nullptr) *e.int_cell[k] = clamp_to_int32(v);
  }
  if (check) check_assignment(st, cx.in, e, k, w);

  if (before_channel) {
    Warning(st, "Setting a channel variable before channel declaration...putting in channel 0.",
            kTagCmdin, e.is_wide() ? 262 : 248);
    LogLine(st, "To fix, put variable under channel declaration.");
    LogLine(st, strf("Variable %s\n", e.name.c_str()));
  }
}

}  // namespace cmd7730
