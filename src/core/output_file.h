// A text sink for one output: a file on disk, the console, or (for tests) a
// string in memory.  Writes to a file are collected in a buffer and handed
// to it in large blocks; `close` and `flush` write out what is pending.
// Writes to an attached stream (the console) go out at once, so that a run
// that waits or is killed has shown every message it reported.
//
// A file on disk is truncated when it is opened: from then on it holds only
// what this run wrote, never the new text followed by the tail of an older,
// longer file (which would look complete to whoever loads it into a chip).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace cmd7730 {

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Opens `path` for writing, created if missing and emptied if not;
  // returns false when it cannot.
  bool open_path(const std::string& path);
  // Writes to an already open stream that this object does not own, each
  // piece as it comes.
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

 private:
  void send(const char* data, size_t size);  // to the file or stream, unbuffered
  void write_out(const char* data, size_t size);

  std::FILE* stream_ = nullptr;  // an attached stream
  int fd_ = -1;                  // a file opened with open_path
  bool memory_ = false;
  bool open_ = false;
  bool failed_ = false;
  std::string buffer_;
  std::string path_;
};

}  // namespace cmd7730
