// printf-style lines written straight into an output sink.  The text is
// formatted into a stack buffer and appended to the sink's own buffer, so
// the register writers produce thousands of lines without heap traffic.
#pragma once

#include "frontend/output_file.h"

namespace cmd7730 {

// Formats and writes to `out` (nothing when it is closed).  Texts of any
// length are written whole.
void writef(OutputFile& out, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace cmd7730
