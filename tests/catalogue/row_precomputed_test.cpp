// What is worked out for each row of the register map when the program is
// compiled -- its wrapped help text and its name's bucket -- must equal what
// working it out at run time gives, for every row.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/register_map.h"
#include "core/variables.h"

namespace cmd7730 {
namespace {

TEST(WrappedDescriptionTest, EveryRowMatchesWrappingAtRunTime) {
  int wrapped_rows = 0;
  for (const RegisterRow& row : register_map()) {
    std::string text = row.description;
    wrap_description(text);
    EXPECT_EQ(wrapped_description(row), text) << row.name;
    if (text != row.description) ++wrapped_rows;
  }
  // Long help texts exist, so the check above saw real wrapping.
  EXPECT_GT(wrapped_rows, 10);
}

TEST(RowHashTest, EveryRowMatchesHashingItsNameAtRunTime) {
  for (const RegisterRow& row : register_map()) {
    EXPECT_EQ(row_hash(row), hash_name(row.name)) << row.name;
  }
}

}  // namespace
}  // namespace cmd7730
