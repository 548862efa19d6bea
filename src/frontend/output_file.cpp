#include "frontend/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>

namespace cmd7730 {
namespace {
constexpr size_t kFlushThreshold = 1 << 16;
}

OutputFile::~OutputFile() { close(); }

bool OutputFile::open_path(const std::string& path) {
  close();
  buffer_.clear();
  // No O_TRUNC: see the header.  The old contents are overwritten from the
  // start and whatever lies beyond the new end is cut off by `close`.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  fd_ = fd;
  written_ = 0;
  // Only a regular file keeps a tail; asking for its size now saves cutting
  // it (a costly call on journalling filesystems) when the new text is at
  // least as long, as it is when a configuration is compiled again.
  struct stat info;
  old_size_ = (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) ? info.st_size : 0;
  open_ = true;
  return true;
}

void OutputFile::attach(std::FILE* stream) {
  close();
  buffer_.clear();
  stream_ = stream;
  open_ = true;
}

void OutputFile::open_memory() {
  close();
  buffer_.clear();
  memory_ = true;
  open_ = true;
}

void OutputFile::write(std::string_view text) {
  if (!open_) return;
  buffer_.append(text);
  if (!memory_ && buffer_.size() >= kFlushThreshold) flush();
}

void OutputFile::write_out(const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd_, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return;  // a full disk or a vanished device: the output is lost
    }
    data += n;
    size -= static_cast<size_t>(n);
    written_ += n;
  }
}

void OutputFile::flush() {
  if (memory_) return;
  if (fd_ >= 0) {
    write_out(buffer_.data(), buffer_.size());
    buffer_.clear();
    // Cut off the earlier file's tail at the first flush, so that a run
    // that ends early leaves none of it behind; later writes only extend.
    if (old_size_ > written_ && ::ftruncate(fd_, written_) != 0) {
      // Nothing more can be done; the next flush will not try again.
    }
    old_size_ = 0;
  } else if (stream_ != nullptr) {
    if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), stream_);
    buffer_.clear();
    std::fflush(stream_);
  }
}

void OutputFile::close() {
  if (!open_) return;
  flush();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  stream_ = nullptr;
  open_ = false;
  // A memory sink keeps its text for inspection after close.
  memory_ = false;
}

}  // namespace cmd7730
