// The defaults pass (which classes get their default, for which channels)
// and the declaration check (which omissions are Errors, and the stop after
// all of them).
#include "catalogue/defaults.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "catalogue/catalogue.h"
#include "core/early_stop.h"
#include "core/run_state.h"
#include "support/test_support.h"

namespace cmd7730 {
namespace {

class DefaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st = std::make_unique<RunState>();
    build_catalogue(*st);
    st->console.open_memory();
  }
  // Declares pair q (0 AB, 1 CD) as receive or transmit, as `mode` does.
  void set_mode(int q, bool transmit) {
    st->pair[q].mode = transmit ? kModeTransmit : kModeReceive;
    st->ch[2 * q].xmt = st->ch[2 * q + 1].xmt = transmit ? 1 : 0;
  }
  // Runs the check; returns the status of the early stop, or 0 if it returned.
  int check() {
    return testing::early_stop_status([&] { check_declarations(*st); });
  }
  std::unique_ptr<RunState> st;
};

TEST_F(DefaultsTest, ReceiveAndTransmitPairsGetTheDefaultsOfTheirOwnDirection) {
  set_mode(0, false);
  set_mode(1, true);
  set_defaults(*st);
  // fir_int: NotUsed in receive (default 1), Mandatory in transmit.
  EXPECT_EQ(st->ch[0].fir_int, 1);
  EXPECT_EQ(st->ch[1].fir_int, 1);
  EXPECT_EQ(st->ch[2].fir_int, -1);
  EXPECT_EQ(st->ch[3].fir_int, -1);
  // fir_dec the other way round.
  EXPECT_EQ(st->ch[0].fir_dec, -1);
  EXPECT_EQ(st->ch[3].fir_dec, 1);
  // agc_mode: Compute in receive, NotUsed (default 2) in transmit.
  EXPECT_EQ(st->ch[1].agc_mode, -1);
  EXPECT_EQ(st->ch[2].agc_mode, 2);
  // Pair-scope cic_int is judged per channel too; cic_dec is Compute in receive.
  EXPECT_EQ(st->ch[0].cic_int, 1);
  EXPECT_EQ(st->ch[2].cic_int, -1);
  EXPECT_EQ(st->ch[0].cic_dec, -1);
  EXPECT_EQ(st->ch[2].cic_dec, 1);
  // A Default global in every direction, and the Mandatory wide clock.
  EXPECT_EQ(st->chip.en_ck_loss, 1);
  EXPECT_EQ(st->chip.sync_mode, 0);
  // Globals follow channel A: tout_nsig is NotUsed (default 4) in receive.
  EXPECT_EQ(st->chip.tout_nsig, 4);
  EXPECT_EQ(st->chip.fck, -1.0);
  // Status fields are never defaulted.
  EXPECT_EQ(st->chip.ck_loss_status, -1);
  EXPECT_EQ(st->console.captured(), "");
}

TEST_F(DefaultsTest, ChannelsWithoutDirectionAreLeftAlone) {
  set_mode(1, false);  // AB still undeclared
  set_defaults(*st);
  EXPECT_EQ(st->ch[0].fir_int, -1);
  EXPECT_EQ(st->ch[2].fir_int, 1);
  // Globals follow channel A, which has no direction yet.
  EXPECT_EQ(st->chip.en_ck_loss, -1);
  EXPECT_EQ(st->chip.tout_nsig, -1);
}

TEST_F(DefaultsTest, RepeatedPassResetsDefaultsButKeepsMandatoryValues) {
  set_mode(0, false);
  set_mode(1, false);
  set_defaults(*st);
  st->ch[0].fir_dec = 3;
  st->chip.en_ck_loss = 0;
  st->ch[0].agc_mode = 1;  // Compute: never touched by the pass
  set_defaults(*st);
  EXPECT_EQ(st->ch[0].fir_dec, 3);
  EXPECT_EQ(st->chip.en_ck_loss, 1);
  EXPECT_EQ(st->ch[0].agc_mode, 1);
}

TEST_F(DefaultsTest, WideDefaultIsStoredAsDouble) {
  // No wide variable of the map is defaulted, so build one that is.
  double cells[4] = {-1.0, -1.0, -1.0, -1.0};
  VariableEntry e;
  e.name = "wide_default";
  e.class_word = 2 + 8 * 3;  // Default in receive, Compute in transmit
  e.width = 64;
  e.default_value = 7;
  e.scope = Scope::kChannel;
  e.double_cell = {&cells[0], &cells[1], &cells[2], &cells[3]};
  set_mode(0, false);
  set_mode(1, true);
  EXPECT_EQ(yyysetdefault(*st, e), 0);
  EXPECT_EQ(cells[0], 7.0);
  EXPECT_EQ(cells[1], 7.0);
  EXPECT_EQ(cells[2], -1.0);
  EXPECT_EQ(cells[3], -1.0);
}

// Everything a receive channel needs, so a single omission can be tested.
void complete_receive_channel(RunState& st, int k) {
  st.ch[k].powerdown = 0;
  st.ch[k].mix_rcv_sel = 0;
  st.ch[k].fir_dec = 2;
  st.ch[k].pins = 4;
  st.ch[k].bits = 16;
  st.ch[k].ncoefs = 31;
}

TEST_F(DefaultsTest, CompleteDeclarationsPass) {
  set_mode(0, false);
  set_mode(1, false);
  st->chip.fck = 100.0;
  for (int k = 0; k < 4; ++k) complete_receive_channel(*st, k);
  EXPECT_EQ(check(), 0);
  EXPECT_EQ(st->console.captured(), "");
  EXPECT_EQ(st->error_flag, 0);
}

TEST_F(DefaultsTest, PairsWithoutModeMustBePoweredDown) {
  // Both channels of a pair powered down (or never derived: -1) excuse the
  // missing mode; one powered-up channel does not.
  st->ch[0].powerdown = 1;
  st->ch[1].powerdown = -1;
  st->ch[2].powerdown = 1;
  st->ch[3].powerdown = 0;
  st->ch[3].ncoefs = 0;  // any count but -1 passes
  st->ch[3].xmt = -1;    // no direction: nothing is mandatory
  EXPECT_EQ(check(), 1);
  EXPECT_EQ(st->console.captured(), "Error: Must declare mode for CD or powerdown both C & D\n");
  EXPECT_EQ(st->error_flag, 1);
}

TEST_F(DefaultsTest, EveryOmissionIsReportedBeforeTheStop) {
  st->chip.print_flags = output_bit(kAnalysis);
  st->out[kAnalysis].open_memory();
  set_mode(0, false);
  set_mode(1, false);
  st->chip.fck = 100.0;
  for (int k = 0; k < 4; ++k) complete_receive_channel(*st, k);
  st->ch[1].fir_dec = -1;
  st->ch[1].bits = -1;
  st->ch[2].ncoefs = -1;
  // Channel D is powered down: its omissions do not count.
  st->ch[3].powerdown = 1;
  st->ch[3].pins = -1;
  st->ch[3].ncoefs = -1;
  EXPECT_EQ(check(), 1);
  // Mandatory variables in catalogue walk order, then the coefficients.
  EXPECT_EQ(st->console.captured(),
            "Error: Must set fir_dec\n"
            "Error: Must set bits\n"
            "Error: Must declare coefficients for channel 2\n");
  EXPECT_EQ(st->out[kAnalysis].captured(),
            "Error(.\\defaults L66): Must set fir_dec\n"
            "Error(.\\defaults L66): Must set bits\n"
            "Error(.\\defaults L128): Must declare coefficients for channel 2\n");
}

TEST_F(DefaultsTest, MissingModesAndTransmitMandatoriesAreAllReported) {
  st->ch[0].powerdown = st->ch[1].powerdown = 0;
  st->ch[0].ncoefs = st->ch[1].ncoefs = 5;
  set_mode(1, true);
  st->ch[2].powerdown = 0;
  st->ch[2].ncoefs = 5;
  st->ch[2].fir_int = 2;
  st->ch[2].tinf_cmplx = 0;
  st->ch[2].pins = 4;
  st->ch[2].bits = 16;
  st->ch[3].powerdown = 1;
  EXPECT_EQ(check(), 1);
  // Channel A has no direction, so the globals fck and tout_nsig are not
  // mandatory; C still lacks its pair-scope cic_int.
  EXPECT_EQ(st->console.captured(),
            "Error: Must declare mode for AB or powerdown both A & B\n"
            "Error: Must set cic_int\n");
}

TEST_F(DefaultsTest, GlobalMandatoryFollowsChannelAPowerState) {
  set_mode(0, false);
  set_mode(1, false);
  for (int k = 0; k < 4; ++k) complete_receive_channel(*st, k);
  st->ch[0].powerdown = 1;
  EXPECT_EQ(check(), 0);  // fck unset, but channel A is down

  st->ch[0].powerdown = 0;
  EXPECT_EQ(check(), 1);
  EXPECT_EQ(st->console.captured(), "Error: Must set fck\n");
}

}  // namespace
}  // namespace cmd7730
