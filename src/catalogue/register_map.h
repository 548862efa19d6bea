// The chip's register map: one row per chip variable, in registration order.
//
// Each row names the variable, where its bits sit in the register space, its
// default, its three class codes (receive / transmit / third), its help text
// and the settings field that stores it.  The catalogue is built from this
// table and nothing else.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "catalogue/settings.h"

namespace cmd7730 {

enum class Scope { kGlobal = 0, kChannel = 1, kPair = 2 };

inline constexpr int kPseudoPage = 4095;
inline constexpr int kWideWidth = 64;

// Which settings field holds a variable; exactly one member is non-null.
struct FieldRef {
  int ChipSettings::*chip_int = nullptr;
  double ChipSettings::*chip_wide = nullptr;
  int ChannelSettings::*channel_int = nullptr;
  double ChannelSettings::*channel_wide = nullptr;
};

struct RegisterRow {
  const char* name;
  Scope scope;
  int width;  // 1..31, or 64 for a wide (double) variable
  int page;   // 4095: pseudo-variable without a register
  int address;
  int bit;
  int default_value;
  int class_rcv, class_xmt, class_third;
  const char* description;  // as registered, before wrapping
  FieldRef field;

  constexpr unsigned class_word() const {
    return static_cast<unsigned>(class_rcv + 8 * class_xmt + 64 * class_third);
  }
};

// All 250 rows in registration order.
std::span<const RegisterRow> register_map();

// Wraps the `len` characters at `text` for printing, in place, by turning
// blanks and tabs into newlines: the first line holds at most 80 characters
// and every following line at most 79 (counted from the newline); nothing is
// inserted or removed.  Where no blank lies in range, the line breaks at the
// first blank after it, or not at all.  Usable at compile time.
constexpr void wrap_text(char* text, size_t len) {
  const auto is_blank = [](char c) { return c == ' ' || c == '\t'; };
  size_t s = 0;
  size_t r = len;
  while (r > 80) {
    size_t i = 80;
    while (i >= 1 && !is_blank(text[s + i])) --i;
    if (i == 0) {
      i = 81;
      while (s + i < len && !is_blank(text[s + i])) ++i;
      if (s + i >= len) return;
    }
    text[s + i] = '\n';
    r -= i;
    s += i;
  }
}

// The bucket 0..999 of a name in the catalogue's index: h = (h*347 + c) mod
// 1000 over the name's characters as signed values, the remainder keeping
// the sign of the dividend; a negative result has 1000 added.
constexpr int hash_name(std::string_view name) {
  int h = 0;
  for (const char c : name) h = (h * 347 + static_cast<signed char>(c)) % 1000;
  if (h < 0) h += 1000;
  return h;
}

// hash_name of the name of `row`, a row of register_map(), worked out when
// the program is compiled.
int row_hash(const RegisterRow& row);

// The description of `row`, a row of register_map(), wrapped by wrap_text.
// The wrapping is done when the program is compiled, not on every run.
std::string_view wrapped_description(const RegisterRow& row);

}  // namespace cmd7730
