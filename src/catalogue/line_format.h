// Building the lines of the register outputs.  The writers produce thousands
// of short lines of hexadecimal and decimal numbers; these appenders format
// them straight into a reused line buffer (printf's "%x", "%d", "%5d" and
// "%-20s", character for character) without a format string to parse per
// number.  `writef` remains for the few lines that print doubles.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "frontend/output_file.h"

namespace cmd7730 {

// Appends `v` in lower-case hexadecimal without prefix, as "%x" prints it.
void append_hex(std::string& line, uint32_t v);

// Appends `v` in decimal, right-aligned in at least `width` columns, as
// "%d" (width 0) or "%5d" (width 5) prints it.
void append_dec(std::string& line, int32_t v, int width = 0);

// Appends `text` left-aligned in at least `width` columns, as "%-20s" does.
void append_left(std::string& line, std::string_view text, int width);

// Formats and writes to `out` (nothing when it is closed).  Texts of any
// length are written whole.
void writef(OutputFile& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace cmd7730
