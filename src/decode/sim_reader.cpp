// The simulation script: "Wglb ADDRESS VALUE" for a global register, "Wcon
// PAGE ADDRESS VALUE" for a paged one, and per channel k the memory lines
// "QOEF k j" (coefficient words 16j..16j+15), "SWRAM k" and "BERAM k", each
// with sixteen words and ended by ';'.  Numbers are "0x" and hexadecimal
// digits or plain decimal: the writer prints some addresses and zero values
// bare ("Wglb 0 0xfff0", "Wcon 0x80 0x15 0") and the swap memory in decimal.
#include <string_view>

#include "core/messages.h"
#include "decode/line_scan.h"
#include "decode/readers.h"

namespace cmd7730 {
namespace {

constexpr int kWordsPerLine = 16;

// Reads " N" `count` times into `v`.
bool numbers(Scan& s, uint32_t* v, int count) {
  for (int i = 0; i < count; ++i) {
    if (!s.blanks() || !s.c_number(v[i])) return false;
  }
  return true;
}

// Reads a memory line after its keyword: the channel, the block for QOEF
// (`with_block`), sixteen words and ';'.  Returns false when the line does
// not have that shape.
bool memory_line(Scan& s, bool with_block, uint32_t& channel, uint32_t& block, uint32_t* words) {
  if (!s.blanks() || !s.dec(channel)) return false;
  if (with_block && (!s.blanks() || !s.dec(block))) return false;
  if (!numbers(s, words, kWordsPerLine)) return false;
  s.blanks();
  return s.take(";") && s.at_end();
}

void read_memory_line(Scan& s, int n, WriteTarget::Kind kind, ImageBuilder& out) {
  const bool coefram = kind == WriteTarget::kCoefram;
  uint32_t channel = 0, block = 0, words[kWordsPerLine];
  if (!memory_line(s, coefram, channel, block, words)) {
    throw Refusal{n, coefram ? "expected QOEF CHANNEL BLOCK and 16 words ended by ';'"
                             : "expected the channel and 16 words ended by ';'"};
  }
  if (channel > 3) throw Refusal{n, strf("channel %u is outside 0..3", channel)};
  if (block > 15) throw Refusal{n, strf("coefficient block %u is outside 0..15", block)};
  for (int i = 0; i < kWordsPerLine; ++i) {
    out.memory(kind, static_cast<int>(channel), static_cast<int>(16 * block) + i, words[i], n);
  }
}

}  // namespace

void read_sim_script(std::string_view text, ImageBuilder& out) {
  Lines lines(text);
  for (std::string_view line; lines.next(line);) {
    const int n = lines.number();
    if (is_blank_line(line)) continue;
    Scan s(line, n);
    uint32_t v[3];
    s.blanks();
    if (s.take("Wglb")) {
      if (!numbers(s, v, 2) || !s.at_end()) throw Refusal{n, "expected Wglb ADDRESS VALUE"};
      out.write(-1, v[0], v[1], n);
    } else if (s.take("Wcon")) {
      if (!numbers(s, v, 3) || !s.at_end()) throw Refusal{n, "expected Wcon PAGE ADDRESS VALUE"};
      out.write(v[0], v[1], v[2], n);
    } else if (s.take("QOEF")) {
      read_memory_line(s, n, WriteTarget::kCoefram, out);
    } else if (s.take("SWRAM")) {
      read_memory_line(s, n, WriteTarget::kSwram, out);
    } else if (s.take("BERAM")) {
      read_memory_line(s, n, WriteTarget::kBeram, out);
    } else {
      throw Refusal{n, "not a simulation script line: expected Wglb, Wcon, QOEF, SWRAM or BERAM"};
    }
  }
}

}  // namespace cmd7730
