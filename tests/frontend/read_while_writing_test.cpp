// A run that reads a file it is itself writing sees the file as truncated,
// holding only what the run has handed to it so far.
#include <string>

#include "core/output_file.h"
#include "frontend/coef_file.h"
#include "frontend/interpreter.h"
#include "frontend/preprocess.h"
#include "support/frontend_fixture.h"

namespace cmd7730 {
namespace {

class ReadWhileWritingTest : public FrontendTest {
 protected:
  void SetUp() override {
    FrontendTest::SetUp();
    st->control_file = "cfg.txt";
  }
};

TEST_F(ReadWhileWritingTest, AnOutputNamedAsCoefficientFileReadsAsTruncated) {
  // Left over from an earlier run: numbers that must not be read.
  dir.write("cfg.tbl", "1\n2\n3\n");
  dir.write("cfg.anl", "4\n5\n");
  dir.write("cmd7730TmpCmdFile",
            "mode ab r\nmode cd r\nprint table\nchannel 0\nfir_coef cfg.tbl\n"
            "channel 1\nfir_coef cfg.anl\n");
  EXPECT_EQ(interpret_pass(*st), 0);
  EXPECT_EQ(st->ch[0].ncoefs, 0);  // the table is open: truncated
  EXPECT_EQ(st->ch[1].ncoefs, 2);  // the analysis file is not an output yet
  st->out[kTable].close();
  EXPECT_EQ(dir.read("cfg.tbl"), "");
}

TEST_F(ReadWhileWritingTest, TheTemporaryCommandFileIncludedIntoItselfReadsAsTruncated) {
  dir.write("tmpfile", "old line 1\nold line 2\n");
  dir.write("c.txt", "first\ninclude tmpfile\nlast\n");
  OutputFile tmp;
  ASSERT_TRUE(tmp.open_path("tmpfile"));
  EXPECT_EQ(createTmpCmdFile(*st, "c.txt", tmp), 0);
  tmp.close();
  // Nothing had reached the file when it was included: it read as empty.
  EXPECT_EQ(dir.read("tmpfile"), "first\n\nlast\n\n");
}

}  // namespace
}  // namespace cmd7730
