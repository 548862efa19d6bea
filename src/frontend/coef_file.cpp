#include "frontend/coef_file.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

#include "core/early_stop.h"
#include "core/line_reader.h"
#include "core/messages.h"
#include "core/run_state.h"
#include "frontend/number_words.h"

namespace cmd7730 {
namespace {

constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();

// White space as the C library's isspace sees it in the "C" locale the
// program runs in, without a call per character.
bool is_space(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Magnitudes beyond this, just above the 32-bit range, are held here while a
// coefficient is read.
constexpr int64_t kCoefCap = kInt32Max + 1;

enum class Coef { kNone, kValue, kTooLarge };

// Reads the line at the reader's position, all of it: the optionally signed
// decimal integer it starts with after optional white space, and the rest up
// to its line feed.  Returns kNone when the line starts with anything else,
// kTooLarge (with the value clamped to 32 bits) when the number does not fit
// in 32 bits.  The line is read a character at a time where the number is
// and skipped in one search after it, since a coefficient line is mostly
// just its number.  (A literal "^M", which ends a command line, needs no
// test: the number ends at its '^' anyway.)
Coef read_coef_line(LineReader& r, int32_t& value) {
  int c = r.peek();
  while (c != '\n' && is_space(c)) c = r.next();
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = r.next();
  }
  Coef result = Coef::kNone;
  if (is_digit(c)) {
    int64_t magnitude = 0;
    for (; is_digit(c); c = r.next()) magnitude = add_digit(magnitude, c - '0', 10, kCoefCap);
    int64_t v = negative ? -magnitude : magnitude;
    result = Coef::kValue;
    if (v > kInt32Max || v < kInt32Min) {
      v = v > 0 ? kInt32Max : kInt32Min;
      result = Coef::kTooLarge;
    }
    value = static_cast<int32_t>(v);
  }
  r.skip_line();
  return result;
}

// True when one more integer follows in `f`: white space (line ends too) is
// skipped, then an optional sign must be followed by a digit.
bool another_integer_follows(LineReader& f) {
  int c = f.get();
  while (c != EOF && is_space(c)) c = f.get();
  if (c == '+' || c == '-') c = f.get();
  return is_digit(c);
}

int32_t saturate(int64_t v) { return static_cast<int32_t>(v > kInt32Max ? kInt32Max : v); }

int64_t magnitude(int64_t v) { return v < 0 ? -v : v; }

}  // namespace

void summarize_coefs(ChannelSettings& c, int count) {
  // Symmetry: 1 odd length, 2 even length (also for no coefficients), 0
  // when any mirrored pair differs.
  c.coefsym = count % 2 == 1 ? 1 : 2;
  for (int i = 0; i < count / 2; ++i) {
    if (c.coefs[i] != c.coefs[count - 1 - i]) c.coefsym = 0;
  }

  // The largest coefficient by magnitude, with its sign; ties keep the
  // earlier one, and coefficient 0 counts by its magnitude only.
  int64_t max = magnitude(c.coefs[0]);
  // The sum is the chip tool's 32-bit sum: it wraps, as two's complement
  // does (unsigned here, where wrapping is defined).
  uint32_t sum = 0;
  for (int i = 0; i < count; ++i) {
    const int64_t v = c.coefs[i];
    if (magnitude(v) > magnitude(max)) max = v;
    sum += static_cast<uint32_t>(c.coefs[i]);
  }
  // |INT32_MIN| has no 32-bit magnitude: it saturates.
  c.maxtap = max < 0 ? static_cast<int32_t>(max) : saturate(max);
  c.sumtap = saturate(magnitude(static_cast<int32_t>(sum)));
}

void read_coef_file(RunState& st, int channel, const std::string& name) {
  std::FILE* f = open_for_reading(name);
  if (f == nullptr) {
    const std::string text = strf("Couldn't open coefficient file: %s\n", name.c_str());
    ConsoleLine(st, text);
    WriteOutput(st, kAnalysis, text);
    st.interp.failure = 1;
    throw EarlyStop{1};
  }

  ChannelSettings& c = st.ch[channel];
  c.coefs.fill(0);
  int count = 0;
  LineReader reader(f);
  int line_number = 0;
  while (count < kMaxCoefs && reader.peek() != EOF) {
    ++line_number;
    int32_t value = 0;
    const Coef got = read_coef_line(reader, value);
    if (got == Coef::kNone) continue;
    if (got == Coef::kTooLarge) {
      ConsoleLine(st, strf("Coefficient on line %d does not fit in 32 bits in file: %s\n",
                           line_number, name.c_str()));
      st.interp.failure = 1;
    }
    c.coefs[count++] = value;
  }
  if (count == kMaxCoefs && another_integer_follows(reader)) {
    ConsoleLine(st, strf("Too many coefficients in file: %s\n", name.c_str()));
    st.interp.failure = 1;
  }
  std::fclose(f);

  c.ncoefs = count;
  summarize_coefs(c, count);
  c.coef_loaded = true;
}

}  // namespace cmd7730
