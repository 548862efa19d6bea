#include "frontend/number_words.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace cmd7730 {
namespace {

// Magnitudes beyond this are held here while an integer word is read.
constexpr int64_t kNumberCap = int64_t{1} << 40;

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The length of the decimal floating-point number at the start of `w`, 0
// when there is none.
size_t decimal_prefix(std::string_view w) {
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

}  // namespace

bool parse_int_word(std::string_view w, int64_t& value, size_t* used) {
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
    magnitude = add_digit(magnitude, d, base, kNumberCap);
  }
  if (digits == 0) return false;
  value = negative ? -magnitude : magnitude;
  if (used != nullptr) *used = i;
  return true;
}

bool parse_double_word(std::string_view w, double& value, size_t* used) {
  const size_t length = decimal_prefix(w);
  if (length == 0) return false;
  // strtod needs the number on its own, ended by a NUL.
  const std::string number(w.substr(0, length));
  const double v = std::strtod(number.c_str(), nullptr);
  if (!std::isfinite(v)) return false;
  value = v;
  if (used != nullptr) *used = length;
  return true;
}

int32_t clamp_to_int32(int64_t v) {
  constexpr int64_t lo = std::numeric_limits<int32_t>::min();
  constexpr int64_t hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v < lo ? lo : (v > hi ? hi : v));
}

}  // namespace cmd7730
