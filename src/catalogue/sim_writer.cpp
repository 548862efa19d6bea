// The simulation script.  The simulator starts from the chip in power-down
// with the receive mixer inputs deselected, loads every register and the FIR
// memories, and only then selects the mixer inputs and releases register 0.
#include "catalogue/line_format.h"
#include "catalogue/output_writers.h"
#include "catalogue/register_image.h"
#include "frontend/run_state.h"

namespace cmd7730 {
namespace {

constexpr int kMixSelAddress = 21;
constexpr int kMixPageAB = 128;
constexpr int kMixPageCD = 160;

uint32_t low16(int32_t word) { return static_cast<uint32_t>(word) & 0xffffu; }

void write_memories(OutputFile& out, int k, const ChannelSettings& c) {
  for (int j = 0; j < 16; ++j) {
    writef(out, "QOEF %d %d", k, j);
    for (int n = 0; n < 16; ++n) writef(out, " 0x%x", low16(c.coefram[16 * j + n]));
    out.write(";\n");
  }
  writef(out, "SWRAM %d ", k);
  for (int n = 0; n < 16; ++n) writef(out, " %d", static_cast<int>(low16(c.SWRAM[n])));
  out.write(";\n");
  writef(out, "BERAM %d ", k);
  for (int n = 0; n < 16; ++n) writef(out, " 0x%x", low16(c.BERAM[n]));
  out.write(";\n");
}

}  // namespace

void write_sim_script(RunState& st, const RegisterImage& image) {
  if (!st.output_open(kSim)) return;
  OutputFile& out = st.out[kSim];

  for (int i = 0; i < RegisterImage::kWords; ++i) {
    if (!image.used[i]) continue;
    const int p = register_page(i);
    const int a = register_address(i);
    if ((p == kMixPageAB || p == kMixPageCD) && a == kMixSelAddress) continue;
    if (i == 0) {
      // Everything powered down and in reset while the rest is loaded.
      out.write("Wglb 0 0xfff0\nWcon 0x80 0x15 0\nWcon 0xa0 0x15 0\n");
    } else if (p == -1) {
      writef(out, "Wglb 0x%x 0x%x\n", a, low16(image.word[i]));
    } else {
      writef(out, "Wcon 0x%x 0x%x 0x%x\n", p, a, low16(image.word[i]));
    }
  }

  for (int k = 0; k < 4; ++k) write_memories(out, k, st.ch[k]);

  writef(out, "Wcon 0x80 0x15 0x%x\n",
         static_cast<uint32_t>(image.word[register_index(kMixPageAB, kMixSelAddress)]));
  writef(out, "Wcon 0xa0 0x15 0x%x\n",
         static_cast<uint32_t>(image.word[register_index(kMixPageCD, kMixSelAddress)]));
  writef(out, "Wglb 0 0x%x\n", low16(image.word[0]));
  writef(out, "Wglb 3 0x%x\n", low16(image.word[3]));
}

}  // namespace cmd7730
