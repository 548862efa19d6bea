#include "frontend/check_findings.h"

#include <string>

#include "core/messages.h"
#include "frontend/interpreter_lines.h"
#include "frontend/number_words.h"

namespace cmd7730 {
namespace {

const char* mode_word(int xmt) { return xmt == 1 ? "transmit" : "receive"; }

// "FILE:LINE" of a recorded location.
std::string location_text(const RunState& st, SourceLocation at) {
  std::string place = st.source_map.place(at);
  return place.empty() ? "an earlier line" : place;
}

void check_not_used(RunState& st, const VariableEntry& e, int k) {
  const char* name = e.name.c_str();
  if (e.scope != Scope::kGlobal) {
    const int xmt = st.ch[k].xmt;
    if (effective_class(e, xmt) != kClassNotUsed) return;
    check_warning(st, strf("%s is not used by channel %d in %s mode", name, k, mode_word(xmt)));
    return;
  }
  // A chip-wide variable is used when either pair's direction uses it.
  const int ab = st.ch[0].xmt;
  const int cd = st.ch[2].xmt;
  if (effective_class(e, ab) != kClassNotUsed || effective_class(e, cd) != kClassNotUsed) return;
  check_warning(st, ab == cd ? strf("%s is not used in %s mode", name, mode_word(ab))
                             : strf("%s is not used in receive or transmit mode", name));
}

}  // namespace

void check_warning(RunState& st, std::string_view text) {
  Warning(st, text, kTagCmdin, 0);
  ++st.check.warnings;
}

void check_number_word(RunState& st, std::string_view name, std::string_view word, size_t used,
                       bool decimal) {
  if (used >= word.size()) return;
  const std::string_view number = word.substr(0, used);
  if (word.starts_with("0X") || (decimal && word.starts_with("0x"))) {
    check_warning(st, decimal ? strf("\"%.*s\" is read as 0: %.*s takes a decimal number",
                                     len(word), word.data(), len(name), name.data())
                              : strf("\"%.*s\" is read as 0: a hexadecimal number starts with "
                                     "a lower-case 0x",
                                     len(word), word.data()));
    return;
  }
  check_warning(st, strf("\"%.*s\" is read as %.*s: the characters after the number are ignored",
                         len(word), word.data(), len(number), number.data()));
}

void check_assignment(RunState& st, const InterpreterState& in, const VariableEntry& e, int k,
                      const CommandWords& w) {
  CheckState& check = st.check;
  if (w.count >= 3) {
    double ignored = 0.0;
    if (parse_double_word(w.word[2], ignored)) {
      check_warning(st, strf("Second number \"%.*s\" after the value of %s is ignored (a fraction "
                             "is written with a '.')",
                             len(w.word[2]), w.word[2].data(), e.name.c_str()));
    }
  }
  if (in.modes_set) check_not_used(st, e, k);

  int& last = check.last_set[&e][k];
  if (last != 0) {
    const std::string first = location_text(st, check.settings[last - 1].where);
    if (e.scope == Scope::kGlobal) {
      check_warning(
          st, strf("%s is set again: the value set at %s is lost", e.name.c_str(), first.c_str()));
    } else {
      check_warning(st, strf("%s is set again for channel %d: the value set at %s is lost",
                             e.name.c_str(), k, first.c_str()));
    }
  }
  check.settings.push_back(SettingRecord{&e, k, st.where});
  last = static_cast<int>(check.settings.size());
}

void report_powered_down_settings(RunState& st) {
  CheckState& check = st.check;
  for (const SettingRecord& r : check.settings) {
    if (r.entry->scope == Scope::kGlobal || st.ch[r.channel].powerdown <= 0) continue;
    st.where = r.where;
    check_warning(st, strf("%s is set for channel %d, which is powered down", r.entry->name.c_str(),
                           r.channel));
  }
  st.where = SourceLocation{};
  check.settings.clear();
  check.last_set.clear();
}

void report_missing_print(RunState& st) {
  if (!st.check.pass_ran || st.chip.print_flags != 0) return;
  st.where = SourceLocation{};
  check_warning(st, "No print line: the run selects no output");
}

}  // namespace cmd7730
