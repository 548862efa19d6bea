// The command interpreter: assignments and their checks, mode, channel
// selection and copies, help, print, override and the line numbers quoted in
// messages.
#include "frontend/interpreter.h"

#include <string>

#include "support/frontend_fixture.h"

namespace cmd7730 {
namespace {

constexpr const char* kModes = "mode ab r\nmode cd t\n";  // AB receive, CD transmit

class InterpreterTest : public FrontendTest {
 protected:
  void SetUp() override {
    FrontendTest::SetUp();
    st->control_file = "cfg.txt";
  }
  // Writes `text` as the temporary command file and runs a first pass.
  int first_pass(const std::string& text) {
    dir.write("cmd7730TmpCmdFile", text);
    return interpret_pass(*st);
  }
  std::string usage(const char* name) {
    return std::string(st->catalogue.lookup_variable(name)->description);
  }
};

TEST_F(InterpreterTest, AssignmentsReadDecimalHexadecimalAndWideValues) {
  EXPECT_EQ(first_pass(std::string(kModes) +
                       "channel 0\ngain_lsb = 0x1f\nchannel 1\ngain_lsb 31\n"
                       "channel 2\ngain_lsb,0X1f\nfck = 80.5\nfreq 0xA\nchannel 3\nfreq=-2.25\n"),
            0);
  EXPECT_EQ(st->ch[0].gain_lsb, 31);
  EXPECT_EQ(st->ch[1].gain_lsb, 31);
  EXPECT_EQ(st->ch[2].gain_lsb, 0);  // "0X" is decimal: the number ends at X
  EXPECT_EQ(st->chip.fck, 80.5);
  EXPECT_EQ(st->ch[2].freq, 0.0);  // wide values are decimal only: the number ends at x
  EXPECT_EQ(st->ch[3].freq, -2.25);
  EXPECT_EQ(console(), "");
  EXPECT_EQ(st->error_flag, 0);
}

TEST_F(InterpreterTest, ValuesOutsideTheFieldWidthFailThePass) {
  EXPECT_EQ(first_pass(std::string(kModes) + "channel 0\ngain_msb = 8\n"), 1);
  EXPECT_EQ(console(), "Error: gain_msb has only 3 bits\nUsage: " + usage("gain_msb") + "\n\n");

  // 31-bit variables take up to 2^31 - 1; nothing larger, however long, and
  // nothing negative.
  for (const char* v : {"2147483648", "0x80000000", "99999999999999999999999999", "-1"}) {
    st->console.open_memory();
    EXPECT_EQ(first_pass(std::string(kModes) + "channel 1\nsumtap " + v + "\n"), 1) << v;
    EXPECT_NE(console().find("Error: sumtap has only 31 bits\n"), std::string::npos) << v;
  }
  st->console.open_memory();
  EXPECT_EQ(first_pass(std::string(kModes) + "channel 1\nsumtap 2147483647\n"), 0);
  EXPECT_EQ(st->ch[1].sumtap, 2147483647);
}

TEST_F(InterpreterTest, WordsThatAreNotNumbersFailTheLineWithoutStoring) {
  EXPECT_EQ(first_pass(std::string(kModes) +
                       "channel 0\nfir_dec 3\nfir_dec abc\nfir_dec 0x\nfck nan\nfck 1e999\n"),
            1);
  EXPECT_EQ(st->ch[0].fir_dec, 3);
  EXPECT_EQ(st->chip.fck, -1.0);
  EXPECT_EQ(console(),
            "Error: Bad number on line 5: abc\nError: Bad number on line 6: 0x\n"
            "Error: Bad number on line 7: nan\nError: Bad number on line 8: 1e999\n");

  // No value word at all: the usage, and 0 is stored.
  st->console.open_memory();
  EXPECT_EQ(first_pass(std::string(kModes) + "fck\n"), 1);
  EXPECT_EQ(st->chip.fck, 0.0);
  EXPECT_EQ(console(), "Error: fck Usage: " + usage("fck") + "\n\n");
}

TEST_F(InterpreterTest, AssignmentBeforeBothModesIsReportedStoredAndMayBeDefaultedAway) {
  EXPECT_EQ(first_pass("en_ck_loss 0\nchannel 0\nfir_dec 3\nmode ab r\nmode cd r\n"), 0);
  EXPECT_EQ(console(),
            "Error: Must set mode ab and mode cd before setting other variables\n\n"
            "Error: Must set mode ab and mode cd before setting other variables\n\n");
  EXPECT_EQ(st->error_flag, 1);
  EXPECT_EQ(st->ch[0].fir_dec, 3);    // mandatory: never defaulted
  EXPECT_EQ(st->chip.en_ck_loss, 1);  // "Default": the second mode line reset it
  EXPECT_TRUE(st->interp.modes_set);
}

TEST_F(InterpreterTest, ModeSetsDirectionOnceAndRejectsAChange) {
  EXPECT_EQ(first_pass("mode ab r\nmode abc rx\nmode ab t\n"), 0);
  EXPECT_EQ(console(), "Error: mode may not be changed \n");
  EXPECT_EQ(st->pair[0].mode, kModeReceive);
  EXPECT_EQ(st->ch[0].xmt, 0);
  EXPECT_EQ(st->ch[1].xmt, 0);
  EXPECT_EQ(st->ch[2].xmt, -1);
  EXPECT_FALSE(st->interp.modes_set);
}

TEST_F(InterpreterTest, IncompleteOrUnknownModeLinesFailThePass) {
  EXPECT_EQ(first_pass("mode\nmode ab\nmode x r\nmode cd q\n"), 1);
  EXPECT_EQ(console(),
            "Error: mode on line 1 needs a pair (ab or cd) and a direction (r or t)\n"
            "Error: mode on line 2 needs a direction (r or t) after the pair\n"
            "Error: Unrecognized command on line 3: mode\n\n"
            "Error: Unrecognized command on line 4: mode\n\n");
  EXPECT_EQ(st->pair[0].mode, kModeUndeclared);
  EXPECT_EQ(st->pair[1].mode, kModeUndeclared);
}

TEST_F(InterpreterTest, ChannelNumbersOutsideZeroToThreeNeverSelectOrCopy) {
  EXPECT_EQ(first_pass(std::string(kModes) +
                       "channel 1\nchannel 4\nchannel -1\ncopy_channel 9\nchannel\ncopy_channel\n"
                       "channel x\n"),
            1);
  EXPECT_EQ(st->interp.current_channel, 1);
  EXPECT_EQ(console(),
            "channel must be between 0 and 3\nchannel must be between 0 and 3\n"
            "copy_channel must be between 0 and 3\n"
            "Error: channel on line 7 needs a channel number 0..3\n"
            "Error: copy_channel on line 8 needs a channel number 0..3\n"
            "Error: Bad number on line 9: x\n");
}

TEST_F(InterpreterTest, ChannelVariableBeforeChannelLineGoesToChannelZeroWithAWarning) {
  EXPECT_EQ(first_pass(std::string(kModes) + "fir_dec 4\nmix_rcv_sel 2\nchannel 1\nfir_dec 5\n"),
            0);
  EXPECT_EQ(st->ch[0].fir_dec, 4);
  EXPECT_EQ(st->ch[1].fir_dec, 5);
  EXPECT_EQ(st->ch[0].mix_rcv_sel, 2);  // pair scope: no warning
  EXPECT_EQ(console(),
            "Warning: Setting a channel variable before channel declaration...putting in "
            "channel 0.\nTo fix, put variable under channel declaration.Variable fir_dec\n");
}

TEST_F(InterpreterTest, ComputedVariableWarningReadsTheSecondOrThirdClassCode) {
  // coef_modc is Expert in its second code only, mix_rcv_cmplx in its third
  // only; sum_shift (global) in its first.  Channel 0 receives, 2 transmits.
  const std::string warn =
      "Warning: Manually setting a variable that is normally computed\nVariable ";
  EXPECT_EQ(first_pass(std::string(kModes) + "channel 0\ncoef_modc 1\nmix_rcv_cmplx 1\n"), 0);
  EXPECT_EQ(console(), warn + "coef_modc\n");
  st->console.open_memory();
  EXPECT_EQ(first_pass(std::string(kModes) + "channel 2\ncoef_modc 1\nmix_rcv_cmplx 1\n"), 0);
  EXPECT_EQ(console(), warn + "mix_rcv_cmplx\n");
  st->console.open_memory();
  EXPECT_EQ(first_pass(std::string(kModes) + "sum_shift 1\ntoutf_do 1\n"), 0);
  EXPECT_EQ(console(), warn + "sum_shift\n");
}

TEST_F(InterpreterTest, CopyChannelTakesVariablesAndCoefficientsButNotTheLoadedMark) {
  dir.write("f.coef", "1\n2\n3\n");
  EXPECT_EQ(first_pass(std::string(kModes) +
                       "fir_coef f.coef\nchannel 0\nfir_dec 3\nfreq 1.5\nmix_rcv_sel 1\n"
                       "channel 1\ncopy_channel 0\nchannel 3\ncopy_channel 0\n"),
            0);
  EXPECT_TRUE(st->ch[0].coef_loaded);  // fir_coef before any channel line
  for (int k : {1, 3}) {
    EXPECT_EQ(st->ch[k].fir_dec, 3) << k;
    EXPECT_EQ(st->ch[k].freq, 1.5) << k;
    EXPECT_EQ(st->ch[k].mix_rcv_sel, 1) << k;
    EXPECT_EQ(st->ch[k].ncoefs, 3) << k;
    EXPECT_EQ(st->ch[k].coefs, st->ch[0].coefs) << k;
    EXPECT_FALSE(st->ch[k].coef_loaded) << k;
  }
  EXPECT_EQ(st->ch[3].xmt, 0);  // the receive direction came along too
  EXPECT_EQ(console(), "Error: Cant copy transmit <-> receive channels\n");
}

TEST_F(InterpreterTest, HelpListsMatchingVariablesWithTheirClassNames) {
  EXPECT_EQ(first_pass("help gain_rea\nhelp fck\nhelp\n"), 1);
  EXPECT_EQ(console(),
            "\ngain_read  Real-variable with 16 bits.  In receive None.  In transmit None.\n" +
                usage("gain_read") +
                "\n\nfck  Pseudo-variable with 64 bits.  In receive Mandatory.  In transmit "
                "Mandatory.\nChip clock rate in MHz.\nError: help on line 3 needs a variable "
                "name prefix\n");
}

TEST_F(InterpreterTest, PrintOpensFilesNamedAfterTheControlFile) {
  st->control_file = "demo.rev.ctl";
  EXPECT_EQ(first_pass("print Table\nprint hfile\nprint x\nprint\n"), 1);
  EXPECT_EQ(st->chip.print_flags, output_bit(kTable) | output_bit(kHeader));
  EXPECT_EQ(
      console(),
      "Error: Unrecognized print command x\n\n"
      "Error: Options are: analysis, debug, zq220, sim, table and hfile\n"
      "Error: print on line 4 needs an output: analysis, debug, zq220, sim, table or hfile\n");
  for (auto& f : st->out) f.flush();
  EXPECT_EQ(dir.read("demo.h"),
            "/* hfile for demo configuration; necessary for config_zq7730 function */\n\n");
  // The table got the Errors reported after it opened; the header gets none.
  EXPECT_EQ(dir.read("demo.tbl"),
            "Error(.\\cmdin L354): Unrecognized print command x\n\n"
            "Error(.\\cmdin L355): Options are: analysis, debug, zq220, sim, table and hfile\n"
            "Error(.\\cmdin L368): print on line 4 needs an output: analysis, debug, zq220, sim, "
            "table or hfile\n");
}

TEST_F(InterpreterTest, RepeatedPrintStartsTheFileAfresh) {
  EXPECT_EQ(first_pass("print t\nbogus\nprint t\n"), 1);
  st->out[kTable].flush();
  EXPECT_EQ(dir.read("cfg.tbl"), "");
  std::filesystem::create_directory("cfg.anl");  // an output that cannot be created
  st->console.open_memory();
  EXPECT_EQ(stop_status([&] { first_pass("print a\n"); }), 1);
  EXPECT_EQ(console(), "Couldn't open cfg.anl\n");
}

TEST_F(InterpreterTest, UnrecognizedLinesQuoteTheLineUpToItsFirstWord) {
  // Every line of the command file counts, the empty ones too.
  EXPECT_EQ(first_pass("mode ab r\n\n  Channel 1\nfir_cof,x\n# comment\n/ c\n; c\noverride_it\n"),
            1);
  EXPECT_EQ(console(),
            "Error: Unrecognized command on line 3:   Channel\n\n"
            "Error: Unrecognized command on line 4: fir_cof\n\n"
            "Error: Unrecognized command on line 8: override_it\n\n");
}

TEST_F(InterpreterTest, OverridePassResumesAfterTheOverrideLine) {
  EXPECT_EQ(first_pass(std::string(kModes) +
                       "channel 2\nfir_int 3\noverride\n\nfir_int 7\nmix_rcv_sel 1\nbogus\n"
                       "override\nfir_int 9\n"),
            0);
  EXPECT_TRUE(st->interp.override_mark);
  EXPECT_EQ(st->ch[2].fir_int, 3);

  st->console.open_memory();
  EXPECT_EQ(interpret_pass(*st), 1);
  // Line numbers restart after `override`; the current channel and modes
  // carry over, "channel declared" does not.
  EXPECT_EQ(st->ch[0].fir_int, 7);
  EXPECT_EQ(st->ch[2].fir_int, 3);
  EXPECT_EQ(st->ch[2].mix_rcv_sel, 1);
  EXPECT_EQ(st->pair[1].mode, kModeTransmit);
  EXPECT_NE(console().find("Error: Unrecognized command on line 4: bogus\n"), std::string::npos);
  EXPECT_EQ(console().find("Must set mode"), std::string::npos);
  // The second `override` ended the pass: fir_int 9 was never read.
  EXPECT_EQ(st->ch[0].fir_int, 7);
}

TEST_F(InterpreterTest, MissingCoefficientFileStopsTheRun) {
  EXPECT_EQ(stop_status([&] { first_pass(std::string(kModes) + "fir_coef nofile\n"); }), 1);
  EXPECT_EQ(console(), "Couldn't open coefficient file: nofile\n");
  EXPECT_EQ(st->interp.failure, 1);
  st->console.open_memory();
  EXPECT_EQ(first_pass("fir_coef\n"), 1);
  EXPECT_EQ(console(), "Error: fir_coef on line 1 needs a coefficient file name\n");
}

}  // namespace
}  // namespace cmd7730
