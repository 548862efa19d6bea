// The driver's command-line contract and exit statuses, run as a process.
#include <gtest/gtest.h>

#include "test_support.h"

namespace cmd7730 {
namespace {

using testing::run_binary;
using testing::ScratchDir;

TEST(Driver, WrongArgumentCountPrintsUsageAndExits2WithoutTemporaryFile) {
  for (const auto& args : {std::vector<std::string>{}, std::vector<std::string>{"a", "b"}}) {
    ScratchDir dir;
    const auto r = run_binary(dir.path(), args);
    EXPECT_FALSE(r.signaled);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "Usage: cmd7730 controlfile\n Version: revW, Mar 27 2007\n");
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(dir.exists("cmd7730TmpCmdFile"));
  }
}

TEST(Driver, OneArgumentCreatesTheTemporaryCommandFile) {
  ScratchDir dir;
  dir.write("radio.txt", "mode ab r\n");
  const auto r = run_binary(dir.path(), {"radio.txt"});
  EXPECT_FALSE(r.signaled);
  EXPECT_TRUE(r.status == 0 || r.status == 1) << r.status;
  EXPECT_TRUE(dir.exists("cmd7730TmpCmdFile"));
}

}  // namespace
}  // namespace cmd7730
