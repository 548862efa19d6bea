// The catalogue's user-visible orderings (hash walk, registration list),
// lookups, description wrapping and class selection.
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/run_state.h"

namespace cmd7730 {
namespace {

class CatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st = std::make_unique<RunState>();
    build_catalogue(*st);
  }
  std::vector<std::string> walk() const {
    std::vector<std::string> names;
    st->catalogue.for_each_variable([&](const VariableEntry& e) {
      names.push_back(e.name);
      return 0;
    });
    return names;
  }
  std::unique_ptr<RunState> st;
};

TEST_F(CatalogueTest, WalkVisitsAllEntriesInBucketOrderNewestFirst) {
  const std::vector<std::string> names = walk();
  ASSERT_EQ(names.size(), 250u);
  EXPECT_EQ(names[0], "sumtap");
  EXPECT_EQ(names[1], "xmt");
  EXPECT_EQ(names[2], "tinf_tdm");
  EXPECT_EQ(hash_name("sumtap"), 4);
  EXPECT_EQ(hash_name("xmt"), 19);
  EXPECT_EQ(hash_name("tinf_tdm"), 23);

  std::vector<std::string> bucket189;
  for (const std::string& n : names) {
    if (hash_name(n) == 189) bucket189.push_back(n);
  }
  EXPECT_EQ(bucket189, (std::vector<std::string>{"sum_in", "fir_sync_cnt", "agc_freeze"}));
}

TEST_F(CatalogueTest, WalkStopsAtFirstNonzeroResultAndReturnsIt) {
  int visited = 0;
  const int r = st->catalogue.for_each_variable([&](const VariableEntry& e) {
    ++visited;
    return e.name == "xmt" ? 7 : 0;
  });
  EXPECT_EQ(r, 7);
  EXPECT_EQ(visited, 2);
  EXPECT_EQ(st->catalogue.for_each_variable([](const VariableEntry&) { return 0; }), 0);
}

TEST_F(CatalogueTest, RegistrationListKeepsMapOrder) {
  const auto& list = st->catalogue.registration_list();
  ASSERT_EQ(list.size(), 250u);
  EXPECT_EQ(list.front()->name, "ck_loss_status");
  EXPECT_EQ(list.back()->name, "sumtap");
}

TEST_F(CatalogueTest, LookupIsExactAndCaseSensitive) {
  const VariableEntry* e = st->catalogue.lookup_variable("agc_Dblw");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->name, "agc_Dblw");
  EXPECT_EQ(st->catalogue.lookup_variable("agc_dblw"), nullptr);
  EXPECT_EQ(st->catalogue.lookup_variable("agc_D"), nullptr);
  EXPECT_EQ(st->catalogue.lookup_variable(""), nullptr);
}

TEST_F(CatalogueTest, EveryCellStartsUnsetAndEntriesPointAtTheNamedFields) {
  for (const VariableEntry* e : st->catalogue.registration_list()) {
    for (int* c : e->int_cell) {
      if (c != nullptr) {
        EXPECT_EQ(*c, -1) << e->name;
      }
    }
    for (double* c : e->double_cell) {
      if (c != nullptr) {
        EXPECT_EQ(*c, -1.0) << e->name;
      }
    }
  }
  const VariableEntry* fir_dec = st->catalogue.lookup_variable("fir_dec");
  EXPECT_EQ(fir_dec->int_cell[2], &st->ch[2].fir_dec);
  EXPECT_TRUE(fir_dec->per_channel());
  const VariableEntry* fck = st->catalogue.lookup_variable("fck");
  EXPECT_EQ(fck->double_cell[0], &st->chip.fck);
  EXPECT_FALSE(fck->per_channel());
  EXPECT_TRUE(fck->is_wide());
  EXPECT_TRUE(fck->is_pseudo());
}

TEST_F(CatalogueTest, DescriptionsAreWrappedAtRegistration) {
  EXPECT_EQ(st->catalogue.lookup_variable("pwr_dwn_fir_A")->description,
            "Power down PFIR in A.  Power down put the block in reset and disables the "
            "clock.\n It does not reset control registers.");
  EXPECT_EQ(st->catalogue.lookup_variable("en_ck_loss")->description,
            "Enable clock loss detection.  Highly recommended.");
}

TEST(WrapDescription, BreaksLongLinesAtTheLastBlankInRange) {
  // A second line may hold at most 79 characters after its newline.
  std::string text(80, 'a');
  text[40] = ' ';
  text += " " + std::string(100, 'b') + " c";
  wrap_description(text);
  EXPECT_EQ(text.find('\n'), 80u);
  EXPECT_EQ(text.substr(181), "\nc");
  // No blank anywhere past the first 80 characters: left alone.
  std::string solid(200, 'x');
  wrap_description(solid);
  EXPECT_EQ(solid, std::string(200, 'x'));
  // No blank in the first 80 but one further on: broken there.
  std::string late = std::string(90, 'y') + " tail";
  wrap_description(late);
  EXPECT_EQ(late, std::string(90, 'y') + "\ntail");
}

TEST_F(CatalogueTest, EffectiveClassFollowsTheChannelMode) {
  const VariableEntry& fir_dec = *st->catalogue.lookup_variable("fir_dec");
  const VariableEntry& fir_int = *st->catalogue.lookup_variable("fir_int");
  EXPECT_EQ(effective_class(fir_dec, 0), kClassMandatory);
  EXPECT_EQ(effective_class(fir_dec, 1), kClassNotUsed);
  EXPECT_EQ(effective_class(fir_int, 0), kClassNotUsed);
  EXPECT_EQ(effective_class(fir_int, 1), kClassMandatory);
  EXPECT_EQ(effective_class(fir_int, -1), 0);
  // A stored xmt out of range (reported, but kept) has no class either.
  EXPECT_EQ(effective_class(fir_int, 11), 0);
  EXPECT_EQ(effective_class(fir_int, 2147483647), 0);
}

TEST(SetIfUnset, OnlyStoresOverTheUnsetMarker) {
  int cell = -1;
  set_if_unset(cell, 5);
  set_if_unset(cell, 9);
  EXPECT_EQ(cell, 5);
  double wide = -1.0;
  set_if_unset(wide, 2.5);
  set_if_unset(wide, 3.5);
  EXPECT_EQ(wide, 2.5);
}

}  // namespace
}  // namespace cmd7730
