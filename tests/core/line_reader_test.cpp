// Line reading in blocks: lines that straddle blocks, line ends split
// between them, NUL bytes, a last line without its line feed, and a second
// reader picking up exactly where a first one gave back.
#include "core/line_reader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace cmd7730 {
namespace {

using testing::ScratchDir;

struct Read {
  std::string text;
  LineEnd end;
  bool operator==(const Read&) const = default;
};

std::vector<Read> read_all(LineReader& r) {
  std::vector<Read> lines;
  std::string_view line;
  LineEnd end;
  while (r.read(line, end)) lines.push_back({std::string(line), end});
  return lines;
}

TEST(LineReaderTest, LinesOfAnyLengthArriveWholeWithTheirLineEnds) {
  ScratchDir dir;
  // A 40000-character line crosses block boundaries; the CR LF pair after
  // the filler is split between two blocks of 16384.
  const std::string filler(16383, 'f');
  const std::string big(40000, 'x');
  const std::string nul("a\0b", 3);
  dir.write("in.txt", filler + "\r\n" + big + "\n" + nul + "\r\n\n\rlone\nlast");
  std::FILE* f = open_for_reading(dir.file("in.txt"));
  ASSERT_NE(f, nullptr);
  LineReader r(f);
  const std::vector<Read> expected = {{filler, LineEnd::kCrLf}, {big, LineEnd::kLf},
                                      {nul, LineEnd::kCrLf},    {"", LineEnd::kLf},
                                      {"\rlone", LineEnd::kLf}, {"last", LineEnd::kNone}};
  EXPECT_EQ(read_all(r), expected);
  std::string_view line = "unchanged";
  LineEnd end = LineEnd::kLf;
  EXPECT_FALSE(r.read(line, end));
  EXPECT_EQ(end, LineEnd::kNone);
  EXPECT_EQ(r.get(), EOF);
  std::fclose(f);
}

TEST(LineReaderTest, ASecondReaderContinuesAfterWhatTheFirstGaveBack) {
  ScratchDir dir;
  dir.write("cmd", "one\ntwo\r\nthree\n4 5\n");
  std::FILE* f = open_for_reading(dir.file("cmd"));
  ASSERT_NE(f, nullptr);
  {
    LineReader first(f);
    std::string_view line;
    LineEnd end;
    ASSERT_TRUE(first.read(line, end));
    ASSERT_TRUE(first.read(line, end));
    EXPECT_EQ(line, "two");
    first.give_back();
  }
  LineReader second(f);
  std::string_view line;
  LineEnd end;
  ASSERT_TRUE(second.read(line, end));
  EXPECT_EQ(line, "three");
  // Characters one at a time go on from the same place.
  EXPECT_EQ(second.get(), '4');
  EXPECT_EQ(second.get(), ' ');
  ASSERT_TRUE(second.read(line, end));
  EXPECT_EQ(line, "5");
  EXPECT_FALSE(second.read(line, end));
  std::fclose(f);
}

TEST(LineReaderTest, CharactersAndSkippedLinesCrossBlocksLikeLines) {
  ScratchDir dir;
  // The second line's feed is the first character of the second block.
  const std::string first(16382, 'a');
  dir.write("in.txt", "ab\n" + first + "\n-12\nlast");
  std::FILE* f = open_for_reading(dir.file("in.txt"));
  ASSERT_NE(f, nullptr);
  LineReader r(f);
  EXPECT_EQ(r.peek(), 'a');
  EXPECT_EQ(r.next(), 'b');
  r.skip_line();  // the rest of "ab"
  r.skip_line();  // the long line, its feed in the next block
  EXPECT_EQ(r.get(), '-');
  EXPECT_EQ(r.next(), '2');
  std::string_view line;
  LineEnd end;
  ASSERT_TRUE(r.read(line, end));  // what is left of "-12"
  EXPECT_EQ(line, "2");
  r.skip_line();  // "last", to the end of the file
  EXPECT_EQ(r.peek(), EOF);
  r.skip_line();
  EXPECT_EQ(r.get(), EOF);
  std::fclose(f);
}

TEST(LineReaderTest, DirectoriesAndMissingFilesDoNotOpen) {
  ScratchDir dir;
  EXPECT_EQ(open_for_reading(dir.path()), nullptr);
  EXPECT_EQ(open_for_reading(dir.file("absent")), nullptr);
  EXPECT_EQ(open_for_reading(""), nullptr);
  dir.write("a", "x");
  FileId a, a_again;
  std::FILE* f = open_for_reading(dir.file("a"), &a);
  std::FILE* g = open_for_reading(dir.path() + "/./a", &a_again);
  ASSERT_NE(f, nullptr);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(a, a_again);
  std::fclose(f);
  std::fclose(g);
}

}  // namespace
}  // namespace cmd7730
