#include "frontend/line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::FILE* open_for_reading(const std::string& path, FileId* id) {
  if (path.empty()) return nullptr;
  // Opened first and then asked about, rather than looked up by name twice.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info;
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  std::FILE* f = ::fdopen(fd, "r");
  if (f == nullptr) {
    ::close(fd);
    return nullptr;
  }
  if (id != nullptr) *id = {info.st_dev, info.st_ino};
  return f;
}

}  // namespace cmd7730
