// Cleaning the control file into the temporary command file: name
// resolution, blank lines, "^M", non-printable characters and includes.
#include "frontend/preprocess.h"

#include <string>

#include "core/output_file.h"
#include "support/frontend_fixture.h"

namespace cmd7730 {
namespace {

class PreprocessTest : public FrontendTest {
 protected:
  // Preprocesses `name`; returns the temporary command file text, or the
  // EarlyStop status as "stop N".
  std::string run(const std::string& name) {
    OutputFile tmp;
    tmp.open_memory();
    const int status = stop_status([&] { createTmpCmdFile(*st, name, tmp); });
    if (status != 0) return "stop " + std::to_string(status);
    return tmp.captured();
  }
};

TEST_F(PreprocessTest, NameIsTriedAsGivenThenBaseNameThenWithEachExtension) {
  dir.write("radio.txt", "from txt\n");
  EXPECT_EQ(run("radio.cfg"), "from txt\n\n");
  dir.write("radio.zq7730", "from zq7730\n");
  EXPECT_EQ(run("radio.cfg"), "from zq7730\n\n");
  dir.write("radio", "from base\n");
  EXPECT_EQ(run("radio.cfg"), "from base\n\n");
  dir.write("radio.cfg", "as given\n");
  EXPECT_EQ(run("radio.cfg"), "as given\n\n");
}

TEST_F(PreprocessTest, MissingFileIsAnErrorAndStopsWithStatus1) {
  EXPECT_EQ(run("absent.cfg"), "stop 1");
  EXPECT_EQ(console(), "Error: Couldn't open command file absent.cfg\n");
  EXPECT_EQ(st->error_flag, 1);
  // A directory is not a command file, even where the system lets it open.
  std::filesystem::create_directory("adir");
  EXPECT_EQ(run("adir"), "stop 1");
}

TEST_F(PreprocessTest, BlankLinesAreDroppedAndOtherLinesCopiedAsTheyAre) {
  // A line keeps its own line end, CRLF included.
  dir.write("c.txt", "a = 1\n\n \t \n,\n=\n100% sure\r\nlast");
  EXPECT_EQ(run("c.txt"), "a = 1\n,\n=\n100% sure\r\nlast\n");
  EXPECT_EQ(console(), "");
}

TEST_F(PreprocessTest, LineIsCutAtLiteralCaretMButKeepsItsLineEnd) {
  dir.write("c.txt", "fck = 80^M junk\n^Mgone\nnext\n");
  EXPECT_EQ(run("c.txt"), "fck = 80\n\nnext\n\n");
}

TEST_F(PreprocessTest, EachNonPrintableByteIsDeletedWithAWarningNamingTheFileLine) {
  // Line 3 holds 0xE9, a NUL and a lone carriage return; line 2 is dropped
  // but still counted.
  dir.write("c.txt", std::string("ok\n\ncaf\xE9", 8) + std::string("\0x\ry\n", 5));
  EXPECT_EQ(run("c.txt"), "ok\ncafxy\n\n");
  const std::string one =
      "Warning: Non ascii character on line 3; character was deleted.\n"
      "If there are problems, delete and re-write the line by hand.\n";
  EXPECT_EQ(console(), one + one + one);
  EXPECT_EQ(st->error_flag, 0);
}

TEST_F(PreprocessTest, IncludesExpandInPlaceWithAnEmptyLineAfterEachFile) {
  dir.write("top.txt", "mode ab r\ninclude mid\nchannel 1\n");
  dir.write("mid.txt", "fck = 80\ninclude,inner.zq7730\n");
  dir.write("inner.zq7730", "fir_dec 2\n");
  EXPECT_EQ(run("top.txt"), "mode ab r\nfck = 80\nfir_dec 2\n\n\nchannel 1\n\n");
}

TEST_F(PreprocessTest, LongLinesAreCopiedWhole) {
  const std::string long_line = "# " + std::string(5000, 'x') + " fir_dec 3";
  dir.write("c.txt", long_line + "\n");
  EXPECT_EQ(run("c.txt"), long_line + "\n\n");
}

TEST_F(PreprocessTest, BadIncludesStopWithAnErrorNamingTheFile) {
  dir.write("a.txt", "x\ninclude b.txt\n");
  dir.write("b.txt", "include ./a.txt\n");
  EXPECT_EQ(run("a.txt"), "stop 1");
  EXPECT_EQ(console(), "Error: Include cycle: ./a.txt includes itself\n");

  st->console.open_memory();
  dir.write("self.txt", "include self.txt\n");
  EXPECT_EQ(run("self.txt"), "stop 1");
  EXPECT_EQ(console(), "Error: Include cycle: self.txt includes itself\n");

  st->console.open_memory();
  dir.write("bare.txt", "ok\n  include\n");
  EXPECT_EQ(run("bare.txt"), "stop 1");
  EXPECT_EQ(console(), "Error: include on line 2 of bare.txt needs a file name\n");

  st->console.open_memory();
  dir.write("gap.txt", "include missing.txt\n");
  EXPECT_EQ(run("gap.txt"), "stop 1");
  EXPECT_EQ(console(), "Error: Couldn't open command file missing.txt\n");
}

TEST_F(PreprocessTest, IncludeDepthIsLimited) {
  // A chain of distinct files f0 -> f1 -> ... -> f64; from f0 it nests one
  // file deeper than allowed.
  for (int i = 0; i < kMaxIncludeDepth; ++i) {
    dir.write("f" + std::to_string(i), "include f" + std::to_string(i + 1) + "\n");
  }
  dir.write("f" + std::to_string(kMaxIncludeDepth), "end\n");
  EXPECT_EQ(run("f0"), "stop 1");
  EXPECT_EQ(console(), "Error: Includes nested deeper than 64 files at f64\n");

  // One level less is followed to the end.
  st->console.open_memory();
  EXPECT_EQ(run("f1"), "end\n" + std::string(kMaxIncludeDepth, '\n'));
}

}  // namespace
}  // namespace cmd7730
