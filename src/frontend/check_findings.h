// What `--check` reports besides Errors and Warnings: input the language
// accepts without a word that is almost always a mistake.  Each finding is a
// Warning about the line it concerns, counted in `st.check.warnings` so the
// run can end with status 1.  Nothing here runs without `--check`.
#pragma once

#include <cstddef>
#include <string_view>

#include "core/run_state.h"
#include "frontend/command_words.h"

namespace cmd7730 {

// Reports `text` as a check finding about the current line (if any).
void check_warning(RunState& st, std::string_view text);

// Judges a number word of which the number took the first `used`
// characters: other characters after it ("80MHz", "1O"), or the "0X" prefix
// that reads as 0.  `decimal`: the word was read as a decimal number for
// `name`.
void check_number_word(RunState& st, std::string_view name, std::string_view word, size_t used,
                       bool decimal);

// Judges an assignment of `e` stored for channel `k` by the line `w`: a
// second number after the value, a variable not used in the channel's mode,
// a variable already set for the channel in this pass.  Records it for
// report_powered_down_settings.
void check_assignment(RunState& st, const InterpreterState& in, const VariableEntry& e, int k,
                      const CommandWords& w);

// After the computation (which decides the power-downs): reports each
// recorded channel setting whose channel is powered down, then forgets them.
void report_powered_down_settings(RunState& st);

// At the end of a run whose file was interpreted: reports a file with no
// `print` line.
void report_missing_print(RunState& st);

}  // namespace cmd7730
