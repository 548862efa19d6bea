// Output files replace what an earlier run left: none of the old text may
// survive, not even while the run is still writing (a killed run must not
// leave new text followed by an old tail).
#include "core/output_file.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "support/test_support.h"

namespace cmd7730 {
namespace {

using testing::ScratchDir;

TEST(OutputFileTest, ReplacesALongerEarlierFileWithExactlyTheNewText) {
  ScratchDir dir;
  const std::string old_text(200000, 'x');
  dir.write("out.tbl", old_text);
  {
    OutputFile f;
    ASSERT_TRUE(f.open_path(dir.file("out.tbl")));
    f.write("short\n");
    EXPECT_EQ(dir.read("out.tbl"), "");  // gone on opening, before any flush
    f.close();
  }
  EXPECT_EQ(dir.read("out.tbl"), "short\n");

  // Opened and closed with nothing written: empty, as a truncated file was.
  dir.write("out.tbl", old_text);
  {
    OutputFile f;
    ASSERT_TRUE(f.open_path(dir.file("out.tbl")));
  }
  EXPECT_EQ(dir.read("out.tbl"), "");
}

TEST(OutputFileTest, FlushedTextAloneIsOnDiskBeforeCloseAndLaterTextExtendsIt) {
  ScratchDir dir;
  dir.write("out.dbg", std::string(5000, 'o'));
  OutputFile f;
  ASSERT_TRUE(f.open_path(dir.file("out.dbg")));
  f.write("first\n");
  f.flush();
  EXPECT_EQ(dir.read("out.dbg"), "first\n");
  // A piece larger than the buffer, after text still pending, and many
  // small ones after it, all land in order.
  const std::string big(150000, 'b');
  f.write("mid\n");
  f.write(big);
  std::string lines;
  for (int i = 0; i < 5000; ++i) lines += "line " + std::to_string(i) + "\n";
  for (size_t i = 0; i < lines.size(); i += 10) f.write(std::string_view(lines).substr(i, 10));
  f.close();
  EXPECT_EQ(dir.read("out.dbg"), "first\nmid\n" + big + lines);
}

TEST(OutputFileTest, ReopeningTheSameFileStartsItAfresh) {
  ScratchDir dir;
  OutputFile f;
  ASSERT_TRUE(f.open_path(dir.file("out.anl")));
  f.write("from the first print line, longer\n");
  ASSERT_TRUE(f.open_path(dir.file("out.anl")));
  f.write("second\n");
  f.close();
  EXPECT_EQ(dir.read("out.anl"), "second\n");
  EXPECT_FALSE(f.open_path(dir.file("no/such/dir/out.anl")));
}

TEST(OutputFileTest, AWriteThatDoesNotLandIsRemembered) {
  OutputFile full;
  ASSERT_TRUE(full.open_path("/dev/full"));
  full.write("text\n");
  EXPECT_FALSE(full.failed());  // still in the buffer
  full.close();
  EXPECT_TRUE(full.failed());
  EXPECT_EQ(full.path(), "/dev/full");

  ScratchDir dir;
  OutputFile fine;
  ASSERT_TRUE(fine.open_path(dir.file("ok.tbl")));
  fine.write("text\n");
  fine.close();
  EXPECT_FALSE(fine.failed());
}

}  // namespace
}  // namespace cmd7730
