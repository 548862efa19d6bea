#include "frontend/line_reader.h"

#include <filesystem>
#include <system_error>

namespace cmd7730 {

bool read_line(std::FILE* f, std::string& line, LineEnd& end) {
  line.clear();
  end = LineEnd::kNone;
  for (;;) {
    const int c = std::getc(f);
    if (c == EOF) return !line.empty();
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') {
        line.pop_back();
        end = LineEnd::kCrLf;
      } else {
        end = LineEnd::kLf;
      }
      return true;
    }
    line.push_back(static_cast<char>(c));
  }
}

std::FILE* open_for_reading(const std::string& path) {
  if (path.empty()) return nullptr;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return nullptr;
  return std::fopen(path.c_str(), "r");
}

}  // namespace cmd7730
