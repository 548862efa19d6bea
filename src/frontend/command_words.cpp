#include "frontend/command_words.h"

namespace cmd7730 {
namespace {

// The separators: blank, tab, comma, '=' and carriage return.  A switch
// rather than a search of the separator string for every character.
constexpr bool is_separator(char c) {
  switch (c) {
    case ' ':
    case '\t':
    case ',':
    case '=':
    case '\r':
      return true;
    default:
      return false;
  }
}

}  // namespace

CommandWords split_command_words(std::string_view line) {
  CommandWords words;
  const size_t n = line.size();
  size_t pos = 0;
  while (words.count < CommandWords::kMax) {
    while (pos < n && is_separator(line[pos])) ++pos;
    if (pos == n) break;
    const size_t start = pos;
    while (pos < n && !is_separator(line[pos])) ++pos;
    words.word[words.count] = line.substr(start, pos - start);
    if (words.count == 0) words.first_end = pos;
    ++words.count;
  }
  return words;
}

}  // namespace cmd7730
