#include "frontend/command_words.h"

namespace cmd7730 {
namespace {
constexpr std::string_view kSeparators = " \t,=\r";
}

CommandWords split_command_words(std::string_view line) {
  CommandWords words;
  size_t pos = 0;
  while (words.count < CommandWords::kMax) {
    const size_t start = line.find_first_not_of(kSeparators, pos);
    if (start == std::string_view::npos) break;
    size_t end = line.find_first_of(kSeparators, start);
    if (end == std::string_view::npos) end = line.size();
    words.word[words.count] = line.substr(start, end - start);
    if (words.count == 0) words.first_end = end;
    ++words.count;
    pos = end;
  }
  return words;
}

}  // namespace cmd7730
