// fir_config(): configures the programmable FIR of one channel: data type and
// symmetry, the FIR input rate (FIR clocks per input sample) with its
// candidates, the case checks of AgenConf, the address-generator variables,
// the tap budget and the coefficient, BERAM and SWRAM memory images.
#pragma once

namespace cmd7730 {

struct RunState;
class AgenConf;

// Configures channel `channel` (0..3).  Derived variables are set only where
// the control file left them unset; the memory images, `inrateT` and
// `possible_inrates` are written outright.  Returns 1 when the FIR was
// configured, 0 when the case was refused, and -1 when the filter holds
// several data streams or more taps than its cells can hold (both reported as
// Errors).  An unusable filter parameter or coefficient layout ends the run
// with status -1 (EarlyStop).  `agen` is the FIR configuration object,
// reset here and kept by the caller from one channel to the next.
int fir_config(RunState& st, int channel, AgenConf& agen);

}  // namespace cmd7730
