#include "core/line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace cmd7730 {

LineReader::LineReader(std::FILE* f)
    : fd_(fileno(f)), block_(std::make_unique_for_overwrite<char[]>(kBlock)) {}

bool LineReader::fill() {
  pos_ = 0;
  filled_ = 0;
  for (;;) {
    const ssize_t n = ::read(fd_, block_.get(), kBlock);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;  // end of file, or a read error taken as one
    filled_ = static_cast<size_t>(n);
    return true;
  }
}

bool LineReader::read(std::string_view& line, LineEnd& end) {
  long_.clear();
  end = LineEnd::kNone;
  for (;;) {
    if (pos_ == filled_ && !fill()) {
      line = long_;
      return !long_.empty();
    }
    const char* start = block_.get() + pos_;
    const size_t available = filled_ - pos_;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', available));
    if (lf == nullptr) {
      long_.append(start, available);
      pos_ = filled_;
      continue;
    }
    const size_t n = static_cast<size_t>(lf - start);
    pos_ += n + 1;
    if (long_.empty()) {
      line = std::string_view(start, n);
    } else {
      long_.append(start, n);
      line = long_;
    }
    end = LineEnd::kLf;
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
      end = LineEnd::kCrLf;
    }
    return true;
  }
}

void LineReader::skip_to_line_feed() {
  for (;;) {
    if (pos_ == filled_ && !fill()) return;
    const char* start = block_.get() + pos_;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', filled_ - pos_));
    if (lf != nullptr) {
      pos_ += static_cast<size_t>(lf - start) + 1;
      return;
    }
    pos_ = filled_;
  }
}

void LineReader::give_back() {
  if (pos_ < filled_) {
    ::lseek(fd_, -static_cast<off_t>(filled_ - pos_), SEEK_CUR);
  }
  pos_ = filled_ = 0;
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
