// The parts of the command interpreter (interpreter.cpp) that carry out one
// kind of line each: assignments to catalogue variables (assignment.cpp), the
// commands (commands.cpp) and the `help` listing (help_listing.cpp).  Each
// gets the line's words and the context below; a line that fails reports
// why and fails the whole pass, but the pass goes on with the next line.
#pragma once

#include <string_view>

#include "core/run_state.h"
#include "core/variables.h"
#include "frontend/command_words.h"

namespace cmd7730 {

struct LineContext {
  RunState& st;
  InterpreterState& in;

  // Reports `text` as an error of the command interpreter and fails the pass.
  void fail(std::string_view text, int tag_line);
  // "KEYWORD on line N needs WHAT".
  void missing_word(std::string_view keyword, const char* what);
  // "Bad number on line N: WORD".
  void bad_number(std::string_view word);
};

// "%.*s" arguments for a view, which need not end in NUL.
inline int len(std::string_view s) { return static_cast<int>(s.size()); }

// `NAME VALUE`: sets variable `e` from the second word.
void assign(LineContext& cx, const VariableEntry& e, const CommandWords& w);

// `channel N`, `copy_channel N`, `fir_coef FILE`, `print OUTPUT`.
void select_channel(LineContext& cx, const CommandWords& w);
void copy_channel(LineContext& cx, const CommandWords& w);
void fir_coef(LineContext& cx, const CommandWords& w);
void print(LineContext& cx, const CommandWords& w);
// `mode ab|cd r|t`.  Returns false when the pair or direction word is not
// recognised.
bool mode(LineContext& cx, const CommandWords& w);

// `help PREFIX`.
void help(LineContext& cx, const CommandWords& w);

}  // namespace cmd7730
