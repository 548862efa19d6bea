#include "catalogue/line_format.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>

namespace cmd7730 {

TextLine& TextLine::dec(int32_t v, int width) {
  char digits[11];  // "-2147483648"
  const auto r = std::to_chars(digits, digits + sizeof digits, v);
  const size_t n = static_cast<size_t>(r.ptr - digits);
  for (size_t i = n; i < static_cast<size_t>(width); ++i) put(' ');
  return text(std::string_view(digits, n));
}

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
