#include "frontend/line_reader.h"

#include <filesystem>
#include <system_error>

namespace cmd7730 {

bool read_line(std::FILE* f, std::string& line, LineEnd& end) {
  line.clear();
  end = LineEnd::kNone;
  // Characters are gathered in a small block and appended a block at a
  // time.  One reader per stream and a single thread: the stream's lock,
  // which getc takes for every character, buys nothing.
  char block[256];
  size_t n = 0;
  for (;;) {
    const int c = getc_unlocked(f);
    if (c == EOF || c == '\n') {
      line.append(block, n);
      if (c == EOF) return !line.empty();
      if (!line.empty() && line.back() == '\r') {
        line.pop_back();
        end = LineEnd::kCrLf;
      } else {
        end = LineEnd::kLf;
      }
      return true;
    }
    block[n++] = static_cast<char>(c);
    if (n == sizeof block) {
      line.append(block, n);
      n = 0;
    }
  }
}

std::FILE* open_for_reading(const std::string& path) {
  if (path.empty()) return nullptr;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return nullptr;
  return std::fopen(path.c_str(), "r");
}

}  // namespace cmd7730
