// The options around the plain `cmd7730 controlfile` run, as a process: what
// each one does, and that a wrong command line ends with status 2 before
// any file is written or any directory entered.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace cmd7730 {
namespace {

using testing::read_file;
using testing::run_binary;
using testing::ScratchDir;

using Names = std::vector<std::string>;

std::string quickstart() { return read_file(CMD7730_SOURCE_DIR "/examples/quickstart.txt"); }
std::string lowpass31() { return read_file(CMD7730_SOURCE_DIR "/examples/lowpass31.coef"); }

TEST(CommandLine, EachOptionDoesWhatItsHelpSays) {
  ScratchDir dir;
  const auto help = run_binary(dir.path(), {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  for (const char* option : {"-h,--help", "-C DIR", "--diagnostics classic|gnu", "--check",
                             "--variables PREFIX", "--decode FILE", "--diff A B", "--version"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option << " missing from\n" << help.out;
  }

  const auto version = run_binary(dir.path(), {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "cmd7730 " CMD7730_VERSION "\nchip revision revW, Mar 27 2007\n");

  // The listing is the text `help agc_m` logs in a compile, on standard
  // output and without a control file.
  dir.write("h.txt", "help agc_m\n");
  const auto logged = run_binary(dir.path(), {"h.txt"});
  const auto listed = run_binary(dir.path(), {"--variables", "agc_m"});
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(listed.err, "");
  EXPECT_NE(listed.out.find("\nagc_mode  Pseudo-variable with 4 bits."), std::string::npos);
  EXPECT_NE(logged.err.find(listed.out), std::string::npos) << listed.out;
  const auto unmatched = run_binary(dir.path(), {"--variables", "no_such_"});
  EXPECT_EQ(unmatched.status, 1);
  EXPECT_EQ(unmatched.out, "");

  // -C: the control file, its coefficient file, the outputs and the
  // temporary command file are all in the directory entered.
  ScratchDir top;
  std::filesystem::create_directory(top.file("sub"));
  top.write("sub/quickstart.txt", quickstart());
  top.write("sub/lowpass31.coef", lowpass31());
  const auto entered = run_binary(top.path(), {"-C", "sub", "quickstart.txt"});
  EXPECT_EQ(entered.status, 0) << entered.err;
  EXPECT_EQ(top.list(), Names{"sub"});
  EXPECT_TRUE(top.exists("sub/quickstart.tbl"));
  EXPECT_TRUE(top.exists("sub/cmd7730TmpCmdFile"));

  // The classic form is the plain run's console, byte for byte.
  const auto plain = run_binary(top.file("sub"), {"quickstart.txt"});
  const auto classic = run_binary(top.file("sub"), {"--diagnostics=classic", "quickstart.txt"});
  EXPECT_EQ(classic.status, plain.status);
  EXPECT_EQ(classic.err, plain.err);
  EXPECT_NE(run_binary(top.file("sub"), {"--diagnostics", "gnu", "quickstart.txt"}).status, 2);
}

TEST(CommandLine, UnknownOptionIsRefusedAndDoubleDashEndsTheOptions) {
  ScratchDir dir;
  dir.write("-x", quickstart());
  dir.write("lowpass31.coef", lowpass31());
  const auto unknown = run_binary(dir.path(), {"-x"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("unknown option '-x'\nUsage: cmd7730 [OPTIONS] [--] controlfile\n"),
            std::string::npos)
      << unknown.err;
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(dir.list(), (Names{"-x", "lowpass31.coef"}));

  const auto compiled = run_binary(dir.path(), {"--", "-x"});
  EXPECT_EQ(compiled.status, 0) << compiled.err;
  EXPECT_TRUE(dir.exists("-x.tbl"));
}

TEST(CommandLine, WrongCommandLineSaysWhyWithStatus2AndWritesNothing) {
  const struct {
    Names args;
    const char* why;
  } cases[] = {
      {{"-C"}, "option -C needs a value"},
      {{"c.txt", "--diagnostics"}, "option --diagnostics needs a value"},
      {{"-C", "missing", "c.txt"}, "-C missing: No such file or directory"},
      {{"-C", "c.txt", "c.txt"}, "-C c.txt: Not a directory"},
      {{"--diagnostics=xml", "c.txt"}, "--diagnostics takes classic or gnu, not 'xml'"},
      {{"--check"}, "a control file is required"},
      {{"--check", "c.txt", "c.txt"}, "only one control file"},
      {{"--variables", "agc", "c.txt"}, "--variables takes no control file"},
      {{"--decode"}, "option --decode needs a value"},
      {{"--diff", "c.txt"}, "option --diff needs two files"},
      {{"--decode", "c.txt", "c.txt"}, "--decode takes no control file"},
      {{"--decode", "c.txt", "--variables", "agc"}, "--variables, --decode and --diff cannot be"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    ScratchDir dir;
    dir.write("c.txt", quickstart());
    dir.write("lowpass31.coef", lowpass31());
    const auto r = run_binary(dir.path(), c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind(std::string("cmd7730: ") + c.why, 0), 0u) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(dir.list(), (Names{"c.txt", "lowpass31.coef"}));
  }
}

}  // namespace
}  // namespace cmd7730
