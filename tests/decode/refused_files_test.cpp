// Files --decode and --diff refuse: none of the three forms, a line that
// does not parse, a header cut short or miscounted, a write outside the
// register map, a value wider than 16 bits, a paged bench write before any
// page is selected, a file that cannot be read.  Each ends with status 2 and
// exactly one message "FILE:LINE: what is wrong" on standard error, nothing
// on standard output and no file written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace cmd7730 {
namespace {

using testing::run_binary;
using testing::ScratchDir;

// A complete header as a run writes it, two writes long; the cases cut and
// alter it.
constexpr const char* kHeadTop =
    "/* hfile for r configuration; necessary for config_zq7730 function */\n\n"
    "struct {\n    short page;\n    short addr;\n    short val;\n} regs[] = {\n"
    "    { 0xffffffff, 0x0, 0xfff0 },\n";
constexpr const char* kHeadRow = "    { 0x80, 0x15, 0x0 }";
constexpr const char* kHeadEnd = "\n};\n\nint nwrites = 2;\n";

TEST(DecodeRefusal, EachBadFileGetsOneMessageAtItsLineAndStatus2) {
  const std::string header = std::string(kHeadTop) + kHeadRow + kHeadEnd;
  const struct {
    const char* file;
    std::string text;
    const char* message;
  } cases[] = {
      {"c.txt", "mode ab r\nmode cd r\n",
       "c.txt:1: not a C header, bench script or simulation script of cmd7730"},
      {"empty.h", "\n\n",
       "empty.h:1: not a C header, bench script or simulation script of cmd7730"},
      // The header: counted, closed and complete, or refused.
      {"r.h", std::string(kHeadTop) + kHeadRow + "\n};\n\nint nwrites = 3;\n",
       "r.h:12: nwrites is 3, but regs[] has 2 rows"},
      {"r.h", std::string(kHeadTop) + kHeadRow + ",\n",
       "r.h:9: the file ends before \"};\" closes regs[]"},
      {"r.h", std::string(kHeadTop) + kHeadRow + "\n};\n",
       "r.h:10: the file ends before \"int nwrites = N;\""},
      {"r.h", std::string(kHeadTop) + "    { 0x80, 0x15, 0x0 }\n" + kHeadRow + kHeadEnd,
       "r.h:10: the row before this one does not end with ','"},
      {"r.h", std::string(kHeadTop) + "    { 0x80, 0x15 }" + kHeadEnd,
       "r.h:9: not a row of regs[]: expected { 0xPAGE, 0xADDRESS, 0xVALUE }"},
      {"r.h", std::string(kHeadTop) + "    { 0x80, 0x15, 0x10000 }" + kHeadEnd,
       "r.h:9: value 65536 (0x10000) is wider than 16 bits"},
      {"r.h", header + "int more;\n", "r.h:13: text after \"int nwrites = N;\""},
      // The bench script.
      {"r.zq220", "dwr16 0 fff0\ndwr16 15 0\n",
       "r.zq220:2: address 0x15 is on a page, but no page has been selected"},
      {"r.zq220", "dwr16 2 ff\ndwr16 10 1\n",
       "r.zq220:2: page 0xff, address 0x10 is outside the register map"},
      {"r.zq220", "dwr16 0 fff0\ndwr16 0 fff0 1\n",
       "r.zq220:2: not a bench script line: expected dwr16 ADDRESS VALUE"},
      {"r.zq220", "dwr16 3 123456789\n", "r.zq220:1: a number wider than 32 bits"},
      {"r.zq220", "dwr16 0 fff0\nError(.\\config L2045): gain is below 0\n",
       "r.zq220:2: an Error reported by the run that wrote this file; its image is not one to "
       "load"},
      // The simulation script.
      {"r.sim", "Wglb 0 0xfff0\nWglb 0x7 0x1\n",
       "r.sim:2: global register 0x7 is outside the register map"},
      {"r.sim", "Wcon 0x12 0x1b 0x1\n",
       "r.sim:1: page 0x12, address 0x1b is outside the register map"},
      {"r.sim", "QOEF 0 0 0x0 0x0;\n",
       "r.sim:1: expected QOEF CHANNEL BLOCK and 16 words ended by ';'"},
      {"r.sim", "SWRAM 4  0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15;\n",
       "r.sim:1: channel 4 is outside 0..3"},
      {"r.sim", "BERAM 0  0x0 0x0 0x0 0x0 0x0 0x0 0x0 0x0 0x0 0x0 0x0 0x0 0x0 0x0 0x0 0x12345;\n",
       "r.sim:1: value 74565 (0x12345) is wider than 16 bits"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    ScratchDir dir;
    dir.write(c.file, c.text);
    dir.write("good.h", header);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--decode", c.file}, {"--diff", "good.h", c.file}}) {
      const auto r = run_binary(dir.path(), args);
      EXPECT_EQ(r.status, 2) << args[0];
      EXPECT_EQ(r.err, std::string(c.message) + "\n") << args[0];
      EXPECT_TRUE(r.out.empty()) << args[0] << " printed " << r.out.size() << " bytes";
    }
    EXPECT_EQ(dir.list().size(), 2u);
  }

  ScratchDir dir;
  dir.write("good.h", header);
  EXPECT_EQ(run_binary(dir.path(), {"--decode", "good.h"}).status, 0);
  const auto missing = run_binary(dir.path(), {"--decode", "missing.h"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "missing.h: cannot read: No such file or directory\n");
  EXPECT_EQ(missing.out, "");
}

}  // namespace
}  // namespace cmd7730
