// Sanitizer smoke test: the input formatter and gain steps fed settings no
// sensible control file has (no pins, no bits, unset or zero rates, huge or
// NaN gains).  Its real check is the sanitizer build, which stops on any
// undefined behaviour (an out-of-range conversion, a division by zero, an
// overlong shift); in every build such a chip must not come out of the two
// steps as a success.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "config/gain.h"
#include "config/input_formatter.h"
#include "core/run_state.h"
#include "support/chip_setup.h"

namespace cmd7730 {
namespace {

TEST(SanitizerSmoke, OddSettingsRunThroughTheFormatterAndGainSteps) {
  const double nan = std::nan("");
  for (int pins : {12, 16})
    for (int bits : {-1, 16})
      for (int ncic : {-1, 7})
        for (int fir_int : {0, 4})
          for (int sck_div : {-1, 15})
            for (int tdm_cmplx : {0, 3})
              for (double gain : {-0.25, 1e12, nan}) {
                auto st = testing::chip_with_modes(testing::T, testing::R);
                st->chip.fck = 100;
                st->chip.tout_nsig = 2;
                st->chip.tout_res = 0;
                st->chip.tinf_tdm = tdm_cmplx & 1;
                for (ChannelSettings& ch : st->ch) {
                  ch.powerdown = 0;
                  ch.pins = pins, ch.bits = bits, ch.tinf_cmplx = tdm_cmplx >> 1;
                  ch.ncic = ncic, ch.fir_int = ch.fir_dec = fir_int;
                  ch.sck_div = sck_div, ch.tinf_fs_dly = 20;
                  ch.ncoefs = 1, ch.coefs[0] = ch.sumtap = fir_int == 0 ? -100 : 32767;
                  ch.cic_int = ch.agc_tc = ncic;
                  ch.cic_dec = 10;
                  ch.overall_gain = std::isnan(gain) ? 1e300 : gain;
                  ch.gain = gain;
                  ch.cic_gain = ch.rshift_gain = ch.zpad_gain = 1.0;
                  ch.mix_gain = 0.5;
                }
                st->ch[3].agc_freeze = 0;
                input_formatter_step(*st);
                gain_step(*st);
                EXPECT_EQ(st->error_flag, 1)
                    << pins << " pins " << bits << " bits " << ncic << " ncic " << fir_int
                    << " fir_int " << sck_div << " sck_div " << tdm_cmplx << " mode " << gain
                    << " gain\n"
                    << st->console.captured();
              }
}

}  // namespace
}  // namespace cmd7730
