#include "catalogue/line_format.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>

namespace cmd7730 {

void append_hex(std::string& line, uint32_t v) {
  char digits[8];
  const auto r = std::to_chars(digits, digits + sizeof digits, v, 16);
  line.append(digits, r.ptr);
}

void append_dec(std::string& line, int32_t v, int width) {
  char digits[11];  // "-2147483648"
  const auto r = std::to_chars(digits, digits + sizeof digits, v);
  const int n = static_cast<int>(r.ptr - digits);
  if (n < width) line.append(static_cast<size_t>(width - n), ' ');
  line.append(digits, r.ptr);
}

void append_left(std::string& line, std::string_view text, int width) {
  line.append(text);
  if (static_cast<int>(text.size()) < width) {
    line.append(static_cast<size_t>(width) - text.size(), ' ');
  }
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
