// Line-at-a-time reading of the text files the compiler consumes: the
// control file and the files it includes, the temporary command file and
// coefficient files.  Lines of any length arrive whole, NUL bytes included.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "core/file_id.h"

namespace cmd7730 {

// How a line was ended in the file.  A carriage return directly before the
// line feed belongs to the line end, not to the line.
enum class LineEnd { kNone, kLf, kCrLf };

// Reads the lines of a stream that it does not own, a large block at a time
// straight from the stream's file descriptor (the stream itself is only the
// handle that gets closed).  Lines are found with one scan per block rather
// than a call per character.
class LineReader {
 public:
  explicit LineReader(std::FILE* f);
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Reads the next line, without its line end, into `line` (valid until the
  // next call) and stores in `end` how it was ended (kNone: the last line of
  // a file that does not end in a line feed).  Returns false at the end of
  // the file when nothing was left to read.
  bool read(std::string_view& line, LineEnd& end);

  // Returns the next character without taking it, or EOF at the end of the
  // file.
  int peek() {
    if (pos_ == filled_ && !fill()) return EOF;
    return static_cast<unsigned char>(block_[pos_]);
  }
  // Takes the next character and returns it, or EOF at the end of the file.
  int get() {
    const int c = peek();
    if (c != EOF) ++pos_;
    return c;
  }
  // Takes the next character, which peek has shown to be there, and
  // returns the one after it as peek does.
  int next() {
    ++pos_;
    return peek();
  }
  // Takes everything up to and including the next line feed, or to the end
  // of the file.
  void skip_line() {
    if (pos_ < filled_ && block_[pos_] == '\n') {
      ++pos_;  // the usual case: nothing left of the line but its feed
    } else {
      skip_to_line_feed();
    }
  }

  // Moves the file back over what was read ahead, so that it continues just
  // after the last line or character handed out (for a file read in two
  // parts by two readers).
  void give_back();

 private:
  static constexpr size_t kBlock = 1 << 14;

  bool fill();  // reads the next block when the current one is used up
  void skip_to_line_feed();

  int fd_;
  std::unique_ptr<char[]> block_;
  size_t pos_ = 0;     // next unread character in block_
  size_t filled_ = 0;  // characters in block_
  std::string long_;   // a line that runs across blocks
};

// Opens `path` for reading.  Returns null when it cannot be opened or names
// a directory (which some systems let one open but never read).  When `id`
// is given, stores there which file was opened.
std::FILE* open_for_reading(const std::string& path, FileId* id = nullptr);

}  // namespace cmd7730
