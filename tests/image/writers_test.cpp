// The four register outputs, byte for byte: table lines, the simulation
// script's held-back mixer registers and memories, and the bench script and
// C header written from one sequence of register writes.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "core/run_state.h"
#include "image/output_writers.h"
#include "image/register_image.h"

namespace cmd7730 {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

int count_of(const std::string& text, const std::string& needle) {
  int n = 0;
  for (size_t pos = text.find(needle); pos != std::string::npos; pos = text.find(needle, pos + 1)) {
    ++n;
  }
  return n;
}

bool ends_with(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class WritersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st = std::make_unique<RunState>();
    build_catalogue(*st);
    st->console.open_memory();
    for (auto& f : st->out) f.open_memory();
  }
  void select(std::initializer_list<OutputKind> kinds) {
    for (OutputKind k : kinds) st->chip.print_flags |= output_bit(k);
  }
  void write() { write_register_outputs(*st); }
  const std::string& text(OutputKind k) { return st->out[k].captured(); }
  // A small set of values that show where the held-back registers go.
  void set_mixer_and_power() {
    st->ch[0].mix_rcv_sel = 1;    // page 128, address 21
    st->ch[1].mix_rcv_sel = 2;    // page 128, address 29
    st->ch[2].mix_rcv_sel = 3;    // page 160, address 21
    st->ch[3].mix_rcv_cmplx = 1;  // page 160, address 29, bit 2
    st->chip.pwr_dwn_fir_D = 1;   // register 0 = 0x1000
    st->chip.en_AO = 1;           // register 3 = 0x1
  }
  std::unique_ptr<RunState> st;
};

// Writes in the all-unset image: 177 used registers, less register 0 and the
// four mixer selections, plus the five preamble writes, 4 x 288 memory
// words, the four held-back selections and registers 0 and 3.
constexpr int kUnsetWrites = 5 + 172 + 4 * 288 + 4 + 2;

TEST_F(WritersTest, BenchScriptStartsWithPreambleAndWritesPagesOnlyOnChange) {
  select({kZq220});
  write();
  const std::vector<std::string> lines = lines_of(text(kZq220));
  ASSERT_GT(lines.size(), 13u);
  const std::vector<std::string> head(lines.begin(), lines.begin() + 13);
  EXPECT_EQ(head, (std::vector<std::string>{"dwr16 0 fff0", "dwr16 2 80", "dwr16 15 0",
                                            "dwr16 1d 0", "dwr16 2 a0", "dwr16 15 0", "dwr16 1d 0",
                                            // globals 1..3 leave the page at a0; page 0x12 needs a
                                            // write, its next register does not
                                            "dwr16 1 0", "dwr16 2 0", "dwr16 3 0", "dwr16 2 12",
                                            "dwr16 10 0", "dwr16 11 0"}));
  EXPECT_EQ(text(kHeader), "");
}

TEST_F(WritersTest, HeaderHoldsEveryWriteAsARowAndCountsThem) {
  select({kHeader});
  write();
  const std::string& h = text(kHeader);
  EXPECT_EQ(h.rfind("struct {\n    short page;\n    short addr;\n    short val;\n} regs[] = {\n"
                    "    { 0xffffffff, 0x0, 0xfff0 },\n"
                    "    { 0x80, 0x15, 0x0 },\n"
                    "    { 0x80, 0x1d, 0x0 },\n"
                    "    { 0xa0, 0x15, 0x0 },\n"
                    "    { 0xa0, 0x1d, 0x0 },\n"
                    "    { 0xffffffff, 0x1, 0x0 },\n",
                    0),
            0u);
  EXPECT_EQ(count_of(h, "    { 0x"), kUnsetWrites);
  EXPECT_TRUE(ends_with(h, "    { 0xffffffff, 0x3, 0x0 }\n};\n\nint nwrites = " +
                               std::to_string(kUnsetWrites) + ";\n"))
      << h.substr(h.size() - 200);
  EXPECT_EQ(text(kZq220), "");
}

TEST_F(WritersTest, MixerSelectionsAreHeldBackUntilAfterTheMemories) {
  set_mixer_and_power();
  st->chip.sync_mode = 5;
  st->chip.soB_sync = 3;
  select({kZq220, kHeader});
  write();
  EXPECT_TRUE(ends_with(text(kZq220),
                        "dwr16 1f 0\n"  // last coefficient word of channel D
                        "dwr16 2 80\ndwr16 15 1\ndwr16 1d 2\n"
                        "dwr16 2 a0\ndwr16 15 3\ndwr16 1d 4\n"
                        "dwr16 0 1000\ndwr16 3 1\n"
                        // sync mode 5: arm the one-shot, then fire it
                        "dwr16 1 3\ndwr16 1 b\n"));
  const std::string& h = text(kHeader);
  EXPECT_TRUE(ends_with(h,
                        "    { 0x6f, 0x1f, 0x0 },\n"
                        "    { 0x80, 0x15, 0x1 },\n"
                        "    { 0x80, 0x1d, 0x2 },\n"
                        "    { 0xa0, 0x15, 0x3 },\n"
                        "    { 0xa0, 0x1d, 0x4 },\n"
                        "    { 0xffffffff, 0x0, 0x1000 },\n"
                        "    { 0xffffffff, 0x3, 0x1 },\n"
                        "    { 0xffffffff, 0x1, 0x3 },\n"
                        "    { 0xffffffff, 0x1, 0xb }\n};\n\nint nwrites = " +
                            std::to_string(kUnsetWrites + 2) + ";\n"))
      << h.substr(h.size() - 300);
  // Preamble and held-back write only: never in the middle of the sequence.
  EXPECT_EQ(count_of(h, "{ 0x80, 0x15, "), 2);
  EXPECT_EQ(count_of(h, "{ 0xa0, 0x1d, "), 2);
  // Register 1 in the ordinary sequence carries soB_sync with one_shot 0.
  EXPECT_EQ(count_of(h, "{ 0xffffffff, 0x1, 0x3 }"), 2);
}

TEST_F(WritersTest, SyncModesChooseTheirPulses) {
  struct Case {
    int sync_mode, soB_sync;
    const char* tail;
  } cases[] = {
      {0, 3, "dwr16 0 0\ndwr16 3 0\n"},
      {4, 3, "dwr16 3 0\ndwr16 1 13\n"},
      {6, 0, "dwr16 3 0\ndwr16 1 10\n"},
      {8, -1, "dwr16 3 0\ndwr16 1 10\n"},  // unset selection sends 0, as packed
      {7, 5, "dwr16 3 0\ndwr16 1 5\ndwr16 1 d\n"},
      {9, -1, "dwr16 3 0\ndwr16 1 0\ndwr16 1 8\n"},
      {3, 3, "dwr16 0 0\ndwr16 3 0\n"},
  };
  for (const Case& c : cases) {
    SetUp();
    select({kZq220});
    st->chip.sync_mode = c.sync_mode;
    st->chip.soB_sync = c.soB_sync;
    write();
    EXPECT_TRUE(ends_with(text(kZq220), c.tail)) << "sync_mode " << c.sync_mode;
  }
}

TEST_F(WritersTest, MemoriesFollowTheRegistersCutTo16Bits) {
  for (int n = 0; n < 16; ++n) {
    st->ch[1].SWRAM[n] = n + 1;
    st->ch[1].BERAM[n] = 0x100 + n;
  }
  st->ch[1].coefram[16 * 2 + 3] = -5;
  st->ch[1].coefram[16 * 2 + 4] = 0x12345;
  st->ch[0].gain_lsb = 70000;  // reported, and written cut to 16 bits
  select({kZq220, kHeader, kSim});
  write();
  const std::string& z = text(kZq220);
  EXPECT_NE(z.find("dwr16 2 30\ndwr16 10 1\ndwr16 11 2\n"), std::string::npos);
  EXPECT_NE(z.find("dwr16 1f 10\ndwr16 2 31\ndwr16 10 100\n"), std::string::npos);
  EXPECT_NE(z.find("dwr16 1f 10f\ndwr16 2 20\n"), std::string::npos);
  EXPECT_NE(z.find("dwr16 2 22\ndwr16 10 0\ndwr16 11 0\ndwr16 12 0\ndwr16 13 fffb\n"
                   "dwr16 14 2345\n"),
            std::string::npos);
  EXPECT_NE(text(kHeader).find("    { 0x13, 0x13, 0x1170 }"), std::string::npos);

  const std::string& s = text(kSim);
  EXPECT_NE(s.find("\nWcon 0x13 0x13 0x1170\n"), std::string::npos);
  EXPECT_NE(s.find("\nQOEF 1 2 0x0 0x0 0x0 0xfffb 0x2345 0x0 0x0 0x0 0x0 0x0 0x0 0x0 0x0 0x0 "
                   "0x0 0x0;\n"),
            std::string::npos);
  EXPECT_NE(s.find("\nSWRAM 1  1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16;\n"
                   "BERAM 1  0x100 0x101 0x102 0x103 0x104 0x105 0x106 0x107 0x108 0x109 "
                   "0x10a 0x10b 0x10c 0x10d 0x10e 0x10f;\nQOEF 2 0 "),
            std::string::npos);
  EXPECT_EQ(st->console.captured(),
            "Value out of range register 323 value 70000\nPage 13 Address 13\n");
}

TEST_F(WritersTest, SimScriptHoldsBackOnlyAddress21OfTheMixerPages) {
  set_mixer_and_power();
  select({kSim});
  write();
  const std::string& s = text(kSim);
  EXPECT_EQ(s.rfind("Wglb 0 0xfff0\nWcon 0x80 0x15 0\nWcon 0xa0 0x15 0\n"
                    "Wglb 0x1 0x0\nWglb 0x2 0x0\nWglb 0x3 0x1\nWcon 0x12 0x10 0x0\n",
                    0),
            0u);
  // Address 29 is written in the ordinary sequence.
  EXPECT_NE(s.find("\nWcon 0x80 0x1c 0x0\nWcon 0x80 0x1d 0x2\nWcon 0x80 0x1e 0x0\n"),
            std::string::npos);
  EXPECT_NE(s.find("\nWcon 0xa0 0x1d 0x4\n"), std::string::npos);
  EXPECT_EQ(count_of(s, "Wcon 0x80 0x15"), 2);
  EXPECT_EQ(count_of(s, "Wcon 0x80 0x14 0x0\nWcon 0x80 0x16"), 1);
  EXPECT_TRUE(ends_with(s,
                        "0x0 0x0;\n"
                        "Wcon 0x80 0x15 0x1\nWcon 0xa0 0x15 0x3\n"
                        "Wglb 0 0x1000\nWglb 3 0x1\n"));
  // 16 coefficient lines, SWRAM and BERAM per channel.
  EXPECT_EQ(count_of(s, "QOEF "), 64);
  EXPECT_EQ(count_of(s, "SWRAM "), 4);
  EXPECT_EQ(count_of(s, "BERAM "), 4);
}

TEST_F(WritersTest, TableListsEveryVariableInRegistrationOrder) {
  st->chip.en_ck_loss = 1;
  st->ch[0].fir_dec = 3;
  st->ch[3].fir_dec = 16;
  st->chip.fck = 100.0;
  st->ch[1].freq = 12.5;
  select({kTable});
  write();
  const std::string& t = text(kTable);
  const std::vector<std::string> lines = lines_of(t);
  ASSERT_EQ(lines.size(), 250u);
  EXPECT_EQ(lines.front(), "ck_loss_status       -1");
  EXPECT_EQ(lines[1], "en_ck_loss           1");
  EXPECT_EQ(lines.back(), "sumtap                  -1    -1    -1    -1");
  EXPECT_NE(t.find("\nfir_dec                  3    -1    -1    16\n"), std::string::npos);
  EXPECT_NE(t.find("\nfck                  100.000000\n"), std::string::npos);
  EXPECT_NE(t.find("\nfreq                 -1.000000 12.500000 -1.000000 -1.000000\n"),
            std::string::npos);
  EXPECT_EQ(text(kSim), "");
  EXPECT_EQ(text(kZq220), "");
}

}  // namespace
}  // namespace cmd7730
