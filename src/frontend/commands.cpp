// The commands of the control file: `channel` and `copy_channel` (which
// channel the following lines set), `fir_coef` (a channel's coefficient
// file), `mode` (a pair's direction, which decides every default) and
// `print` (which outputs to write).
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/defaults.h"
#include "core/messages.h"
#include "core/open_output.h"
#include "frontend/check_findings.h"
#include "frontend/coef_file.h"
#include "frontend/interpreter_lines.h"
#include "frontend/number_words.h"

namespace cmd7730 {
namespace {

// Reads the channel number of `channel` / `copy_channel`; reports a missing
// word, a bad number or a number outside 0..3 and fails the line.
bool channel_number(LineContext& cx, const CommandWords& w, int& channel) {
  if (w.count < 2) {
    cx.missing_word(w.word[0], "a channel number 0..3");
    return false;
  }
  int64_t v = 0;
  size_t used = 0;
  if (!parse_int_word(w.word[1], v, &used)) {
    cx.bad_number(w.word[1]);
    return false;
  }
  if (cx.st.options.check_only) check_number_word(cx.st, w.word[0], w.word[1], used, false);
  if (v < 0 || v > 3) {
    ConsoleLine(cx.st,
                strf("%.*s must be between %d and %d\n", len(w.word[0]), w.word[0].data(), 0, 3));
    cx.in.failure = 1;
    return false;
  }
  channel = static_cast<int>(v);
  return true;
}

void set_direction(RunState& st, int pair, int mode) {
  st.pair[pair].mode = mode;
  const int xmt = mode == kModeTransmit ? 1 : 0;
  st.ch[2 * pair].xmt = xmt;
  st.ch[2 * pair + 1].xmt = xmt;
}

// The words of the listed outputs, "analysis, debug, ... LAST hfile".
std::string output_words(const char* last) {
  std::string s;
  for (int i = 0; i < kListedOutputKinds; ++i) {
    if (!s.empty()) s.append(i == kListedOutputKinds - 1 ? last : ", ");
    s.append(kOutputKindTable[i].word);
  }
  return s;
}

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

void select_channel(LineContext& cx, const CommandWords& w) {
  cx.in.channel_declared = true;
  int channel = 0;
  if (channel_number(cx, w, channel)) cx.in.current_channel = channel;
}

// Copies every channel and pair variable and the coefficient list of channel
// n into the current channel.  The loaded mark stays behind, so the filter
// report skips a channel that only got copied coefficients.
void copy_channel(LineContext& cx, const CommandWords& w) {
  int n = 0;
  if (!channel_number(cx, w, n)) return;
  RunState& st = cx.st;
  const int cur = cx.in.current_channel;
  if (st.pair[n / 2].mode != st.pair[cur / 2].mode) {
    Error(st, "Cant copy transmit <-> receive channels", kTagCmdin, 23);
  }
  for (const VariableEntry* e : st.catalogue.registration_list()) {
    if (e->scope == Scope::kGlobal) continue;
    if (e->double_cell[n] != nullptr && e->double_cell[cur] != nullptr) {
      *e->double_cell[cur] = *e->double_cell[n];
    }
    if (e->int_cell[n] != nullptr && e->int_cell[cur] != nullptr) {
      *e->int_cell[cur] = *e->int_cell[n];
    }
  }
  st.ch[cur].coefs = st.ch[n].coefs;
}

void fir_coef(LineContext& cx, const CommandWords& w) {
  if (w.count < 2) return cx.missing_word("fir_coef", "a coefficient file name");
  read_coef_file(cx.st, cx.in.current_channel, std::string(w.word[1]));
}

bool mode(LineContext& cx, const CommandWords& w) {
  if (w.count < 2) {
    cx.missing_word("mode", "a pair (ab or cd) and a direction (r or t)");
    return true;
  }
  const char pair_letter = w.word[1][0];
  if (pair_letter != 'a' && pair_letter != 'c') return false;
  const int pair = pair_letter == 'a' ? 0 : 1;
  if (w.count < 3) {
    cx.missing_word("mode", "a direction (r or t) after the pair");
    return true;
  }
  RunState& st = cx.st;
  bool recognized = true;
  const char direction = w.word[2][0];
  const int state = st.pair[pair].mode;
  if (direction == 'r') {
    if (state == kModeUndeclared || state == kModeReceive) {
      set_direction(st, pair, kModeReceive);
    } else {
      Error(st, "mode may not be changed ", kTagCmdin, 313);
    }
  } else if (direction == 't') {
    if (state == kModeUndeclared || state == kModeTransmit) {
      set_direction(st, pair, kModeTransmit);
    } else {
      Error(st, "mode may not be changed ", kTagCmdin, 317);
    }
  } else {
    recognized = false;
  }
  // Every mode line once both pairs are declared applies the defaults
  // again, over values assigned since the last one.
  if (st.pair[0].mode != kModeUndeclared && st.pair[1].mode != kModeUndeclared) {
    set_defaults(st);
    cx.in.modes_set = true;
  }
  return recognized;
}

// The output is chosen by the first letter of its word, in either case.
void print(LineContext& cx, const CommandWords& w) {
  if (w.count < 2) {
    return cx.missing_word("print", ("an output: " + output_words(" or ")).c_str());
  }
  const std::string_view option = w.word[1];
  const char letter = ascii_lower(option[0]);
  for (const OutputKindInfo& o : kOutputKindTable) {
    if (o.word[0] == letter) {
      open_output_file(cx.st, o.kind);
      cx.st.chip.print_flags |= output_bit(o.kind);
      return;
    }
  }
  cx.fail(strf("Unrecognized print command %.*s\n", len(option), option.data()), 354);
  cx.fail("Options are: " + output_words(" and "), 355);
}

}  // namespace cmd7730
