#include "image/line_format.h"

#include <charconv>
#include <string>
#include <string_view>

namespace cmd7730 {

TextLine& TextLine::dec(int32_t v, int width) {
  char digits[11];  // "-2147483648"
  const auto r = std::to_chars(digits, digits + sizeof digits, v);
  const size_t n = static_cast<size_t>(r.ptr - digits);
  if (n < static_cast<size_t>(width)) blanks(static_cast<size_t>(width) - n);
  return text(std::string_view(digits, n));
}

TextLine& TextLine::fixed(double v) {
  // Rounded exactly to six decimals, as printf rounds; the largest double
  // takes 309 digits before the point.
  char digits[400];
  const auto r = std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed, 6);
  return text(std::string_view(digits, static_cast<size_t>(r.ptr - digits)));
}

}  // namespace cmd7730
