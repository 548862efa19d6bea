#include "frontend/preprocess.h"

#include <filesystem>
#include <iterator>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/early_stop.h"
#include "core/line_reader.h"
#include "core/messages.h"
#include "core/open_output.h"
#include "core/run_state.h"
#include "frontend/command_words.h"

namespace cmd7730 {
namespace {

// The extensions tried, after the name as given and its base name, for a
// control file or an included file.
constexpr const char* kCommandExtensions[] = {"zq7730", "txt"};

// Opens a command file: the name as given, then its base name, then the base
// name with each extension.  Returns null when none opens; otherwise stores
// the name that opened and which file it is.
std::FILE* open_command_file(const std::string& name, std::string& opened, FileId& id) {
  if (std::FILE* f = open_for_reading(name, &id)) {
    opened = name;
    return f;
  }
  const std::string base = base_name(name);
  std::string candidate = base;
  for (size_t i = 0;; ++i) {
    if (std::FILE* f = open_for_reading(candidate, &id)) {
      opened = std::move(candidate);
      return f;
    }
    if (i == std::size(kCommandExtensions)) return nullptr;
    candidate = base + "." + kCommandExtensions[i];
  }
}

// The resolved path of an opened file: two spellings of one path compare
// equal.
std::string resolved_path(const std::string& opened) {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::weakly_canonical(opened, ec);
  return ec ? opened : p.string();
}

bool blank_or_empty(std::string_view line) {
  for (const char c : line) {
    if (c != ' ' && c != '\t') return false;
  }
  return true;
}

bool printable(unsigned char c) { return (c >= 32 && c <= 126) || c == '\t'; }

class Preprocessor {
 public:
  Preprocessor(RunState& st, OutputFile& tmp)
      : st_(st), tmp_(tmp), map_(st.options.wants_locations() ? &st.source_map : nullptr) {}

  void copy_file(const std::string& name) {
    if (static_cast<int>(open_files_.size()) >= kMaxIncludeDepth) {
      Error(st_, strf("Includes nested deeper than %d files at %s", kMaxIncludeDepth, name.c_str()),
            kTagCmdin, 84);
      throw EarlyStop{1};
    }
    OpenFile file;
    std::FILE* f = open_command_file(name, file.opened, file.id);
    if (f == nullptr) {
      Error(st_, strf("Couldn't open command file %s", name.c_str()), kTagCmdin, 84);
      throw EarlyStop{1};
    }
    for (OpenFile& outer : open_files_) {
      if (is_same_path(outer, file)) {
        std::fclose(f);
        Error(st_, strf("Include cycle: %s includes itself", name.c_str()), kTagCmdin, 84);
        throw EarlyStop{1};
      }
    }
    int file_index = -1;
    if (map_ != nullptr) {
      file_index = static_cast<int>(map_->files.size());
      map_->files.push_back(file.opened);
    }
    open_files_.push_back(std::move(file));
    try {
      copy_lines(f, name, file_index);
    } catch (...) {
      std::fclose(f);
      throw;
    }
    std::fclose(f);
    open_files_.pop_back();
    // The empty line after every file is part of the temporary command file
    // (and of the line numbers the interpreter reports).  It ends the
    // file's last line when that had no line feed of its own.
    tmp_.write("\n");
    if (map_ != nullptr) {
      if (!line_open_) map_->lines.push_back(SourceLocation{});
      line_open_ = false;
    }
  }

 private:
  void copy_lines(std::FILE* f, const std::string& name, int file_index) {
    LineReader reader(f);
    std::string_view read;
    std::string line;  // reused for every line of this file
    LineEnd end;
    int counter = 0;
    while (reader.read(read, end)) {
      ++counter;
      if (blank_or_empty(read)) continue;
      line.assign(read);
      if (map_ != nullptr) st_.where = SourceLocation{file_index, counter};

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
      if (end == LineEnd::kLf) tmp_.write("\n");
      if (end == LineEnd::kCrLf) tmp_.write("\r\n");
      if (map_ != nullptr) {
        map_->lines.push_back(SourceLocation{file_index, counter});
        line_open_ = end == LineEnd::kNone;
      }
    }
  }

  // A file being copied: the name it opened under, which file that is, and
  // (worked out only when needed) its resolved path.
  struct OpenFile {
    std::string opened;
    FileId id;
    std::string resolved;
  };

  // True when `inner` is `outer` under the same resolved path.  Resolving a
  // path costs a system call per directory in it, so it is done only for
  // the rare pair that is one file on disk; a file included under a second
  // name of its own (a hard link) is not a cycle by itself.
  static bool is_same_path(OpenFile& outer, OpenFile& inner) {
    if (!(outer.id == inner.id)) return false;
    if (outer.resolved.empty()) outer.resolved = resolved_path(outer.opened);
    if (inner.resolved.empty()) inner.resolved = resolved_path(inner.opened);
    return outer.resolved == inner.resolved;
  }

  RunState& st_;
  OutputFile& tmp_;
  // Where each written line came from (null: not wanted by this run), and
  // whether the last line written still lacks its line feed.
  SourceMap* map_;
  bool line_open_ = false;
  std::vector<OpenFile> open_files_;  // files being copied, outermost first
};

}  // namespace

int createTmpCmdFile(RunState& st, const std::string& name, OutputFile& tmp) {
  st.source_map.clear();
  Preprocessor(st, tmp).copy_file(name);
  st.where = SourceLocation{};
  return 0;
}

}  // namespace cmd7730
