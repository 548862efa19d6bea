// The bench script: "dwr16 ADDRESS VALUE" per line, both in hexadecimal.
// Addresses 0..15 are the global registers, 16..31 the registers of the page
// last selected through global register 2.  Register 2 is also a register of
// the image (the page and chip_rev fields), written like any other; the
// writer selects a page only right before a write on it, so a write to
// address 2 selects the page when a paged write follows it at once, and is
// a write of register 2 itself otherwise.
#include <string_view>

#include "core/messages.h"
#include "decode/line_scan.h"
#include "decode/readers.h"
#include "image/register_image.h"

namespace cmd7730 {
namespace {

constexpr uint32_t kFirstPaged = 16;
constexpr uint32_t kLastAddress = 31;

}  // namespace

void read_bench_script(std::string_view text, ImageBuilder& out) {
  int64_t page = -1;  // the page selected; -1 before the first selection
  bool held = false;  // a write to address 2 waits for the next line
  uint32_t held_value = 0;
  int held_line = 0;
  Lines lines(text);
  for (std::string_view line; lines.next(line);) {
    const int n = lines.number();
    if (is_blank_line(line)) continue;
    Scan s(line, n);
    uint32_t address = 0, value = 0;
    s.blanks();
    if (!(s.take("dwr16") && s.blanks() && s.hex(address) && s.blanks() && s.hex(value) &&
          s.at_end())) {
      throw Refusal{n, "not a bench script line: expected dwr16 ADDRESS VALUE"};
    }
    ImageBuilder::check_width(value, n);
    if (address > kLastAddress) {
      throw Refusal{n, strf("address 0x%x is outside the register map", address)};
    }
    if (held) {
      held = false;
      if (address >= kFirstPaged) {
        page = held_value;
      } else {
        out.write(-1, kPageRegister, held_value, held_line);
      }
    }
    if (address == kPageRegister) {
      held = true;
      held_value = value;
      held_line = n;
    } else if (address >= kFirstPaged) {
      if (page == -1) {
        throw Refusal{n, strf("address 0x%x is on a page, but no page has been selected", address)};
      }
      out.write(page, address, value, n);
    } else {
      out.write(-1, address, value, n);
    }
  }
  if (held) out.write(-1, kPageRegister, held_value, held_line);
}

}  // namespace cmd7730
