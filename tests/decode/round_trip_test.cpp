// Reading back what a run wrote: for every example (and one that issues
// sync pulses), --decode of its C header, bench script and simulation script
// prints the same lines, and each variable's values are the run's table
// values as packed (unset, -1, as 0).  Three parsers and two writers must
// agree on every register and memory word.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "core/run_state.h"
#include "support/compiled_examples.h"
#include "support/test_support.h"

namespace cmd7730 {
namespace {

using testing::CompiledExamples;
using testing::run_binary;

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Returns "" when `a` and `b` are the same text, else their first differing
// line, so a failure shows one line rather than two listings.
std::string first_difference(const std::string& a, const std::string& b) {
  const std::vector<std::string> la = split_lines(a), lb = split_lines(b);
  for (size_t i = 0; i < std::max(la.size(), lb.size()); ++i) {
    const std::string x = i < la.size() ? la[i] : "(none)", y = i < lb.size() ? lb[i] : "(none)";
    if (x != y) return "line " + std::to_string(i + 1) + ": " + x + "\n  versus: " + y;
  }
  return "";
}

TEST(DecodeRoundTrip, EveryFormOfEveryExampleGivesBackTheTable) {
  // sync_mode 4 makes the run pulse the sync output through register 1
  // after the release (one_shot 2, not the table's 3), which must not read
  // as its setting.
  const CompiledExamples ex(
      {{"sync.txt", testing::read_file(CMD7730_SOURCE_DIR "/examples/quickstart.txt") +
                        "sync_mode = 4\nprint hfile\nprint zq220\n"
                        "print sim\nprint table\n"}});
  EXPECT_NE(ex.dir().read("sync.zq220").find("dwr16 3 1ff\ndwr16 1 14\n"), std::string::npos);
  // A header that went through an editor with CRLF line ends reads the same.
  std::string crlf;
  for (const std::string& line : split_lines(ex.dir().read("quickstart.h"))) crlf += line + "\r\n";
  ex.dir().write("crlf.h", crlf);

  auto st = std::make_unique<RunState>();
  build_catalogue(*st);
  ASSERT_GE(ex.statuses().size(), 8u);  // the seven examples and the sync run
  for (const auto& [stem, status] : ex.statuses()) {
    SCOPED_TRACE(stem);
    ASSERT_EQ(status, 0);
    const auto header = run_binary(ex.dir().path(), {"--decode", stem + ".h"});
    ASSERT_EQ(header.status, 0) << header.err;
    EXPECT_EQ(header.err, "");
    for (const char* form : {".zq220", ".sim"}) {
      const auto other = run_binary(ex.dir().path(), {"--decode", stem + form});
      EXPECT_EQ(other.status, 0) << other.err;
      EXPECT_EQ(first_difference(other.out, header.out), "") << form;
    }
    if (stem == "quickstart") {
      EXPECT_EQ(
          first_difference(run_binary(ex.dir().path(), {"--decode", "crlf.h"}).out, header.out),
          "");
    }

    const testing::TableRows table = ex.table(stem);
    size_t variables = 0;
    for (const std::string& line : split_lines(header.out)) {
      std::istringstream words(line);
      std::string name;
      words >> name;
      if (name == "coefram" || name == "swram" || name == "beram") continue;
      ++variables;
      const VariableEntry* e = st->catalogue.lookup_variable(name);
      ASSERT_NE(e, nullptr) << line;
      const std::vector<long>& expected = table.at(name);
      std::vector<long> decoded;
      for (long v; words >> v;) decoded.push_back(v);
      ASSERT_EQ(decoded.size(), expected.size()) << line;
      for (size_t k = 0; k < expected.size(); ++k) {
        // A value that does not fit spills over its field; unset packs as 0.
        const bool fits = expected[k] >= 0 && expected[k] < (1L << e->width);
        if (expected[k] != -1 && !fits) continue;
        EXPECT_EQ(decoded[k], expected[k] == -1 ? 0 : expected[k]) << line << " copy " << k;
      }
    }
    // Every variable with a register field, and only those.
    size_t registered = 0;
    for (const VariableEntry* e : st->catalogue.registration_list()) {
      registered += !e->is_pseudo() && !e->is_wide();
    }
    EXPECT_EQ(variables, registered);
    // The twelve memory lines: coefram, swram and beram for A..D, every word
    // written.
    const std::vector<std::string> lines = split_lines(header.out);
    ASSERT_EQ(lines.size(), registered + 12);
    EXPECT_EQ(lines[registered].rfind("coefram A ", 0), 0u);
    EXPECT_EQ(lines.back().rfind("beram D ", 0), 0u);
    EXPECT_EQ(header.out.find(" -"), std::string::npos);
  }
}

}  // namespace
}  // namespace cmd7730
