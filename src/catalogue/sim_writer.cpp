// The simulation script.  The simulator starts from the chip in power-down
// with the receive mixer inputs deselected, loads every register and the FIR
// memories, and only then selects the mixer inputs and releases register 0.
#include <string>

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

// "QOEF k j" and sixteen " 0x%x", "SWRAM k " and sixteen " %d", "BERAM k "
// and sixteen " 0x%x", each ended by ";\n".
void write_memories(OutputFile& out, int k, const ChannelSettings& c, std::string& line) {
  for (int j = 0; j < 16; ++j) {
    line.assign("QOEF ");
    append_dec(line, k);
    line.push_back(' ');
    append_dec(line, j);
    for (int n = 0; n < 16; ++n) {
      line.append(" 0x");
      append_hex(line, low16(c.coefram[16 * j + n]));
    }
    line.append(";\n");
    out.write(line);
  }
  line.assign("SWRAM ");
  append_dec(line, k);
  line.push_back(' ');
  for (int n = 0; n < 16; ++n) {
    line.push_back(' ');
    append_dec(line, static_cast<int32_t>(low16(c.SWRAM[n])));
  }
  line.append(";\nBERAM ");
  append_dec(line, k);
  line.push_back(' ');
  for (int n = 0; n < 16; ++n) {
    line.append(" 0x");
    append_hex(line, low16(c.BERAM[n]));
  }
  line.append(";\n");
  out.write(line);
}

}  // namespace

void write_sim_script(RunState& st, const RegisterImage& image) {
  if (!st.output_open(kSim)) return;
  OutputFile& out = st.out[kSim];
  std::string line;  // the text being formatted, reused

  for (int i = 0; i < RegisterImage::kWords; ++i) {
    if (!image.used[i]) continue;
    const int p = register_page(i);
    const int a = register_address(i);
    if ((p == kMixPageAB || p == kMixPageCD) && a == kMixSelAddress) continue;
    if (i == 0) {
      // Everything powered down and in reset while the rest is loaded.
      out.write("Wglb 0 0xfff0\nWcon 0x80 0x15 0\nWcon 0xa0 0x15 0\n");
    } else {
      // "Wglb 0x%x 0x%x\n" (address, value) or "Wcon 0x%x 0x%x 0x%x\n"
      // (page, address, value).
      if (p == -1) {
        line.assign("Wglb 0x");
      } else {
        line.assign("Wcon 0x");
        append_hex(line, static_cast<uint32_t>(p));
        line.append(" 0x");
      }
      append_hex(line, static_cast<uint32_t>(a));
      line.append(" 0x");
      append_hex(line, low16(image.word[i]));
      line.push_back('\n');
      out.write(line);
    }
  }

  for (int k = 0; k < 4; ++k) write_memories(out, k, st.ch[k], line);

  // The mixer selections as stored, then registers 0 and 3.
  line.assign("Wcon 0x80 0x15 0x");
  append_hex(line, static_cast<uint32_t>(image.word[register_index(kMixPageAB, kMixSelAddress)]));
  line.append("\nWcon 0xa0 0x15 0x");
  append_hex(line, static_cast<uint32_t>(image.word[register_index(kMixPageCD, kMixSelAddress)]));
  line.append("\nWglb 0 0x");
  append_hex(line, low16(image.word[0]));
  line.append("\nWglb 3 0x");
  append_hex(line, low16(image.word[3]));
  line.push_back('\n');
  out.write(line);
}

}  // namespace cmd7730
