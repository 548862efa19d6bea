// What the decoder knows of the chip's address space, worked out once from
// the catalogue: the variables that pack a field into the register image (in
// registration order, the order of the table), which registers hold a field,
// and which pages carry the FIR memories.  A write anywhere else is outside
// the map.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/variables.h"
#include "decode/decoded_image.h"
#include "image/register_image.h"

namespace cmd7730 {

// Where one register write lands.
struct WriteTarget {
  enum Kind { kOutside, kRegister, kCoefram, kSwram, kBeram };
  Kind kind = kOutside;
  int channel = 0;  // of a memory word, 0..3
  int index = 0;    // the image index of a register, the word of a memory
};

class ChipMap {
 public:
  // Reads the register variables of `catalogue` (filled by build_catalogue).
  explicit ChipMap(const Catalogue& catalogue);

  // The variables with a register field, in registration order.
  const std::vector<const VariableEntry*>& variables() const { return variables_; }

  // Returns where a write to `address` on `page` lands: page -1 is a global
  // register (address 0..15), any other page a paged register or a FIR
  // memory word (address 16..31).  kOutside when no variable packs a field
  // there and no memory word is there.
  WriteTarget locate(int64_t page, int64_t address) const;

  // Returns copy `k` of `e` in `image` (channel k's for a per-channel
  // variable, k 0 for a chip-wide one): the bits of its field, or
  // DecodedImage::kUnwritten when its register was never written.
  static int32_t value(const DecodedImage& image, const VariableEntry& e, int k);

 private:
  // One page of the memory area, by page number.
  struct MemoryPage {
    WriteTarget::Kind kind = WriteTarget::kOutside;
    int channel = 0;
    int block = 0;  // coefram words 16 * block .. 16 * block + 15
  };
  static constexpr int kMemoryPages = beram_page(3) + 1;

  std::vector<const VariableEntry*> variables_;
  std::array<bool, RegisterImage::kWords> holds_field_{};
  std::array<MemoryPage, kMemoryPages> memory_pages_{};
};

}  // namespace cmd7730
