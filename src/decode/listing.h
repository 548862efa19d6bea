// The text forms of decoded images: the listing `--decode` prints, in the
// variable table's own layout, and the differences `--diff` prints.
#pragma once

#include "decode/chip_map.h"
#include "decode/decoded_image.h"
#include "image/line_format.h"

namespace cmd7730 {

// Appends the listing of `image` to `out`: a line per variable with a
// register field, in registration order, as the table writes it ("%-20s
// %5d %5d %5d %5d" for four values, "%-20s %d" for one), each value the bits
// of its field and "-" for a register the file never wrote; then for each
// channel A..D a line "coefram A" with its 256 words, "swram A" and "beram
// A" with 16 each (" %d", or " -" for a word never written).
void append_listing(const ChipMap& map, const DecodedImage& image, TextLine& out);

// Appends a line "%-20s %c %5s %5s" to `out` for every variable copy whose
// value differs between `a` and `b` (name, channel letter or '-' for a
// chip-wide variable, the value in a, the value in b; "-" when unwritten),
// then one for every memory word that differs ("coefram[17]", "swram[3]",
// "beram[0]" by channel and index).  Returns the number of lines appended.
int append_differences(const ChipMap& map, const DecodedImage& a, const DecodedImage& b,
                       TextLine& out);

}  // namespace cmd7730
