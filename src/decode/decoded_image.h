// What a register file says about the chip: the 16-bit word last written to
// each register of the image and to each word of the FIR memories, or that
// the file never wrote it.  Filled by the readers (decode/decode.h), read by
// the listing and the comparison.
#pragma once

#include <array>
#include <cstdint>

#include "image/register_image.h"

namespace cmd7730 {

// The FIR memories of one channel, as loaded through their pages.
struct ChannelMemories {
  std::array<int32_t, 256> coefram;
  std::array<int32_t, 16> swram;
  std::array<int32_t, 16> beram;
};

struct DecodedImage {
  // A register or memory word the file never writes.  Every written word is
  // 0..0xffff, so the marker cannot be mistaken for one.
  static constexpr int32_t kUnwritten = -1;

  DecodedImage() {
    reg.fill(kUnwritten);
    for (ChannelMemories& m : mem) {
      m.coefram.fill(kUnwritten);
      m.swram.fill(kUnwritten);
      m.beram.fill(kUnwritten);
    }
  }

  std::array<int32_t, RegisterImage::kWords> reg;  // by image index
  std::array<ChannelMemories, 4> mem;              // channels A..D
};

}  // namespace cmd7730
