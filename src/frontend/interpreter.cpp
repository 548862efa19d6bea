// The command interpreter's passes: reading the temporary command file line
// by line and handing each line to the part that carries it out (see
// interpreter_lines.h).
#include "frontend/interpreter.h"

#include <cstdio>
#include <string_view>

#include "core/early_stop.h"
#include "core/line_reader.h"
#include "core/messages.h"
#include "core/open_output.h"
#include "core/run_state.h"
#include "frontend/command_words.h"
#include "frontend/interpreter_lines.h"

namespace cmd7730 {

void LineContext::fail(std::string_view text, int tag_line) {
  Error(st, text, kTagCmdin, tag_line);
  in.failure = 1;
}

void LineContext::missing_word(std::string_view keyword, const char* what) {
  fail(strf("%.*s on line %d needs %s", len(keyword), keyword.data(), in.line_number, what), 368);
}

void LineContext::bad_number(std::string_view word) {
  fail(strf("Bad number on line %d: %.*s", in.line_number, len(word), word.data()), 220);
}

namespace {

class Interpreter {
 public:
  explicit Interpreter(RunState& st) : st_(st), in_(st.interp), cx_{st, st.interp} {}

  int run() {
    // Messages after the pass are about no line of the control file.
    struct ClearLocation {
      RunState& st;
      ~ClearLocation() { st.where = SourceLocation{}; }
    } clear_location{st_};
    in_.channel_declared = false;
    if (!in_.override_mark) {
      if (!start_first_pass()) {
        Error(st_, "temporary command file was not generated", kTagCmdin, 190);
        throw EarlyStop{1};
      }
    } else if (in_.command_file == nullptr) {
      return in_.failure;
    }
    in_.line_number = 1;
    const bool locate = st_.options.wants_locations();
    if (st_.options.check_only) {
      st_.check.pass_ran = true;
      st_.check.last_set.clear();
    }
    LineReader reader(in_.command_file);
    std::string_view line;
    LineEnd end;
    while (reader.read(line, end)) {
      if (locate) st_.where = st_.source_map.at(in_.temp_line);
      ++in_.temp_line;
      // `override` ends the pass with the file left open just after its
      // line, where the override pass picks up.
      if (carry_out(line)) {
        reader.give_back();
        return in_.failure;
      }
      ++in_.line_number;
    }
    std::fclose(in_.command_file);
    in_.command_file = nullptr;
    return in_.failure;
  }

 private:
  bool start_first_pass() {
    std::FILE* f = open_for_reading(st_.options.command_file);
    if (f == nullptr) return false;
    if (in_.command_file != nullptr) std::fclose(in_.command_file);
    in_.command_file = f;
    in_.modes_set = false;
    in_.failure = 0;
    for (PairSettings& p : st_.pair) p.mode = kModeUndeclared;
    for (ChannelSettings& c : st_.ch) c.coef_loaded = false;
    in_.current_channel = 0;
    in_.temp_line = 0;
    return true;
  }

  // Carries out one line.  Returns true when it is `override`.
  bool carry_out(std::string_view line) {
    const CommandWords w = split_command_words(line);
    if (w.count == 0) return false;
    const std::string_view first = w.word[0];
    if (const VariableEntry* e = st_.catalogue.lookup_variable(first)) {
      assign(cx_, *e, w);
      return false;
    }
    bool unrecognized = false;
    switch (first[0]) {
      case '#':
      case '/':
      case ';':
        break;
      case 'c':
        if (first == "channel") {
          select_channel(cx_, w);
        } else if (first == "copy_channel") {
          copy_channel(cx_, w);
        } else {
          unrecognized = true;
        }
        break;
      case 'f':
        if (first == "fir_coef") {
          fir_coef(cx_, w);
        } else {
          unrecognized = true;
        }
        break;
      case 'h':
        if (first == "help") {
          help(cx_, w);
        } else {
          unrecognized = true;
        }
        break;
      case 'm':
        unrecognized = first != "mode" || !mode(cx_, w);
        break;
      case 'o':
        if (first == "override") {
          in_.override_mark = true;
          return true;
        }
        unrecognized = true;
        break;
      case 'p':
        if (first == "print") {
          print(cx_, w);
        } else {
          unrecognized = true;
        }
        break;
      default:
        unrecognized = true;
        break;
    }
    if (unrecognized) {
      // The text quoted is the line up to the end of its first word.
      const std::string_view head = line.substr(0, w.first_end);
      Error(
          st_,
          strf("Unrecognized command on line %d: %.*s\n", in_.line_number, len(head), head.data()),
          kTagCmdin, 368);
      in_.failure = 1;
    }
    return false;
  }

  RunState& st_;
  InterpreterState& in_;
  LineContext cx_;
};

}  // namespace

int interpret_pass(RunState& st) { return Interpreter(st).run(); }

}  // namespace cmd7730
