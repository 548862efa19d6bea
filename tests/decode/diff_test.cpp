// --diff on two runs' register files: one line for each register variable
// copy whose table values differ (unset, -1, packed as 0), in registration
// order, then one for each FIR memory word that differs; status 1 when it
// printed anything and 0 when two files of one run are compared.
#include <gtest/gtest.h>

#include <cstdio>
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

// Returns "%-20s %c %5s %5s\n".
std::string line(const std::string& name, char channel, const std::string& a,
                 const std::string& b) {
  char text[96];
  std::snprintf(text, sizeof text, "%-20s %c %5s %5s\n", name.c_str(), channel, a.c_str(),
                b.c_str());
  return text;
}

// Returns the words of the memory lines ("coefram A 0 0 ...") of a listing,
// by the line's first two words.
std::vector<std::pair<std::string, std::vector<std::string>>> memories(const std::string& text) {
  std::vector<std::pair<std::string, std::vector<std::string>>> found;
  std::istringstream lines(text);
  for (std::string l; std::getline(lines, l);) {
    std::istringstream words(l);
    std::string name, channel;
    words >> name >> channel;
    if (name != "coefram" && name != "swram" && name != "beram") continue;
    found.push_back({name + " " + channel, {}});
    for (std::string w; words >> w;) found.back().second.push_back(w);
  }
  return found;
}

TEST(DecodeDiff, ListsExactlyTheVariablesAndWordsTheTwoRunsSetDifferently) {
  const CompiledExamples ex;
  const std::string dir = ex.dir().path();

  const auto same = run_binary(dir, {"--diff", "quickstart.h", "quickstart.zq220"});
  EXPECT_EQ(same.status, 0) << same.err;
  EXPECT_EQ(same.out, "");

  auto st = std::make_unique<RunState>();
  build_catalogue(*st);
  const testing::TableRows a = ex.table("quickstart"), b = ex.table("transmit");
  std::string expected;
  for (const VariableEntry* e : st->catalogue.registration_list()) {
    if (e->is_pseudo() || e->is_wide()) continue;
    const std::vector<long>& va = a.at(e->name);
    const std::vector<long>& vb = b.at(e->name);
    for (size_t k = 0; k < va.size(); ++k) {
      const long x = va[k] == -1 ? 0 : va[k], y = vb[k] == -1 ? 0 : vb[k];
      if (x == y) continue;
      const char channel = va.size() == 4 ? static_cast<char>('A' + k) : '-';
      expected += line(e->name, channel, std::to_string(x), std::to_string(y));
    }
  }
  // The memory words, paired from the two listings.
  const auto ma = memories(run_binary(dir, {"--decode", "quickstart.h"}).out);
  const auto mb = memories(run_binary(dir, {"--decode", "transmit.h"}).out);
  ASSERT_EQ(ma.size(), 12u);
  ASSERT_EQ(mb.size(), 12u);
  size_t words = 0;
  for (size_t m = 0; m < ma.size(); ++m) {
    const std::string name = ma[m].first.substr(0, ma[m].first.find(' '));
    for (size_t i = 0; i < ma[m].second.size(); ++i) {
      if (ma[m].second[i] == mb[m].second[i]) continue;
      ++words;
      expected += line(name + "[" + std::to_string(i) + "]", ma[m].first.back(), ma[m].second[i],
                       mb[m].second[i]);
    }
  }
  EXPECT_GT(words, 0u);  // the two runs load different filters

  const auto d = run_binary(dir, {"--diff", "quickstart.h", "transmit.h"});
  EXPECT_EQ(d.status, 1) << d.err;
  EXPECT_EQ(d.err, "");
  EXPECT_EQ(d.out, expected);
  // Any two forms compare alike.
  EXPECT_EQ(run_binary(dir, {"--diff", "quickstart.sim", "transmit.zq220"}).out, expected);
}

}  // namespace
}  // namespace cmd7730
