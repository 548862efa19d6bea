// The driver's command-line contract and exit statuses, run as a process.
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/test_support.h"

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
  // One pair declared and nothing else set: the run reports errors, status 1.
  dir.write("radio.txt", "mode ab r\n");
  const auto r = run_binary(dir.path(), {"radio.txt"});
  EXPECT_FALSE(r.signaled);
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(dir.exists("cmd7730TmpCmdFile"));
}

TEST(Driver, AnOutputThatCannotBeWrittenWholeFailsTheRun) {
  // The table lands on a device that is always full: the run must not end
  // as a success, and it must say which file is short.
  ScratchDir dir;
  dir.write("c.txt", "print table\n");
  ASSERT_EQ(symlink("/dev/full", dir.file("c.tbl").c_str()), 0);
  const auto r = run_binary(dir.path(), {"c.txt"});
  EXPECT_FALSE(r.signaled);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Error: Couldn't write c.tbl\n"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace cmd7730
