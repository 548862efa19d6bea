#include "frontend/preprocess.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "catalogue/open_output.h"
#include "frontend/command_words.h"
#include "frontend/early_stop.h"
#include "frontend/line_reader.h"
#include "frontend/messages.h"
#include "frontend/run_state.h"

namespace cmd7730 {
namespace {

// The extensions tried, after the name as given and its base name, for a
// control file or an included file.
constexpr const char* kCommandExtensions[] = {"zq7730", "txt"};

// Opens a command file: the name as given, then its base name, then the base
// name with each extension.  Returns null when none opens.
std::FILE* open_command_file(const std::string& name, std::string& opened) {
  const std::string base = base_name(name);
  std::vector<std::string> candidates = {name, base};
  for (const char* ext : kCommandExtensions) candidates.push_back(base + "." + ext);
  for (const std::string& candidate : candidates) {
    if (std::FILE* f = open_for_reading(candidate)) {
      opened = candidate;
      return f;
    }
  }
  return nullptr;
}

// Identity of an opened file for cycle detection; two spellings of one path
// compare equal.
std::string file_identity(const std::string& opened) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::weakly_canonical(opened, ec);
  return ec ? opened : p.string();
}

bool blank_or_empty(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool printable(unsigned char c) { return (c >= 32 && c <= 126) || c == '\t'; }

class Preprocessor {
 public:
  Preprocessor(RunState& st, OutputFile& tmp) : st_(st), tmp_(tmp) {}

  void copy_file(const std::string& name) {
    if (static_cast<int>(open_files_.size()) >= kMaxIncludeDepth) {
      Error(st_, strf("Includes nested deeper than %d files at %s", kMaxIncludeDepth, name.c_str()),
            kTagCmdin, 84);
      throw EarlyStop{1};
    }
    std::string opened;
    std::FILE* f = open_command_file(name, opened);
    if (f == nullptr) {
      Error(st_, strf("Couldn't open command file %s", name.c_str()), kTagCmdin, 84);
      throw EarlyStop{1};
    }
    std::string identity = file_identity(opened);
    for (const std::string& outer : open_files_) {
      if (outer == identity) {
        std::fclose(f);
        Error(st_, strf("Include cycle: %s includes itself", name.c_str()), kTagCmdin, 84);
        throw EarlyStop{1};
      }
    }
    open_files_.push_back(std::move(identity));
    try {
      copy_lines(f, name);
    } catch (...) {
      std::fclose(f);
      throw;
    }
    std::fclose(f);
    open_files_.pop_back();
    // The empty line after every file is part of the temporary command file
    // (and of the line numbers the interpreter reports).
    tmp_.write("\n");
  }

 private:
  void copy_lines(std::FILE* f, const std::string& name) {
    std::string line;  // reused for every line of this file
    LineEnd end;
    int counter = 0;
    while (read_line(f, line, end)) {
      ++counter;
      if (blank_or_empty(line)) continue;

      // Some editors write a carriage return as the two characters "^M";
      // the line ends there.
      if (const size_t cut = line.find("^M"); cut != std::string::npos) line.resize(cut);

      size_t kept = 0;
      for (const char c : line) {
        if (printable(static_cast<unsigned char>(c))) {
          line[kept++] = c;
        } else {
          Warning(st_, strf("Non ascii character on line %d; character was deleted.", counter),
                  kTagCmdin, 125);
          LogLine(st_, "If there are problems, delete and re-write the line by hand.\n");
        }
      }
      line.resize(kept);

      const CommandWords words = split_command_words(line);
      if (words.count >= 1 && words.word[0] == "include") {
        if (words.count < 2) {
          Error(st_, strf("include on line %d of %s needs a file name", counter, name.c_str()),
                kTagCmdin, 84);
          throw EarlyStop{1};
        }
        copy_file(std::string(words.word[1]));
        continue;
      }

      tmp_.write(line);
      if (end != LineEnd::kNone) tmp_.write("\n");
    }
  }

  RunState& st_;
  OutputFile& tmp_;
  std::vector<std::string> open_files_;  // files being copied, outermost first
};

}  // namespace

int createTmpCmdFile(RunState& st, const std::string& name, OutputFile& tmp) {
  Preprocessor(st, tmp).copy_file(name);
  return 0;
}

}  // namespace cmd7730
