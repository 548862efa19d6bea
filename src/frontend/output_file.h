// A text sink for one output: a file on disk, the console, or (for tests) a
// string in memory.  Writes are collected in a buffer and handed to the
// stream in large blocks; `close` and `flush` write out what is pending.
//
// A file on disk is rewritten in place and cut to its new length by `flush`
// (and so by `close`), rather than truncated when it is opened: some
// filesystems (ext4) force a write-back of a file that was truncated to
// nothing and rewritten, and that made every run wait on the disk for each
// output it replaced.  A run that reads a file it is writing must first call
// `cut_to_written`, so that it reads what a truncated file would hold.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "frontend/file_id.h"

namespace cmd7730 {

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Opens `path` for writing (created if missing, rewritten from the start);
  // returns false when it cannot.
  bool open_path(const std::string& path);
  // Writes to an already open stream that this object does not own.
  void attach(std::FILE* stream);
  // Keeps everything written in memory (see `captured`).
  void open_memory();

  bool is_open() const { return open_; }
  void write(std::string_view text);
  void flush();
  // Flushes and closes; a file opened with `open_path` is closed on disk.
  void close();

  // Everything written so far, for a sink opened with `open_memory`.
  const std::string& captured() const { return buffer_; }

  // True once a write, cut or close of the file failed (a full disk, a
  // vanished device): what is on disk is then not what was written.
  bool failed() const { return failed_; }
  // The name given to `open_path`.
  const std::string& path() const { return path_; }

  // True when this is a file opened with `open_path` and `id` is that file.
  bool writes_to(const FileId& id) const { return fd_ >= 0 && id == id_; }
  // Cuts the file to what has been handed to it so far, as if it had been
  // truncated when opened: for a file about to be read in the same run.
  void cut_to_written();

 private:
  void send(const char* data, size_t size);  // to the file or stream, unbuffered
  void write_out(const char* data, size_t size);

  std::FILE* stream_ = nullptr;  // an attached stream
  int fd_ = -1;                  // a file opened with open_path
  long long written_ = 0;        // bytes written to fd_ so far
  long long old_size_ = 0;       // length of the file before this run wrote it
  FileId id_;                    // which file fd_ is
  bool memory_ = false;
  bool open_ = false;
  bool failed_ = false;
  std::string buffer_;
  std::string path_;
};

}  // namespace cmd7730
