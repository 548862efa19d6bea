#include "decode/decode.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "decode/image_builder.h"
#include "decode/line_scan.h"
#include "decode/readers.h"

namespace cmd7730 {
namespace {

// Returns true when `line` starts with `word` followed by a blank or its end.
bool starts_with_word(std::string_view line, std::string_view word) {
  return line.starts_with(word) &&
         (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t');
}

// Returns the first line of `text` that is not blank, without its leading
// blanks (empty when there is none), and stores its number in `number` (1
// for a text without one).
std::string_view first_content_line(std::string_view text, int& number) {
  Lines lines(text);
  std::string_view line;
  while (lines.next(line)) {
    if (!is_blank_line(line)) {
      number = lines.number();
      return line.substr(leading_blanks(line));
    }
  }
  number = 1;
  return {};
}

// Reads the whole file at `path` into `text`.  Returns 0, or the errno of
// what failed.
int read_whole_file(const std::string& path, std::string& text) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat info;
  const int why = ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
  if (why != 0) {
    ::close(fd);
    return why;
  }
  // The size is a hint: a file that grows or shrinks while read is read to
  // its end all the same.
  text.resize(info.st_size > 0 ? static_cast<size_t>(info.st_size) + 1 : 4096);
  size_t filled = 0;
  int failure = 0;
  for (;;) {
    if (filled == text.size()) text.resize(2 * text.size());
    const ssize_t got = ::read(fd, text.data() + filled, text.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      failure = got < 0 ? errno : 0;
      break;
    }
    filled += static_cast<size_t>(got);
  }
  ::close(fd);
  text.resize(filled);
  return failure;
}

// Returns line `number` (from 1) of `text`, empty past its end.
std::string_view line_at(std::string_view text, int number) {
  Lines lines(text);
  std::string_view line;
  while (lines.next(line)) {
    if (lines.number() == number) return line;
  }
  return {};
}

// A run that reports an Error copies the message into its bench and
// simulation scripts, "Error(TAG Lnnn): text", where it was reported.
bool is_error_report(std::string_view line) {
  line.remove_prefix(leading_blanks(line));
  return line.starts_with("Error(");
}

}  // namespace

RegisterFileForm recognise_form(std::string_view text) {
  int number = 0;
  const std::string_view line = first_content_line(text, number);
  if (line.starts_with("/*") || starts_with_word(line, "struct")) return RegisterFileForm::kHeader;
  if (starts_with_word(line, "dwr16")) return RegisterFileForm::kBench;
  for (std::string_view word : {"Wglb", "Wcon", "QOEF", "SWRAM", "BERAM"}) {
    if (starts_with_word(line, word)) return RegisterFileForm::kSim;
  }
  return RegisterFileForm::kUnknown;
}

std::string decode_text(const ChipMap& map, std::string_view name, std::string_view text,
                        DecodedImage& image) {
  ImageBuilder out(map, image);
  try {
    switch (recognise_form(text)) {
      case RegisterFileForm::kHeader:
        read_header(text, out);
        break;
      case RegisterFileForm::kBench:
        read_bench_script(text, out);
        break;
      case RegisterFileForm::kSim:
        read_sim_script(text, out);
        break;
      case RegisterFileForm::kUnknown: {
        int number = 0;
        first_content_line(text, number);
        throw Refusal{number, "not a C header, bench script or simulation script of cmd7730"};
      }
    }
  } catch (const Refusal& r) {
    // Said plainly rather than as a line that does not parse: the file is
    // the program's own, from a run whose image is not one to load.
    const std::string what =
        is_error_report(line_at(text, r.line))
            ? "an Error reported by the run that wrote this file; its image is not one to load"
            : r.what;
    std::string message(name);
    message.append(":").append(std::to_string(r.line)).append(": ").append(what).append("\n");
    return message;
  }
  return {};
}

std::string decode_file(const ChipMap& map, const std::string& path, DecodedImage& image) {
  std::string text;
  if (const int why = read_whole_file(path, text); why != 0) {
    return path + ": cannot read: " + std::strerror(why) + "\n";
  }
  return decode_text(map, path, text, image);
}

}  // namespace cmd7730
