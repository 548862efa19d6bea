// Decoding a register file: a C header, bench script or simulation script
// as a run writes them, told apart by their content, rebuilt into the image
// their writes leave in the chip.  A file is decoded whole or refused whole,
// with one message that names its line.
#pragma once

#include <string>
#include <string_view>

#include "decode/chip_map.h"
#include "decode/decoded_image.h"

namespace cmd7730 {

// Decodes `text`, the contents of the file `name`, into `image` (which must
// be fresh).  Returns an empty text when the file is taken, else the reason
// it is refused, "NAME:LINE: what is wrong\n".
std::string decode_text(const ChipMap& map, std::string_view name, std::string_view text,
                        DecodedImage& image);

// Reads the file at `path` once, whole, and decodes it as decode_text does.
// Returns the same, or "PATH: cannot read: REASON\n" when the file cannot be
// read.
std::string decode_file(const ChipMap& map, const std::string& path, DecodedImage& image);

}  // namespace cmd7730
