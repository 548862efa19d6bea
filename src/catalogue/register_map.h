// The chip's register map: one row per chip variable, in registration order.
//
// Each row names the variable, where its bits sit in the register space, its
// default, its three class codes (receive / transmit / third), its help text
// and the settings field that stores it.  The catalogue is built from this
// table and nothing else.
#pragma once

#include <cstddef>
#include <span>

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

}  // namespace cmd7730
