// Fuzz target: the coefficient-file reader alone.  The fuzzer's bytes are
// the file "f.coef", read into a channel chosen by the length of the input;
// afterwards the channel's summary must be one the later steps can work
// with.  A second check feeds the first up to 2048 bytes, as 32-bit words,
// straight to the summary so that extreme coefficients are reached without
// the reader's parsing in the way.  Runs inside a private scratch directory.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "core/early_stop.h"
#include "core/run_state.h"
#include "frontend/coef_file.h"
#include "fuzz_scratch.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

// What every later step relies on, whatever the file held.
void check_summary(const cmd7730::ChannelSettings& c, int count) {
  check(c.ncoefs == count);
  check(c.coefsym >= 0 && c.coefsym <= 2);
  check(c.coefsym == 0 || c.coefsym == (count % 2 == 1 ? 1 : 2));
  check(c.sumtap >= 0);
  // `maxtap` is one of the coefficients (or coefficient 0's magnitude).
  bool found = count == 0 && c.maxtap == (c.coefs[0] < 0 ? -c.coefs[0] : c.coefs[0]);
  for (int i = 0; i < count && !found; ++i) {
    const int64_t v = c.coefs[i];
    found = c.maxtap == v || (i == 0 && c.maxtap == std::min<int64_t>(v < 0 ? -v : v, INT32_MAX));
  }
  check(found);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cmd7730::fuzz::enter_scratch_dir();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  cmd7730::fuzz::write("f.coef", input);

  auto st = std::make_unique<cmd7730::RunState>();
  st->console.open_memory();
  build_catalogue(*st);
  const int channel = static_cast<int>(size % 4);
  try {
    cmd7730::read_coef_file(*st, channel, "f.coef");
  } catch (const cmd7730::EarlyStop&) {
    std::abort();  // the file exists, so the reader must not stop the run
  }
  const cmd7730::ChannelSettings& c = st->ch[channel];
  check(c.coef_loaded);
  check(c.ncoefs >= 0 && c.ncoefs <= cmd7730::kMaxCoefs);
  for (int i = c.ncoefs; i < cmd7730::kMaxCoefs; ++i) check(c.coefs[i] == 0);
  check_summary(c, c.ncoefs);
  // Any report on the console fails the pass, and the other way round.
  check((st->interp.failure == 1) == !st->console.captured().empty());

  // The summary on raw 32-bit words, any count 0..512.
  cmd7730::ChannelSettings& raw = st->ch[(channel + 1) % 4];
  raw.coefs.fill(0);
  const int words = static_cast<int>(std::min<size_t>(size / 4, cmd7730::kMaxCoefs));
  std::memcpy(raw.coefs.data(), data, static_cast<size_t>(words) * 4);
  raw.ncoefs = words;
  cmd7730::summarize_coefs(raw, words);
  check_summary(raw, words);
  return 0;
}
