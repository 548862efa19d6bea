// The compiled-in case catalogue: distinct codes and their spelling, and that
// the sorted lookup finds every entry with its result and nothing else.
#include "fir/fircases.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace cmd7730 {
namespace {

TEST(FirCases, HoldsDistinctCodes) {
  const auto cases = fir_cases();
  std::set<std::string_view> codes;
  for (const FirCase& c : cases) codes.insert(c.code);
  EXPECT_EQ(codes.size(), cases.size());
}

TEST(FirCases, CodesUseOnlyTriedLetters) {
  const std::string digits = "123456789abcdefg";
  const std::string rates = "123456789abcdefghijklmnopqrstuvw";
  for (const FirCase& c : fir_cases()) {
    const std::string_view s = c.code;
    ASSERT_EQ(s.size(), 8u) << s;
    EXPECT_TRUE(s[0] == 'S' || s[0] == 'D') << s;
    EXPECT_TRUE(s[1] == 'R' || s[1] == 'C') << s;
    EXPECT_EQ(s[2], 'R') << s;  // no complex-coefficient cases
    EXPECT_TRUE(s[3] >= '1' && s[3] <= '4') << s;
    EXPECT_NE(rates.find(s[4]), std::string::npos) << s;
    EXPECT_NE(std::string("NOE").find(s[5]), std::string::npos) << s;
    EXPECT_NE(digits.find(s[6]), std::string::npos) << s;
    EXPECT_NE(digits.find(s[7]), std::string::npos) << s;
    EXPECT_FALSE(s[6] != '1' && s[7] != '1') << s << " both decimates and interpolates";
  }
}

TEST(FirCases, LookupFindsEveryEntryWithItsResult) {
  for (const FirCase& c : fir_cases()) {
    const FirCaseMatches m = lookup_fir_case(c.code);
    EXPECT_EQ(m.count, 1) << c.code;
    EXPECT_EQ(m.failing, c.passes ? 0 : 1) << c.code;
  }
  EXPECT_EQ(lookup_fir_case("SRR23O41").failing, 1);
  EXPECT_EQ(lookup_fir_case("DCR3cE11").failing, 1);
  EXPECT_EQ(lookup_fir_case("SRR14N41").failing, 0);
  EXPECT_EQ(lookup_fir_case("DCR4wO12").count, 1);
}

TEST(FirCases, LookupMatchesWholeCodesOnly) {
  EXPECT_EQ(lookup_fir_case("SRR55N11").count, 0);
  EXPECT_EQ(lookup_fir_case("SRR14N4").count, 0);
  EXPECT_EQ(lookup_fir_case("SRR14N411").count, 0);
  EXPECT_EQ(lookup_fir_case("srr14n41").count, 0);
  EXPECT_EQ(lookup_fir_case("").count, 0);
}

}  // namespace
}  // namespace cmd7730
