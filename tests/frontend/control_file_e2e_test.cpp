// Whole runs of the built compiler on control files: the early stops of the
// front end with their messages and statuses, and outputs selected by
// `print` carrying the values of an `override` pass.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace cmd7730 {
namespace {

using testing::run_binary;
using testing::ScratchDir;

// A complete receive configuration on all four channels.
constexpr const char* kReceiveAll =
    "mode ab r\nmode cd r\nfck = 100\n"
    "channel 0\nfir_coef taps.coef\nfreq 10.7\ncic_dec 8\nfir_dec 2\npins 16\nbits 16\nmix_rcv_sel "
    "0\n"
    "channel 1\ncopy_channel 0\nfir_coef taps.coef\nmix_rcv_sel 1\n"
    "channel 2\ncopy_channel 0\nfir_coef taps.coef\nmix_rcv_sel 2\n"
    "channel 3\ncopy_channel 0\nfir_coef taps.coef\nmix_rcv_sel 3\n";

constexpr const char* kTaps = "-1\n0\n9\n16\n9\n0\n-1\n";

TEST(ControlFileE2e, IncludedSettingsReachTheOutputsAndOverrideWins) {
  ScratchDir dir;
  dir.write("taps.coef", kTaps);
  dir.write("common.txt", kReceiveAll);
  dir.write("radio.cfg",
            "include common\nprint table\nprint hfile\n"
            "override\nchannel 1\nagc_Dblw = 5\n");
  const auto r = run_binary(dir.path(), {"radio.cfg"});
  ASSERT_FALSE(r.signaled);
  EXPECT_EQ(r.err.find("Error"), std::string::npos) << r.err;
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(dir.read("cmd7730TmpCmdFile"),
            std::string(kReceiveAll) +
                "\nprint table\nprint hfile\noverride\nchannel 1\nagc_Dblw = 5\n\n");
  const std::string table = dir.read("radio.tbl");
  EXPECT_NE(table.find("\nncoefs                   7     7     7     7\n"), std::string::npos);
  EXPECT_NE(table.find("\nmaxtap                  16    16    16    16\n"), std::string::npos);
  EXPECT_NE(table.find("\nsumtap                  32    32    32    32\n"), std::string::npos);
  EXPECT_NE(table.find("\nagc_Dblw             "), std::string::npos);
  EXPECT_NE(table.find("\nagc_Dblw                 0     5     0     0\n"), std::string::npos)
      << table;
  EXPECT_EQ(dir.read("radio.h").rfind(
                "/* hfile for radio configuration; necessary for config_zq7730 function */\n\n", 0),
            0u);
}

TEST(ControlFileE2e, UnusableInputEndsWithStatus1AndAClearMessage) {
  struct Case {
    const char* name;
    const char* control;  // the control file c.txt
    const char* err;      // expected at the end of standard error
  };
  const Case cases[] = {
      {"missing control file", nullptr, "Error: Couldn't open command file c.txt\n"},
      {"include cycle", "include c.txt\n", "Error: Include cycle: c.txt includes itself\n"},
      {"bad line", "mode ab r\nmode cd r\n\nChannel 1\n",
       "Error: Unrecognized command on line 3: Channel\n\n"},
      {"output cannot be created", "print debug\n", "Couldn't open c.dbg\n"},
      {"mandatory missing", "mode ab r\nmode cd r\n",
       "Error: Must declare coefficients for channel 3\n"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    if (c.control != nullptr) dir.write("c.txt", c.control);
    std::filesystem::create_directory(dir.file("c.dbg"));
    const auto r = run_binary(dir.path(), {"c.txt"});
    EXPECT_FALSE(r.signaled) << c.name;
    EXPECT_EQ(r.status, 1) << c.name;
    EXPECT_TRUE(r.err.ends_with(c.err)) << c.name << ":\n" << r.err;
  }
}

}  // namespace
}  // namespace cmd7730
