// Reading the register files line by line: the lines of a text without their
// line ends, a left-to-right scan of one line for the words and numbers the
// writers put there, and the refusal a reader throws at the first line it
// cannot take.  Nothing is copied: lines and words are views of the text.
#pragma once

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace cmd7730 {

// Why a file is refused: the line (from 1) and what is wrong there.  Thrown
// by the readers and caught by decode_text; it never leaves the decoder.
struct Refusal {
  int line;
  std::string what;
};

// The lines of a text.  A carriage return before the line feed belongs to
// the line end, so a file that went through a CRLF editor reads the same.
class Lines {
 public:
  explicit Lines(std::string_view text) : rest_(text) {}

  // Takes the next line, without its end, into `line`; returns false when
  // the text is used up.
  bool next(std::string_view& line) {
    if (rest_.empty()) return false;
    const void* feed = std::memchr(rest_.data(), '\n', rest_.size());
    const size_t n = feed == nullptr
                         ? rest_.size()
                         : static_cast<size_t>(static_cast<const char*>(feed) - rest_.data());
    line = rest_.substr(0, n);
    rest_.remove_prefix(feed == nullptr ? n : n + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (number_ < INT_MAX) ++number_;  // stops rather than overflows past 2^31 - 1 lines
    return true;
  }

  // Returns the number of the line last taken (0 before the first).
  int number() const { return number_; }

 private:
  std::string_view rest_;
  int number_ = 0;
};

// Returns the number of blanks and tabs `s` starts with.  (A loop of its
// own: find_first_not_of looks each character up in the set with a call.)
inline size_t leading_blanks(std::string_view s) {
  size_t n = 0;
  while (n < s.size() && (s[n] == ' ' || s[n] == '\t')) ++n;
  return n;
}

// Returns true when `line` holds nothing but blanks and tabs.
inline bool is_blank_line(std::string_view line) { return leading_blanks(line) == line.size(); }

// One line read from left to right.  Numbers are unsigned and at most 32
// bits: a longer one refuses the file, since no field, page or address of
// the chip is that wide.
class Scan {
 public:
  Scan(std::string_view line, int number) : rest_(line), number_(number) {}

  // Skips blanks and tabs; returns true when there was at least one.
  bool blanks() {
    const size_t n = leading_blanks(rest_);
    rest_.remove_prefix(n);
    return n > 0;
  }

  // Takes `word` when the line goes on with it; returns whether it did.
  bool take(std::string_view word) {
    if (!rest_.starts_with(word)) return false;
    rest_.remove_prefix(word.size());
    return true;
  }

  // Returns true when nothing but blanks is left.
  bool at_end() const { return is_blank_line(rest_); }

  // Takes hexadecimal digits (either case, no prefix) into `v`; returns
  // false when there are none.
  bool hex(uint32_t& v) { return digits(16, v); }

  // Takes a number as the simulation script writes it, "0x" and hexadecimal
  // digits or decimal digits, into `v`; returns false when there is none.
  bool c_number(uint32_t& v) {
    if (rest_.starts_with("0x") || rest_.starts_with("0X")) {
      rest_.remove_prefix(2);
      return digits(16, v);
    }
    return digits(10, v);
  }

  // Takes decimal digits into `v`; returns false when there are none.
  bool dec(uint32_t& v) { return digits(10, v); }

 private:
  static int digit_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 99;
  }

  bool digits(uint32_t base, uint32_t& v) {
    size_t n = 0;
    uint64_t value = 0;
    for (int d; n < rest_.size() && (d = digit_value(rest_[n])) < static_cast<int>(base); ++n) {
      value = value * base + static_cast<uint64_t>(d);
      if (value > UINT32_MAX) {
        throw Refusal{number_, "a number wider than 32 bits"};
      }
    }
    if (n == 0) return false;
    rest_.remove_prefix(n);
    v = static_cast<uint32_t>(value);
    return true;
  }

  std::string_view rest_;
  int number_;
};

}  // namespace cmd7730
