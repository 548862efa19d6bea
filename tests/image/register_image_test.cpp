// Packing variables into the register image: field placement for each
// scope, unset values, and the range and index reports of set_register_field.
#include "image/register_image.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/register_map.h"
#include "core/run_state.h"

namespace cmd7730 {
namespace {

class RegisterImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st = std::make_unique<RunState>();
    build_catalogue(*st);
    st->console.open_memory();
    image = std::make_unique<RegisterImage>();
  }
  int32_t word(int page, int address) const { return image->word[register_index(page, address)]; }
  bool used(int page, int address) const { return image->used[register_index(page, address)]; }
  std::unique_ptr<RunState> st;
  std::unique_ptr<RegisterImage> image;
};

TEST_F(RegisterImageTest, UnsetVariablesPackAsZeroAndMarkEveryMappedRegister) {
  build_register_image(*st, *image);
  int expected_used = 0;
  for (const RegisterRow& row : register_map()) {
    if (row.page == kPseudoPage) continue;
    for (int k = 0; k < (row.scope == Scope::kGlobal ? 1 : 4); ++k) {
      int page = row.page;
      int address = row.address;
      if (row.scope == Scope::kGlobal && address < 16) page = -1;
      if (row.scope == Scope::kChannel) page += 32 * k;
      if (row.scope == Scope::kPair) {
        page += (k / 2) * 32;
        address += (k % 2) * 8;
      }
      EXPECT_TRUE(used(page, address)) << row.name << " channel " << k;
      EXPECT_EQ(word(page, address), 0) << row.name << " channel " << k;
    }
  }
  for (int i = 0; i < RegisterImage::kWords; ++i) {
    if (image->used[i]) {
      ++expected_used;
    } else {
      EXPECT_EQ(image->word[i], -1) << i;
    }
  }
  // 4 global registers, 3 channel pages per channel (11 + 15 + 6 registers),
  // the checksum on page 19, 16 pair registers on each of pages 128 and 160,
  // page 129 (6) and page 161 (6).
  EXPECT_EQ(expected_used, 4 + 4 * 32 + 1 + 32 + 6 + 6);
  EXPECT_EQ(st->console.captured(), "");
}

TEST_F(RegisterImageTest, FieldsLandOnTheirChannelsPagesAndBits) {
  st->ch[2].gain_lsb = 0x1234;    // channel C: page 83, address 19
  st->ch[3].mix_rcv_sel = 2;      // pair D: page 160, address 29, bits 0..1
  st->ch[1].cic_shift = 5;        // pair B: page 128, address 24
  st->ch[2].cic_bypass = 1;       // pair C: page 160, address 16, bit 14
  st->chip.rcv_noise_C = 0xbeef;  // global on page 129, address 20
  st->chip.pwr_dwn_fir_B = 1;     // global register 0, bit 10
  st->chip.master_reset = 1;      // global register 0, bit 15
  st->ch[0].agc_zmag = 9;         // channel A: page 19, address 20, bits 12..15
  st->ch[0].gain_msb = 3;         //   same register, bits 0..2
  build_register_image(*st, *image);
  EXPECT_EQ(word(83, 19), 0x1234);
  EXPECT_EQ(word(19, 19), 0);
  EXPECT_EQ(word(160, 29), 2);
  EXPECT_EQ(word(128, 29), 0);
  EXPECT_EQ(word(128, 24), 5);
  EXPECT_EQ(word(128, 16), 0);
  EXPECT_EQ(word(160, 16), 1 << 14);
  EXPECT_EQ(word(129, 20), 0xbeef);
  EXPECT_EQ(word(-1, 0), (1 << 10) | (1 << 15));
  EXPECT_EQ(word(19, 20), (9 << 12) | 3);
}

TEST_F(RegisterImageTest, OutOfRangeValueIsReportedAndKeepsItsHighBits) {
  st->ch[0].gain_lsb = 70000;
  build_register_image(*st, *image);
  EXPECT_EQ(st->console.captured(),
            "Value out of range register 323 value 70000\n"
            "Page 13 Address 13\n");
  EXPECT_EQ(image->word[323], 70000);
  EXPECT_EQ(st->error_flag, 1);
}

TEST_F(RegisterImageTest, FieldIsReplacedAndNeighboursKept) {
  set_register_field(*st, *image, 100, 4, 4, 0xf);
  set_register_field(*st, *image, 100, 0, 4, 0x3);
  set_register_field(*st, *image, 100, 4, 4, 0x5);
  EXPECT_EQ(image->word[100], 0x53);
  set_register_field(*st, *image, 100, 4, 4, -1);  // unset clears the field
  EXPECT_EQ(image->word[100], 0x03);
  EXPECT_EQ(st->console.captured(), "");
}

TEST_F(RegisterImageTest, BadIndexIsReportedAndNothingWritten) {
  set_register_field(*st, *image, -1, 0, 4, 1);
  set_register_field(*st, *image, RegisterImage::kWords, 0, 4, 1);
  EXPECT_EQ(st->console.captured(), "Bad address -1\nBad address 3561\n");
  for (int i = 0; i < RegisterImage::kWords; ++i) ASSERT_FALSE(image->used[i]);
}

TEST_F(RegisterImageTest, NegativeAndWideValuesPackAsTwosComplement) {
  // A global register: page prints as -1 in hexadecimal.
  set_register_field(*st, *image, 5, 4, 3, -2);
  EXPECT_EQ(st->console.captured(),
            "Value out of range register 5 value -2\n"
            "Page ffffffff Address 5\n");
  EXPECT_EQ(static_cast<uint32_t>(image->word[5]), 0xffffffe0u);

  // Bits shifted past bit 31 are lost rather than overflowing.
  set_register_field(*st, *image, 40, 15, 16, 70000);
  EXPECT_EQ(static_cast<uint32_t>(image->word[40]), (70000u << 15));
  set_register_field(*st, *image, 41, 31, 1, 1);
  EXPECT_EQ(static_cast<uint32_t>(image->word[41]), 0x80000000u);
}

TEST_F(RegisterImageTest, RegisterWhoseBitsAreAllOnesStaysUsed) {
  // An out-of-range negative value can leave every bit set; the register
  // must neither be dropped nor have its earlier fields wiped.
  set_register_field(*st, *image, 60, 0, 1, -2);
  set_register_field(*st, *image, 60, 0, 1, 1);
  ASSERT_EQ(image->word[60], -1);
  set_register_field(*st, *image, 60, 4, 1, 0);
  EXPECT_TRUE(image->used[60]);
  EXPECT_EQ(static_cast<uint32_t>(image->word[60]), 0xffffffefu);
}

}  // namespace
}  // namespace cmd7730
