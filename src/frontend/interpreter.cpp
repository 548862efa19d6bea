#include "frontend/interpreter.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "catalogue/defaults.h"
#include "core/early_stop.h"
#include "core/line_reader.h"
#include "core/messages.h"
#include "core/open_output.h"
#include "core/run_state.h"
#include "core/variables.h"
#include "frontend/coef_file.h"
#include "frontend/command_words.h"

namespace cmd7730 {
namespace {

// Class names as `help` prints them, by class code.  The read-only status
// fields carry code 0; 6 and 7 never occur.
constexpr const char* kClassNames[8] = {"None",   "NotUsed",   "Default", "Compute",
                                        "Expert", "Mandatory", "None",    "None"};

// `print` option letters (either case) and the output each selects.
struct PrintOption {
  char letter;
  OutputKind kind;
};
constexpr PrintOption kPrintOptions[] = {
    {'a', kAnalysis}, {'z', kZq220}, {'s', kSim}, {'t', kTable}, {'d', kDebug}, {'h', kHeader},
};

// Magnitudes beyond this are held here while a number word is read, so a
// long digit string cannot overflow; anything this large is out of range for
// every variable and channel number.
constexpr int64_t kNumberCap = int64_t{1} << 40;

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads an integer word: hexadecimal after a leading "0x" (lower-case x),
// otherwise decimal with an optional sign.  The number ends at the first
// character that is not a digit, so "0X1f" reads as 0 and "12ab" as 12.
// Returns false when the word does not start with a number.
bool parse_int_word(std::string_view w, int64_t& value) {
  int base = 10;
  bool negative = false;
  size_t i = 0;
  if (w.starts_with("0x")) {
    base = 16;
    i = 2;
  } else if (!w.empty() && (w[0] == '+' || w[0] == '-')) {
    negative = w[0] == '-';
    i = 1;
  }
  int64_t magnitude = 0;
  size_t digits = 0;
  for (; i < w.size(); ++i, ++digits) {
    const int d = hex_digit(w[i]);
    if (d < 0 || d >= base) break;
    if (magnitude <= kNumberCap) magnitude = magnitude * base + d;
  }
  if (digits == 0) return false;
  value = negative ? -magnitude : magnitude;
  return true;
}

int32_t clamp_to_int32(int64_t v) {
  constexpr int64_t lo = std::numeric_limits<int32_t>::min();
  constexpr int64_t hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v < lo ? lo : (v > hi ? hi : v));
}

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// "%.*s" arguments for a view, which need not end in NUL.
int len(std::string_view s) { return static_cast<int>(s.size()); }

class Interpreter {
 public:
  explicit Interpreter(RunState& st) : st_(st), in_(st.interp) {}

  int run() {
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
    LineReader reader(in_.command_file);
    std::string_view line;
    LineEnd end;
    while (reader.read(line, end)) {
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
    std::FILE* f = open_for_reading(kTemporaryCommandFile);
    if (f == nullptr) return false;
    if (in_.command_file != nullptr) std::fclose(in_.command_file);
    in_.command_file = f;
    in_.modes_set = false;
    in_.failure = 0;
    for (PairSettings& p : st_.pair) p.mode = kModeUndeclared;
    for (ChannelSettings& c : st_.ch) c.coef_loaded = false;
    in_.current_channel = 0;
    return true;
  }

  // Carries out one line.  Returns true when it is `override`.
  bool carry_out(std::string_view line) {
    const CommandWords w = split_command_words(line);
    if (w.count == 0) return false;
    const std::string_view first = w.word[0];
    if (const VariableEntry* e = st_.catalogue.lookup_variable(first)) {
      assign(*e, w);
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
          select_channel(w);
        } else if (first == "copy_channel") {
          copy_channel(w);
        } else {
          unrecognized = true;
        }
        break;
      case 'f':
        if (first == "fir_coef") {
          fir_coef(w);
        } else {
          unrecognized = true;
        }
        break;
      case 'h':
        if (first == "help") {
          help(w);
        } else {
          unrecognized = true;
        }
        break;
      case 'm':
        unrecognized = first != "mode" || !mode(w);
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
          print(w);
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

  void fail(std::string_view text, int tag_line) {
    Error(st_, text, kTagCmdin, tag_line);
    in_.failure = 1;
  }

  void missing_word(std::string_view keyword, const char* what) {
    fail(strf("%.*s on line %d needs %s", len(keyword), keyword.data(), in_.line_number, what),
         368);
  }

  void bad_number(std::string_view word) {
    fail(strf("Bad number on line %d: %.*s", in_.line_number, len(word), word.data()), 220);
  }

  // Reads a wide variable's value: the decimal floating-point number the
  // word starts with ([sign] digits [. digits] [e [sign] digits]); the rest
  // of the word is ignored, so "0xA" is 0.  Hexadecimal, "inf" and "nan"
  // are not decimal numbers; a value too large for a double is refused too,
  // since every use of it downstream would be meaningless.
  bool parse_double_word(std::string_view w, double& value) {
    const size_t length = decimal_prefix(w);
    if (length == 0) return false;
    number_.assign(w.substr(0, length));
    const double v = std::strtod(number_.c_str(), nullptr);
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
  }

  // The length of the decimal floating-point number at the start of `w`, 0
  // when there is none.
  static size_t decimal_prefix(std::string_view w) {
    auto digits = [&](size_t i) {
      while (i < w.size() && w[i] >= '0' && w[i] <= '9') ++i;
      return i;
    };
    size_t i = 0;
    if (i < w.size() && (w[i] == '+' || w[i] == '-')) ++i;
    const size_t int_start = i;
    i = digits(i);
    size_t mantissa = i - int_start;
    if (i < w.size() && w[i] == '.') {
      const size_t frac = digits(i + 1);
      mantissa += frac - (i + 1);
      i = frac;
    }
    if (mantissa == 0) return 0;
    if (i < w.size() && (w[i] == 'e' || w[i] == 'E')) {
      size_t j = i + 1;
      if (j < w.size() && (w[j] == '+' || w[j] == '-')) ++j;
      const size_t exp_end = digits(j);
      if (exp_end > j) i = exp_end;
    }
    return i;
  }

  // Reads the channel number of `channel` / `copy_channel`; reports a missing
  // word, a bad number or a number outside 0..3 and fails the line.
  bool channel_number(const CommandWords& w, int& channel) {
    if (w.count < 2) {
      missing_word(w.word[0], "a channel number 0..3");
      return false;
    }
    int64_t v = 0;
    if (!parse_int_word(w.word[1], v)) {
      bad_number(w.word[1]);
      return false;
    }
    if (v < 0 || v > 3) {
      ConsoleLine(st_,
                  strf("%.*s must be between %d and %d\n", len(w.word[0]), w.word[0].data(), 0, 3));
      in_.failure = 1;
      return false;
    }
    channel = static_cast<int>(v);
    return true;
  }

  // Warns about a hand-set value for a variable the program normally
  // computes ("Expert").  Global variables are judged by their receive code;
  // channel and pair variables by the second code for a receive channel and
  // by the third otherwise (also while the pair has no direction yet).
  void warn_if_computed(const VariableEntry& e, int channel) {
    int shift = 0;
    if (e.scope != Scope::kGlobal) shift = st_.ch[channel].xmt == 0 ? 3 : 6;
    if (((e.class_word >> shift) & 7u) != static_cast<unsigned>(kClassExpert)) return;
    Warning(st_, "Manually setting a variable that is normally computed", kTagCmdin, 238);
    LogLine(st_, strf("Variable %s\n", e.name.c_str()));
  }

  void assign(const VariableEntry& e, const CommandWords& w) {
    if (!in_.modes_set) {
      Error(st_, "Must set mode ab and mode cd before setting other variables\n", kTagCmdin, 211);
    }
    std::string_view value = "0";
    if (w.count < 2) {
      fail(strf("%s Usage: %.*s\n", e.name.c_str(), len(e.description), e.description.data()), 215);
    } else {
      value = w.word[1];
    }

    // A channel variable set before any `channel` line goes to channel 0, as
    // the warning below tells the user (in the override pass too).
    const bool before_channel = e.scope == Scope::kChannel && !in_.channel_declared;
    const int k = (e.scope == Scope::kGlobal || before_channel) ? 0 : in_.current_channel;

    if (e.is_wide()) {
      double v = 0.0;
      if (!parse_double_word(value, v)) return bad_number(value);
      warn_if_computed(e, k);
      if (e.double_cell[k] != nullptr) *e.double_cell[k] = v;
    } else {
      int64_t v = 0;
      if (!parse_int_word(value, v)) return bad_number(value);
      if (v < 0 || v >= (int64_t{1} << e.width)) {
        // Stored all the same (the pass fails, so nothing is computed from it).
        fail(strf("%s has only %d bits\nUsage: %.*s\n", e.name.c_str(), e.width, len(e.description),
                  e.description.data()),
             225);
      }
      warn_if_computed(e, k);
      if (e.int_cell[k] != nullptr) *e.int_cell[k] = clamp_to_int32(v);
    }

    if (before_channel) {
      Warning(st_, "Setting a channel variable before channel declaration...putting in channel 0.",
              kTagCmdin, e.is_wide() ? 262 : 248);
      LogLine(st_, "To fix, put variable under channel declaration.");
      LogLine(st_, strf("Variable %s\n", e.name.c_str()));
    }
  }

  void select_channel(const CommandWords& w) {
    in_.channel_declared = true;
    int channel = 0;
    if (channel_number(w, channel)) in_.current_channel = channel;
  }

  // Copies every channel and pair variable and the coefficient list of
  // channel n into the current channel.  The loaded mark stays behind, so
  // the filter report skips a channel that only got copied coefficients.
  void copy_channel(const CommandWords& w) {
    int n = 0;
    if (!channel_number(w, n)) return;
    const int cur = in_.current_channel;
    if (st_.pair[n / 2].mode != st_.pair[cur / 2].mode) {
      Error(st_, "Cant copy transmit <-> receive channels", kTagCmdin, 23);
    }
    for (const VariableEntry* e : st_.catalogue.registration_list()) {
      if (e->scope == Scope::kGlobal) continue;
      if (e->double_cell[n] != nullptr && e->double_cell[cur] != nullptr) {
        *e->double_cell[cur] = *e->double_cell[n];
      }
      if (e->int_cell[n] != nullptr && e->int_cell[cur] != nullptr) {
        *e->int_cell[cur] = *e->int_cell[n];
      }
    }
    st_.ch[cur].coefs = st_.ch[n].coefs;
  }

  void fir_coef(const CommandWords& w) {
    if (w.count < 2) return missing_word("fir_coef", "a coefficient file name");
    read_coef_file(st_, in_.current_channel, std::string(w.word[1]));
  }

  void help(const CommandWords& w) {
    if (w.count < 2) return missing_word("help", "a variable name prefix");
    const std::string_view prefix = w.word[1];
    st_.catalogue.for_each_variable([&](const VariableEntry& e) {
      if (e.name.starts_with(prefix)) {
        LogLine(st_,
                strf("\n%s  %s-variable with %d bits.  In receive %s.  In transmit %s.\n%.*s\n",
                     e.name.c_str(), e.is_pseudo() ? "Pseudo" : "Real", e.width,
                     kClassNames[e.class_word & 7u], kClassNames[(e.class_word >> 3) & 7u],
                     len(e.description), e.description.data()));
      }
      return 0;
    });
  }

  // Declares a pair's direction.  Returns false when the pair or direction
  // word is not recognised.
  bool mode(const CommandWords& w) {
    if (w.count < 2) {
      missing_word("mode", "a pair (ab or cd) and a direction (r or t)");
      return true;
    }
    const char pair_letter = w.word[1][0];
    if (pair_letter != 'a' && pair_letter != 'c') return false;
    const int pair = pair_letter == 'a' ? 0 : 1;
    if (w.count < 3) {
      missing_word("mode", "a direction (r or t) after the pair");
      return true;
    }
    bool recognized = true;
    const char direction = w.word[2][0];
    int& state = st_.pair[pair].mode;
    if (direction == 'r') {
      if (state == kModeUndeclared || state == kModeReceive) {
        set_direction(pair, kModeReceive);
      } else {
        Error(st_, "mode may not be changed ", kTagCmdin, 313);
      }
    } else if (direction == 't') {
      if (state == kModeUndeclared || state == kModeTransmit) {
        set_direction(pair, kModeTransmit);
      } else {
        Error(st_, "mode may not be changed ", kTagCmdin, 317);
      }
    } else {
      recognized = false;
    }
    // Every mode line once both pairs are declared applies the defaults
    // again, over values assigned since the last one.
    if (st_.pair[0].mode != kModeUndeclared && st_.pair[1].mode != kModeUndeclared) {
      set_defaults(st_);
      in_.modes_set = true;
    }
    return recognized;
  }

  void set_direction(int pair, int mode) {
    st_.pair[pair].mode = mode;
    const int xmt = mode == kModeTransmit ? 1 : 0;
    st_.ch[2 * pair].xmt = xmt;
    st_.ch[2 * pair + 1].xmt = xmt;
  }

  void print(const CommandWords& w) {
    if (w.count < 2) {
      return missing_word("print", "an output: analysis, debug, zq220, sim, table or hfile");
    }
    const std::string_view option = w.word[1];
    const char letter = ascii_lower(option[0]);
    for (const PrintOption& o : kPrintOptions) {
      if (o.letter == letter) {
        open_output_file(st_, o.kind);
        st_.chip.print_flags |= output_bit(o.kind);
        return;
      }
    }
    fail(strf("Unrecognized print command %.*s\n", len(option), option.data()), 354);
    fail("Options are: analysis, debug, zq220, sim, table and hfile", 355);
  }

  RunState& st_;
  InterpreterState& in_;
  std::string number_;  // a number word being converted, reused
};

}  // namespace

int interpret_pass(RunState& st) { return Interpreter(st).run(); }

}  // namespace cmd7730
