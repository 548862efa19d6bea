// The chip's register image: one 32-bit word per register place, packed from
// the catalogue at the end of a run and read by the output writers.  Global
// registers 0..15 sit at their address; a paged register at 16*page + address.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace cmd7730 {

struct RunState;

struct RegisterImage {
  static constexpr int kWords = 3561;

  RegisterImage() { clear(); }
  // Marks every register as untouched (word -1).
  void clear() {
    word.fill(-1);
    used.fill(false);
  }

  std::array<int32_t, kWords> word;
  // True once any field has been packed into the register.  Kept apart from
  // the -1 word so that a register whose packed bits happen to be all ones
  // is still written out.
  std::array<bool, kWords> used;
};

// Returns the first index from `i` on whose register is used, or kWords.
// Found with one scan: a few hundred of the 3561 registers are used.
inline int next_used(const RegisterImage& image, int i) {
  if (i >= RegisterImage::kWords) return RegisterImage::kWords;
  const void* hit = std::memchr(image.used.data() + i, true, RegisterImage::kWords - i);
  return hit == nullptr ? RegisterImage::kWords
                        : static_cast<int>(static_cast<const bool*>(hit) - image.used.data());
}

// Returns the page of image index `i`: -1 for a global register.
constexpr int register_page(int i) { return i / 16 - 1; }
// Returns the address of image index `i` (16..31 on a page, 0..15 global).
constexpr int register_address(int i) { return i % 16 + (register_page(i) != -1 ? 16 : 0); }
// Returns the image index of a register: `address` itself for page -1.
constexpr int register_index(int page, int address) {
  return page == -1 ? address : 16 * page + address;
}

// Merges `value` into bits bit_pos .. bit_pos+width-1 of word `index`.  An
// unset value (-1) packs as 0.  A bad index or an out-of-range value is
// reported on the console; an out-of-range value is still merged, its
// excess bits landing above the field (arithmetic is 32-bit two's complement).
void set_register_field(RunState& st, RegisterImage& image, int index, int bit_pos, int width,
                        int value);

// Clears the image and packs every variable that has a register into it, in
// catalogue walk order.
void build_register_image(RunState& st, RegisterImage& image);

// Builds the image and writes the selected table, simulation, bench and
// header outputs.  The caller closes the files.
void write_register_outputs(RunState& st);

}  // namespace cmd7730
