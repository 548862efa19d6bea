// Routing of the five message kinds to the open outputs and the console.
#include "core/messages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "support/test_support.h"

namespace cmd7730 {
namespace {

class MessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st = std::make_unique<RunState>();
    st->console.open_memory();
    for (auto& f : st->out) f.open_memory();
  }
  void select(std::initializer_list<OutputKind> kinds) {
    for (OutputKind k : kinds) st->chip.print_flags |= output_bit(k);
  }
  const std::string& text(OutputKind k) { return st->out[k].captured(); }
  std::unique_ptr<RunState> st;
};

TEST_F(MessagesTest, ErrorBeforeAnyPrintReachesOnlyTheConsoleAndSetsTheFlag) {
  Error(*st, "boom", kTagCmdin, 12);
  EXPECT_EQ(st->console.captured(), "Error: boom\n");
  EXPECT_EQ(st->error_flag, 1);
  for (int k = 0; k < kOutputKinds; ++k) EXPECT_EQ(st->out[k].captured(), "");
}

TEST(ConsoleTest, AMessageReachesTheConsoleStreamWhenReported) {
  // A run that then waits or is killed must already have shown it.
  testing::ScratchDir dir;
  std::FILE* stream = std::fopen(dir.file("console").c_str(), "w");
  ASSERT_NE(stream, nullptr);
  setvbuf(stream, nullptr, _IOFBF, 1 << 16);  // the sink must not rely on the stream's mode
  RunState st;
  st.console.attach(stream);
  Warning(st, "slow coefficient file", kTagCmdin, 1);
  EXPECT_EQ(dir.read("console"), "Warning: slow coefficient file\n");
  st.console.close();
  std::fclose(stream);
}

TEST_F(MessagesTest, ErrorGoesToEveryOpenFileButTheHeader) {
  select({kAnalysis, kZq220, kSim, kTable, kDebug, kHeader});
  Error(*st, "bad", kTagSanity, 7);
  for (OutputKind k : {kAnalysis, kZq220, kSim, kTable, kDebug}) {
    EXPECT_EQ(text(k), "Error(.\\sanity L7): bad\n");
  }
  EXPECT_EQ(text(kHeader), "");
}

TEST_F(MessagesTest, JsonKeepsErrorsAndWarningsInOrderButNoTextReachesItsFileOrThePlot) {
  Warning(*st, "before", kTagCmdin, 1);  // kept before the document is selected
  select({kJson, kResponse});
  Warning(*st, "slow", kTagCmdin, 3);
  Debug(*st, "detail", kTagCmdin, 4);
  LogLine(*st, "log\n");
  Error(*st, "bad", kTagSanity, 7);
  ASSERT_EQ(st->reported.size(), 3u);
  EXPECT_EQ(st->reported[0].text, "before");
  EXPECT_STREQ(st->reported[1].kind, "Warning");
  EXPECT_EQ(st->reported[1].text, "slow");
  EXPECT_EQ(st->reported[2].tag, ".\\sanity");
  EXPECT_EQ(st->reported[2].line, 7);
  EXPECT_EQ(text(kJson), "");
  EXPECT_EQ(text(kResponse), "");
}

TEST_F(MessagesTest, WarningIsWrittenThreeTimesWithAnalysisAndDebugOpen) {
  select({kAnalysis, kDebug, kTable});
  Warning(*st, "careful", kTagConfig, 216);
  EXPECT_EQ(text(kAnalysis), "Warning(.\\config L216): careful\n");
  EXPECT_EQ(text(kDebug), "Warning(.\\config L216): careful\n");
  EXPECT_EQ(text(kTable), "");
  EXPECT_EQ(st->console.captured(), "Warning: careful\n");
  EXPECT_EQ(st->error_flag, 0);
}

TEST_F(MessagesTest, DebugGoesOnlyToTheDebugListing) {
  Debug(*st, "quiet", kTagFirconfig, 1);
  EXPECT_EQ(st->console.captured(), "");
  select({kDebug, kAnalysis});
  Debug(*st, "loud\n", kTagFirconfig, 2);
  EXPECT_EQ(text(kDebug), "Debug(.\\firconfig L2): loud\n\n");
  EXPECT_EQ(text(kAnalysis), "");
}

TEST_F(MessagesTest, ErrorWithOnlyTheHeaderOpenReachesTheConsoleOnly) {
  select({kHeader});
  Error(*st, "x", kTagDefaults, 66);
  EXPECT_EQ(text(kHeader), "");
  EXPECT_EQ(st->console.captured(), "Error: x\n");
}

TEST_F(MessagesTest, LogLineAndErrorTextAreWrittenUnchanged) {
  select({kAnalysis, kDebug, kSim});
  LogLine(*st, "a line\n");
  ErrorText(*st, "   hint\n");
  EXPECT_EQ(text(kDebug), "a line\n   hint\n");
  EXPECT_EQ(text(kAnalysis), "a line\n   hint\n");
  EXPECT_EQ(text(kSim), "   hint\n");
  EXPECT_EQ(st->console.captured(), "a line\n   hint\n");
  EXPECT_EQ(st->error_flag, 1);
}

TEST_F(MessagesTest, TextIsDataAndAnyLengthIsWrittenWhole) {
  select({kAnalysis});
  const std::string long_text = std::string(5000, 'x') + "%s%n%d";
  Warning(*st, long_text, kTagCmdin, 1);
  EXPECT_EQ(text(kAnalysis), "Warning(.\\cmdin L1): " + long_text + "\n");
  EXPECT_EQ(strf("%s|%5d|%x", std::string(3000, 'y').c_str(), 42, 255),
            std::string(3000, 'y') + "|   42|ff");
}

}  // namespace
}  // namespace cmd7730
