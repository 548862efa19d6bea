#include "frontend/output_file.h"

namespace cmd7730 {
namespace {
constexpr size_t kFlushThreshold = 1 << 16;
}

OutputFile::~OutputFile() { close(); }

bool OutputFile::open_path(const std::string& path) {
  close();
  buffer_.clear();
  std::FILE* f = std::fopen(path.c_str(), "w");
  if (f == nullptr) return false;
  stream_ = f;
  owned_ = true;
  open_ = true;
  return true;
}

void OutputFile::attach(std::FILE* stream) {
  close();
  buffer_.clear();
  stream_ = stream;
  owned_ = false;
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

void OutputFile::flush() {
  if (memory_ || stream_ == nullptr) return;
  if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), stream_);
  buffer_.clear();
  std::fflush(stream_);
}

void OutputFile::close() {
  if (!open_) return;
  flush();
  if (owned_ && stream_ != nullptr) std::fclose(stream_);
  stream_ = nullptr;
  owned_ = false;
  open_ = false;
  // A memory sink keeps its text for inspection after close.
  memory_ = false;
}

}  // namespace cmd7730
