// Where the lines of the temporary command file came from, and what a
// `--check` run collects while it interprets them.
//
// The preprocessor records, for every line it writes to the temporary
// command file, the file (by the name it was opened under) and the line of
// that file; the interpreter then finds the origin of the line it is on by
// its position in the temporary file, with no search.
#pragma once

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

namespace cmd7730 {

struct VariableEntry;

// A line of one of the user's files: an index into SourceMap::files and a
// line number from 1.  `file` -1: no line (the message is about the run).
struct SourceLocation {
  int file = -1;
  int line = 0;
  bool known() const { return file >= 0; }
};

struct SourceMap {
  std::vector<std::string> files;     // each file opened, in opening order
  std::vector<SourceLocation> lines;  // by temporary-file line, from 0

  void clear() {
    files.clear();
    lines.clear();
  }
  // "FILE:LINE" of `at`, or an empty text when `at` names no line of a
  // file in the map.
  std::string place(SourceLocation at) const {
    if (!at.known() || static_cast<size_t>(at.file) >= files.size()) return {};
    return files[at.file] + ":" + std::to_string(at.line);
  }
  // The origin of temporary-file line `index` (from 0); unknown when the
  // map does not reach it.
  SourceLocation at(int index) const {
    return index >= 0 && static_cast<size_t>(index) < lines.size() ? lines[index]
                                                                   : SourceLocation{};
  }
};

// One assignment of a `--check` run, kept to judge it once the computation
// has shown which channels are powered down.
struct SettingRecord {
  const VariableEntry* entry = nullptr;
  int channel = 0;
  SourceLocation where;
};

struct CheckState {
  int warnings = 0;                     // check warnings reported so far
  bool pass_ran = false;                // a first interpretation pass read the file
  std::vector<SettingRecord> settings;  // the pass's assignments, judged after it
  // The pass's last assignment of each variable, per channel: an index into
  // `settings` plus one (0: not set in this pass).
  std::unordered_map<const VariableEntry*, std::array<int, 4>> last_set;
};

}  // namespace cmd7730
