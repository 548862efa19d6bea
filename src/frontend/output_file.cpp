#include "frontend/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>

namespace cmd7730 {
namespace {
// Text is handed to the file in pieces of about this size: small enough to
// stay in the cache and not to make the process grow, large enough that a
// few calls write the largest output.
constexpr size_t kFlushThreshold = 1 << 14;
}  // namespace

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
  failed_ = false;
  path_ = path;
  // Only a regular file keeps a tail; asking for its size now saves cutting
  // it (a costly call on journalling filesystems) when the new text is at
  // least as long, as it is when a configuration is compiled again.
  struct stat info;
  const bool known = ::fstat(fd, &info) == 0;
  old_size_ = known && S_ISREG(info.st_mode) ? info.st_size : 0;
  id_ = known ? FileId{info.st_dev, info.st_ino} : FileId{};
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
  if (!memory_ && buffer_.size() + text.size() > kFlushThreshold) {
    send(buffer_.data(), buffer_.size());
    buffer_.clear();
    // A large piece goes out as it is, without a copy into the buffer.
    if (text.size() >= kFlushThreshold) {
      send(text.data(), text.size());
      return;
    }
  }
  buffer_.append(text);
}

void OutputFile::send(const char* data, size_t size) {
  if (fd_ >= 0) {
    write_out(data, size);
  } else if (stream_ != nullptr && size > 0) {
    std::fwrite(data, 1, size, stream_);
  }
}

void OutputFile::write_out(const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd_, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      failed_ = true;  // a full disk or a vanished device: reported by the driver
      return;
    }
    data += n;
    size -= static_cast<size_t>(n);
    written_ += n;
  }
}

void OutputFile::flush() {
  if (memory_) return;
  send(buffer_.data(), buffer_.size());
  buffer_.clear();
  if (fd_ >= 0) {
    // Cut off what is left of a longer earlier file, so that the file now
    // holds exactly what was written.  Only here and not when a full buffer
    // goes out: the cut is a costly call on journalling filesystems, and a
    // run flushes its outputs once, at the end.
    if (old_size_ > written_ && ::ftruncate(fd_, written_) != 0) failed_ = true;
    old_size_ = 0;
  } else if (stream_ != nullptr) {
    std::fflush(stream_);
  }
}

void OutputFile::cut_to_written() {
  if (fd_ < 0 || old_size_ <= written_) return;
  if (::ftruncate(fd_, written_) != 0) failed_ = true;
  old_size_ = 0;
}

void OutputFile::close() {
  if (!open_) return;
  flush();
  if (fd_ >= 0 && ::close(fd_) != 0) failed_ = true;
  fd_ = -1;
  stream_ = nullptr;
  open_ = false;
  // A memory sink keeps its text for inspection after close.
  memory_ = false;
}

}  // namespace cmd7730
