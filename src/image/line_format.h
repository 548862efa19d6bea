// Building the lines of the register outputs.  The writers produce thousands
// of short lines of hexadecimal and decimal numbers; `TextLine` formats them
// in place (printf's "%x", "%d", "%5d", "%lf" and "%-20s", character for
// character) without a format string to parse per number or a library call
// per piece.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/output_file.h"

namespace cmd7730 {

// Text being built, a line or many; `clear` keeps the storage.
class TextLine {
 public:
  TextLine() : buf_(256, '\0') {}

  void clear() { size_ = 0; }
  std::string_view view() const { return {buf_.data(), size_}; }

  TextLine& text(std::string_view s) {
    char* p = room(s.size());
    if (!s.empty()) std::memcpy(p, s.data(), s.size());
    size_ += s.size();
    return *this;
  }
  TextLine& blanks(size_t n) {
    std::memset(room(n), ' ', n);
    size_ += n;
    return *this;
  }
  TextLine& put(char c) {
    *room(1) = c;
    ++size_;
    return *this;
  }

  // `v` in lower-case hexadecimal without prefix, as "%x" prints it.
  TextLine& hex(uint32_t v) {
    size_t n = 1;
    for (uint32_t rest = v >> 4; rest != 0; rest >>= 4) ++n;
    char* p = room(n) + n;
    do {
      *--p = "0123456789abcdef"[v & 0xfu];
      v >>= 4;
    } while (v != 0);
    size_ += n;
    return *this;
  }

  // `v` in decimal, right-aligned in at least `width` columns, as "%d"
  // (width 0) or "%5d" (width 5) prints it.
  TextLine& dec(int32_t v, int width = 0);

  // `v` with six decimals, as "%lf" prints it (also "inf", "-nan" and the
  // like).
  TextLine& fixed(double v);

  // `s` left-aligned in at least `width` columns, as "%-20s" prints it.
  TextLine& left(std::string_view s, int width) {
    text(s);
    if (s.size() < static_cast<size_t>(width)) blanks(static_cast<size_t>(width) - s.size());
    return *this;
  }

  // Writes the text to `out` and starts afresh.
  void write_to(OutputFile& out) {
    out.write(view());
    clear();
  }

  // Writes the text to `out` once enough has gathered: a writer builds many
  // lines and hands them over in large pieces.
  void spill_to(OutputFile& out) {
    if (size_ >= kSpill) write_to(out);
  }

 private:
  // Returns where `n` more characters go, growing the storage if needed.
  char* room(size_t n) {
    if (size_ + n > buf_.size()) buf_.resize(2 * (size_ + n));
    return buf_.data() + size_;
  }

  static constexpr size_t kSpill = 1 << 12;

  std::string buf_;  // storage; only the first size_ characters are the line
  size_t size_ = 0;
};

}  // namespace cmd7730
