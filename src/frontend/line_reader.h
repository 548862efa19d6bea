// Line-at-a-time reading of the text files the compiler consumes: the
// control file and the files it includes, the temporary command file and
// coefficient files.  Lines of any length arrive whole, NUL bytes included,
// in a buffer the caller owns and reuses.
#pragma once

#include <cstdio>
#include <string>

namespace cmd7730 {

// How a line was ended in the file.  A carriage return directly before the
// line feed belongs to the line end, not to the line.
enum class LineEnd { kNone, kLf, kCrLf };

// Reads the next line of `f` into `line`, without its line end, and stores
// in `end` how it was ended (kNone: the last line of a file that does not end
// in a line feed).  Returns false at the end of the file when nothing was
// left to read.
bool read_line(std::FILE* f, std::string& line, LineEnd& end);

// Which file an open stream reads: its device and inode numbers.
struct FileId {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  bool operator==(const FileId&) const = default;
};

// Opens `path` for reading.  Returns null when it cannot be opened or names
// a directory (which some systems let one open but never read).  When `id`
// is given, stores there which file was opened.
std::FILE* open_for_reading(const std::string& path, FileId* id = nullptr);

}  // namespace cmd7730
