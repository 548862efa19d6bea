// What the run knows about each chip variable and how it finds one: the
// description of a variable (its row in the register map), the catalogue
// entry built from it, and the catalogue's index, a 1000-bucket hash of the
// entries whose walk order is visible to the user (help output, defaults,
// packing), plus the registration list that the table output walks.
// Entries refer to cells in the settings records; they never own values.
// Which variables there are is the register map's business (catalogue/).
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings.h"

namespace cmd7730 {

enum class Scope { kGlobal = 0, kChannel = 1, kPair = 2 };

inline constexpr int kPseudoPage = 4095;
inline constexpr int kWideWidth = 64;

// Which settings field holds a variable; exactly one member is non-null.
// Each points into the variables block of its kind, never at the other
// members of a settings record.
struct FieldRef {
  int ChipVariables::*chip_int = nullptr;
  double ChipWideVariables::*chip_wide = nullptr;
  int ChannelVariables::*channel_int = nullptr;
  double ChannelWideVariables::*channel_wide = nullptr;
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

struct VariableEntry {
  std::string name;
  unsigned class_word = 0;  // rcv bits 0..2, xmt bits 3..5, third bits 6..8
  int width = 0;            // above 32: a wide variable holding a double
  int reg_page = 0;         // 4095: pseudo-variable
  int reg_address = 0;
  int bit_pos = 0;
  int default_value = 0;
  Scope scope = Scope::kGlobal;
  std::string_view description;  // wrapped; the text lives as long as the program
  std::array<int*, 4> int_cell{};
  std::array<double*, 4> double_cell{};
  VariableEntry* bucket_next = nullptr;

  bool is_wide() const { return width > 32; }
  bool is_pseudo() const { return reg_page == kPseudoPage; }
  // True for a channel- or pair-scope variable (four cells).
  bool per_channel() const { return int_cell[1] != nullptr || double_cell[1] != nullptr; }
};

// The class code that applies to `entry` for a channel whose `xmt` is `xmt`:
// receive (0) reads bits 0..2, transmit (1) bits 3..5; a channel whose pair
// has no mode yet (-1) gets 0.
int effective_class(const VariableEntry& entry, int xmt);

// Class codes.  Code 0 marks the read-only status fields.
inline constexpr int kClassNone = 0;
inline constexpr int kClassNotUsed = 1;
inline constexpr int kClassDefault = 2;
inline constexpr int kClassCompute = 3;
inline constexpr int kClassExpert = 4;
inline constexpr int kClassMandatory = 5;

// Replaces blanks/tabs by newlines so that the first line holds at most 80
// characters and every following line at most 79 (counted from the newline).
void wrap_description(std::string& text);

class Catalogue {
 public:
  static constexpr int kBuckets = 1000;
  static constexpr int kCapacity = 1000;

  Catalogue() = default;
  Catalogue(const Catalogue&) = delete;
  Catalogue& operator=(const Catalogue&) = delete;

  // Forgets every entry: the catalogue is empty again.
  void clear();

  // Finds the entry with exactly this name, or creates an empty one at the
  // head of its bucket.  Returns null when the registration list is full.
  VariableEntry* intern_variable(std::string_view name);

  // Returns the entry with exactly this name (case-sensitive), or null.
  VariableEntry* lookup_variable(std::string_view name) const;

  // Calls `fn` for every entry in hash order (bucket 0..999, newest first
  // within a bucket); stops at the first nonzero result and returns it,
  // returns 0 after a full walk.
  template <typename Fn>
  int for_each_variable(Fn&& fn) const {
    for (VariableEntry* head : buckets_) {
      for (VariableEntry* e = head; e != nullptr; e = e->bucket_next) {
        if (int r = fn(*e); r != 0) return r;
      }
    }
    return 0;
  }

  // Entries in registration order.
  const std::vector<VariableEntry*>& registration_list() const { return registered_; }

  // The four registration forms: each registers `row` under its name (in
  // `bucket`, the name's hash_name) with its `description` already wrapped,
  // points the entry at the cells, sets them to the unset marker and returns
  // the entry (null when the catalogue is full).
  VariableEntry* define_global(const RegisterRow& row, int bucket, std::string_view description,
                               int* cell);
  VariableEntry* define_global_wide(const RegisterRow& row, int bucket,
                                    std::string_view description, double* cell);
  VariableEntry* define_channel(const RegisterRow& row, int bucket, std::string_view description,
                                std::array<int*, 4> cells);
  VariableEntry* define_channel_wide(const RegisterRow& row, int bucket,
                                     std::string_view description, std::array<double*, 4> cells);

 private:
  VariableEntry* register_row(const RegisterRow& row, int bucket, std::string_view description);
  // intern_variable with the name's bucket already known.
  VariableEntry* intern(std::string_view name, int bucket);

  // Entries in blocks that are never moved or freed before the catalogue
  // is, so references to them stay valid; only the blocks in use exist.
  static constexpr int kBlock = 64;
  std::vector<std::unique_ptr<VariableEntry[]>> blocks_;
  int count_ = 0;
  std::array<VariableEntry*, kBuckets> buckets_{};
  std::vector<VariableEntry*> registered_;
};

// Stores `value` only while the cell holds the unset marker, so a value from
// the control file wins.
inline void set_if_unset(int& cell, int value) {
  if (cell == kUnset) cell = value;
}
inline void set_if_unset(double& cell, double value) {
  if (cell == kUnsetWide) cell = value;
}
inline bool is_unset(int cell) { return cell == kUnset; }
inline bool is_unset(double cell) { return cell == kUnsetWide; }

}  // namespace cmd7730
