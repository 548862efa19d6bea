// The chip's register image: one 32-bit word per register place, packed from
// the catalogue at the end of a run and read by the output writers.  Global
// registers 0..15 sit at their address; a paged register at 16*page + address.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>

namespace cmd7730 {

struct RunState;
struct VariableEntry;

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

// Global register 2 selects the page that addresses 16..31 reach; it is
// also a register of the image (the page and chip_rev fields).
inline constexpr int kPageRegister = 2;

// Where the FIR memories of channel k (0..3) are loaded: page
// coefram_page(k, j) holds coefficient words 16j..16j+15 (j 0..15), pages
// swram_page(k) and beram_page(k) the swap and endcell memories, each word n
// at address 16 + n.  These pages hold no register of the image.
constexpr int coefram_page(int k, int j) { return 32 * k + j; }
constexpr int swram_page(int k) { return 16 + 32 * k; }
constexpr int beram_page(int k) { return 17 + 32 * k; }

// Returns how many copies the register variable `e` has in the image: one
// per channel (4) for a channel or pair variable, 1 for a chip-wide one.
int field_copies(const VariableEntry& e);

// Returns the image index of the register that holds copy `k` of the
// register variable `e`: channel k's (0..3, A..D) copy of a channel or pair
// variable, the one register of a chip-wide variable (k 0).
int field_index(const VariableEntry& e, int k);

// Returns the mask of a field `width` bits wide, in its low bits.
constexpr uint32_t field_mask(int width) {
  return width >= 32 ? ~0u : width <= 0 ? 0u : (1u << width) - 1u;
}

// Returns the field at bits bit_pos .. bit_pos+width-1 of `word`, the value
// set_register_field merged there (0 for a field placed outside the word).
constexpr uint32_t field_bits(uint32_t word, int bit_pos, int width) {
  return bit_pos < 0 || bit_pos >= 32 ? 0u : (word >> bit_pos) & field_mask(width);
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
