// The `help` listing (see help_listing.h) and the interpreter's `help` line.
#include "frontend/help_listing.h"

#include "core/messages.h"
#include "frontend/interpreter_lines.h"

namespace cmd7730 {
namespace {

// Class names as `help` prints them, by class code.  The read-only status
// fields carry code 0; 6 and 7 never occur.
constexpr const char* kClassNames[8] = {"None",   "NotUsed",   "Default", "Compute",
                                        "Expert", "Mandatory", "None",    "None"};

}  // namespace

std::string help_entry_text(const VariableEntry& e) {
  return strf("\n%s  %s-variable with %d bits.  In receive %s.  In transmit %s.\n%.*s\n",
              e.name.c_str(), e.is_pseudo() ? "Pseudo" : "Real", e.width,
              kClassNames[e.class_word & 7u], kClassNames[(e.class_word >> 3) & 7u],
              len(e.description), e.description.data());
}

std::string help_listing(const Catalogue& catalogue, std::string_view prefix) {
  std::string text;
  catalogue.for_each_variable([&](const VariableEntry& e) {
    if (e.name.starts_with(prefix)) text += help_entry_text(e);
    return 0;
  });
  return text;
}

void help(LineContext& cx, const CommandWords& w) {
  if (w.count < 2) return cx.missing_word("help", "a variable name prefix");
  const std::string_view prefix = w.word[1];
  RunState& st = cx.st;
  st.catalogue.for_each_variable([&](const VariableEntry& e) {
    if (e.name.starts_with(prefix)) LogLine(st, help_entry_text(e));
    return 0;
  });
}

}  // namespace cmd7730
