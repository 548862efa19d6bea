// Splitting a command line into words.  Words are separated by any run of
// blanks, tabs, commas, '=' and carriage returns, so "name = value",
// "name value" and "name,value" read alike.  No command uses more than three
// words; the rest of a line is ignored.
#pragma once

#include <cstddef>
#include <string_view>

namespace cmd7730 {

struct CommandWords {
  static constexpr int kMax = 3;
  std::string_view word[kMax];  // views into the line that was split
  int count = 0;                // words found, at most kMax
  size_t first_end = 0;         // offset just past the first word
};

// Returns the first three words of `line` (fewer when the line has fewer).
CommandWords split_command_words(std::string_view line);

}  // namespace cmd7730
