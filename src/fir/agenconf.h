// AgenConf: the FIR configuration object.  It holds the eight filter
// parameters of one channel, their case code and derived quantities, and the
// address-generator tables and control results computed from them.  One
// object serves all four channels and is reset before each.
#pragma once

namespace cmd7730 {

class AgenConf {
 public:
  void Reset() {}
};

}  // namespace cmd7730
