#include "core/output_file.h"

#include <fcntl.h>
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
  // Emptied on opening, through a descriptor of its own that is closed
  // before anything is written.  ext4 forces a write-back, on close, of a
  // file that was emptied and then written through the same open file (its
  // guard for programs that replace a file without syncing it); that made
  // each run wait on the disk for every output it replaced, about half again
  // the run's whole time.
  const int emptied = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (emptied < 0) return false;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  ::close(emptied);
  if (fd < 0) return false;
  fd_ = fd;
  failed_ = false;
  path_ = path;
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
  if (stream_ != nullptr) {
    send(text.data(), text.size());
    return;
  }
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
    std::fflush(stream_);
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
  }
}

void OutputFile::flush() {
  if (memory_) return;
  send(buffer_.data(), buffer_.size());
  buffer_.clear();
  if (stream_ != nullptr) std::fflush(stream_);
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
