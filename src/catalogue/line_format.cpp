#include "catalogue/line_format.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>

namespace cmd7730 {

void writef(OutputFile& out, const char* format, ...) {
  char line[256];
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (n >= 0 && static_cast<size_t>(n) < sizeof line) {
    out.write(std::string_view(line, static_cast<size_t>(n)));
  } else if (n > 0) {
    // Rare: a very long name or a huge double.
    std::string text(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, copy);
    text.resize(static_cast<size_t>(n));
    out.write(text);
  }
  va_end(copy);
}

}  // namespace cmd7730
