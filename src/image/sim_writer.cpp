// The simulation script.  The simulator starts from the chip in power-down
// with the receive mixer inputs deselected, loads every register and the FIR
// memories, and only then selects the mixer inputs and releases register 0.
#include "core/run_state.h"
#include "image/line_format.h"
#include "image/output_writers.h"
#include "image/register_image.h"

namespace cmd7730 {
namespace {

constexpr int kMixSelAddress = 21;
constexpr int kMixPageAB = 128;
constexpr int kMixPageCD = 160;

uint32_t low16(int32_t word) { return static_cast<uint32_t>(word) & 0xffffu; }

// "QOEF k j" and sixteen " 0x%x", "SWRAM k " and sixteen " %d", "BERAM k "
// and sixteen " 0x%x", each ended by ";\n".
void write_memories(OutputFile& out, int k, const ChannelSettings& c, TextLine& line) {
  for (int j = 0; j < 16; ++j) {
    line.text("QOEF ").dec(k).put(' ').dec(j);
    for (int n = 0; n < 16; ++n) line.text(" 0x").hex(low16(c.coefram[16 * j + n]));
    line.text(";\n").spill_to(out);
  }
  line.text("SWRAM ").dec(k).put(' ');
  for (int n = 0; n < 16; ++n) line.put(' ').dec(static_cast<int32_t>(low16(c.SWRAM[n])));
  line.text(";\nBERAM ").dec(k).put(' ');
  for (int n = 0; n < 16; ++n) line.text(" 0x").hex(low16(c.BERAM[n]));
  line.text(";\n").spill_to(out);
}

}  // namespace

void write_sim_script(RunState& st, const RegisterImage& image) {
  if (!st.output_open(kSim)) return;
  OutputFile& out = st.out[kSim];
  TextLine line;  // lines not yet written

  for (int i = next_used(image, 0); i < RegisterImage::kWords; i = next_used(image, i + 1)) {
    const int p = register_page(i);
    const int a = register_address(i);
    if ((p == kMixPageAB || p == kMixPageCD) && a == kMixSelAddress) continue;
    if (i == 0) {
      // Everything powered down and in reset while the rest is loaded.
      line.text("Wglb 0 0xfff0\nWcon 0x80 0x15 0\nWcon 0xa0 0x15 0\n");
    } else {
      // "Wglb 0x%x 0x%x\n" (address, value) or "Wcon 0x%x 0x%x 0x%x\n"
      // (page, address, value).
      if (p == -1) {
        line.text("Wglb 0x");
      } else {
        line.text("Wcon 0x").hex(static_cast<uint32_t>(p)).text(" 0x");
      }
      line.hex(static_cast<uint32_t>(a)).text(" 0x").hex(low16(image.word[i])).put('\n');
      line.spill_to(out);
    }
  }

  for (int k = 0; k < 4; ++k) write_memories(out, k, st.ch[k], line);

  // The mixer selections as stored, then registers 0 and 3.
  line.text("Wcon 0x80 0x15 0x")
      .hex(static_cast<uint32_t>(image.word[register_index(kMixPageAB, kMixSelAddress)]));
  line.text("\nWcon 0xa0 0x15 0x")
      .hex(static_cast<uint32_t>(image.word[register_index(kMixPageCD, kMixSelAddress)]));
  line.text("\nWglb 0 0x").hex(low16(image.word[0]));
  line.text("\nWglb 3 0x").hex(low16(image.word[3])).put('\n');
  line.write_to(out);
}

}  // namespace cmd7730
