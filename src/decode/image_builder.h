// Rebuilding the image from a register file's writes, in file order: each
// write replaces what an earlier one left in its register or memory word.
// The three readers parse their form into these writes; the rules every
// form shares live here: what the map lets a write land on, the 16-bit
// register width, and the sync pulses the run issues after loading.
#pragma once

#include <cstdint>

#include "decode/chip_map.h"
#include "decode/decoded_image.h"

namespace cmd7730 {

class ImageBuilder {
 public:
  ImageBuilder(const ChipMap& map, DecodedImage& image) : map_(map), image_(image) {}

  // Applies the write of `value` to register `address` on `page` (-1: a
  // global register) read on line `line`.  Throws Refusal when the value is
  // wider than 16 bits or the register is outside the map.
  void write(int64_t page, int64_t address, uint32_t value, int line);

  // Stores `value` as word `index` of the `kind` memory (kCoefram, kSwram
  // or kBeram) of channel `channel`, read on line `line`.  Throws Refusal
  // when the value is wider than 16 bits.
  void memory(WriteTarget::Kind kind, int channel, int index, uint32_t value, int line);

  // Throws Refusal when `value`, read on line `line`, is wider than the
  // chip's 16-bit registers and memory words.
  static void check_width(uint32_t value, int line);

 private:
  const ChipMap& map_;
  DecodedImage& image_;
  int register0_writes_ = 0;  // the second one releases the chip from power-down
};

}  // namespace cmd7730
