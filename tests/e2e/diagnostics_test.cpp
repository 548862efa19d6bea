// The gnu form of messages (FILE:LINE of the user's own line, through
// includes) and --check (every phase, no file written, the findings on
// input the language takes silently).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace cmd7730 {
namespace {

using testing::read_file;
using testing::run_binary;
using testing::RunResult;
using testing::ScratchDir;

// Errors in an included file of an included file, after an include whose
// last line has no line feed (which adds no line of its own to the cleaned
// copy), and in the main file after a blank line (which is dropped).
TEST(GnuDiagnostics, NamesTheUsersFileAndLineThroughNestedIncludes) {
  ScratchDir dir;
  dir.write("inner.txt", "fck = 100\nbogus 1");  // no line feed at the end
  dir.write("outer.txt", "mode ab r\ninclude inner.txt\nmode cd r\n");
  dir.write("main.txt", "# settings\ninclude outer.txt\n\nfrobnicate\n");
  const RunResult r = run_binary(dir.path(), {"--diagnostics=gnu", "main.txt"});
  EXPECT_EQ(r.status, 1);
  // The texts are today's, with their own trailing "\n"; their "line N" is
  // the line of the cleaned copy.  (fck comes before `mode cd`.)
  EXPECT_EQ(r.err,
            "inner.txt:1: error: Must set mode ab and mode cd before setting other variables\n\n"
            "inner.txt:2: error: Unrecognized command on line 4: bogus\n\n"
            "main.txt:4: error: Unrecognized command on line 7: frobnicate\n\n");
}

class CheckRun : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.write("rx.coef", read_file(std::string(CMD7730_SOURCE_DIR) + "/examples/lowpass31.coef"));
    // The private command file goes to TMPDIR when it is set: watch there too.
    const char* old = std::getenv("TMPDIR");
    if (old != nullptr) saved_tmpdir_ = old;
    had_tmpdir_ = old != nullptr;
    setenv("TMPDIR", tmp_.path().c_str(), 1);
  }
  void TearDown() override {
    if (had_tmpdir_) {
      setenv("TMPDIR", saved_tmpdir_.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
  }

  // Nothing but the inputs is left, here or in TMPDIR.
  void expect_nothing_left(const std::vector<std::string>& inputs) {
    EXPECT_EQ(dir_.list(), inputs);
    EXPECT_TRUE(tmp_.list().empty());
  }

  ScratchDir dir_;
  ScratchDir tmp_;
  std::string saved_tmpdir_;
  bool had_tmpdir_ = false;
};

TEST_F(CheckRun, ReportsEachSuspiciousFormAtItsLine) {
  dir_.write("sus.txt",
             "mode ab receive\n"     // 1
             "mode cd transmit\n"    // 2
             "fck = 80MHz\n"         // 3
             "pwr_dwn_cic_CD = 1\n"  // 4
             "channel 0\n"           // 5
             "fir_coef rx.coef\n"    // 6
             "freq = 21,4\n"         // 7
             "cic_dec = 8\n"         // 8
             "fir_dec = 2\n"         // 9
             "mix_rcv_sel = 1O\n"    // 10
             "pins = 16\n"           // 11
             "bits = 16\n"           // 12
             "overall_gain = 1\n"    // 13
             "tinf_bits = 4\n"       // 14
             "cic_dec = 10\n"        // 15
             "channel 1\n"           // 16
             "copy_channel 0\n"      // 17
             "fir_coef rx.coef\n"    // 18
             "channel 2\n"           // 19
             "freq = 10\n"           // 20
             "override\n"            // 21
             "channel 1\n"           // 22
             "phase = 0X10\n");      // 23
  const RunResult r = run_binary(dir_.path(), {"--check", "sus.txt"});
  EXPECT_EQ(r.status, 1);
  // Only the findings fail this run.
  EXPECT_EQ(r.err.find("error:"), std::string::npos) << r.err;
  for (const char* finding : {
           "sus.txt:3: warning: \"80MHz\" is read as 80: the characters after the number are "
           "ignored\n",
           "sus.txt:7: warning: Second number \"4\" after the value of freq is ignored",
           "sus.txt:10: warning: \"1O\" is read as 1: the characters after the number are "
           "ignored\n",
           "sus.txt:14: warning: tinf_bits is not used by channel 0 in receive mode\n",
           "sus.txt:15: warning: cic_dec is set again for channel 0: the value set at "
           "sus.txt:8 is lost\n",
           "sus.txt:20: warning: freq is set for channel 2, which is powered down\n",
           // In the override pass, whose own line count starts again.
           "sus.txt:23: warning: \"0X10\" is read as 0: a hexadecimal number starts with a "
           "lower-case 0x\n",
           "sus.txt: warning: No print line: the run selects no output\n",
       }) {
    EXPECT_NE(r.err.find(finding), std::string::npos) << finding << "\nin:\n" << r.err;
  }
  expect_nothing_left({"rx.coef", "sus.txt"});
}

TEST_F(CheckRun, CleanFilePassesAndWritesNothing) {
  dir_.write("ok.txt",
             "mode ab r\nmode cd r\nfck = 100\nprint analysis\nprint hfile\nprint table\n"
             "channel 0\nfir_coef rx.coef\nfreq 10\ncic_dec 8\nfir_dec 2\npins 16\nbits 16\n"
             "overall_gain 1\nmix_rcv_sel 0\n"
             "channel 1\ncopy_channel 0\nfir_coef rx.coef\n"
             "channel 2\ncopy_channel 0\nfir_coef rx.coef\n"
             "channel 3\ncopy_channel 0\nfir_coef rx.coef\n");
  const RunResult r = run_binary(dir_.path(), {"--check", "ok.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  expect_nothing_left({"ok.txt", "rx.coef"});
}

}  // namespace
}  // namespace cmd7730
