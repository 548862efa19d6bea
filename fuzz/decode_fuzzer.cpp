// Fuzz target: the register-file decoder on the fuzzer's bytes as the text
// of a file "f", in memory.  Whatever the bytes, the decoder either refuses
// them with one line "f:LINE: what is wrong" naming a line the text has, or
// takes them; a taken image holds only 16-bit words, and written back as a
// C header of its own (every written register and memory word once, in
// index order) it decodes to the same image.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "core/run_state.h"
#include "decode/chip_map.h"
#include "decode/decode.h"
#include "decode/decoded_image.h"
#include "image/register_image.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

bool is_word(int32_t w) {
  return w == cmd7730::DecodedImage::kUnwritten || (w >= 0 && w <= 0xffff);
}

// Returns `image` as a C header: the declaration, a row per written word and
// the count.
std::string as_header(const cmd7730::DecodedImage& image) {
  std::string rows;
  int count = 0;
  const auto row = [&](int page, int address, int32_t value) {
    if (value == cmd7730::DecodedImage::kUnwritten) return;
    char text[64];
    std::snprintf(text, sizeof text, "%s    { 0x%x, 0x%x, 0x%x }", count == 0 ? "" : ",\n",
                  static_cast<unsigned>(page), static_cast<unsigned>(address),
                  static_cast<unsigned>(value));
    rows += text;
    ++count;
  };
  for (int i = 0; i < cmd7730::RegisterImage::kWords; ++i) {
    row(cmd7730::register_page(i), cmd7730::register_address(i), image.reg[i]);
  }
  for (int k = 0; k < 4; ++k) {
    const cmd7730::ChannelMemories& m = image.mem[k];
    for (int n = 0; n < 256; ++n) row(cmd7730::coefram_page(k, n / 16), 16 + n % 16, m.coefram[n]);
    for (int n = 0; n < 16; ++n) row(cmd7730::swram_page(k), 16 + n, m.swram[n]);
    for (int n = 0; n < 16; ++n) row(cmd7730::beram_page(k), 16 + n, m.beram[n]);
  }
  return "struct {\n    short page;\n    short addr;\n    short val;\n} regs[] = {\n" + rows +
         "\n};\n\nint nwrites = " + std::to_string(count) + ";\n";
}

bool same(const cmd7730::DecodedImage& a, const cmd7730::DecodedImage& b) {
  for (int k = 0; k < 4; ++k) {
    if (a.mem[k].coefram != b.mem[k].coefram || a.mem[k].swram != b.mem[k].swram ||
        a.mem[k].beram != b.mem[k].beram) {
      return false;
    }
  }
  return a.reg == b.reg;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  auto st = std::make_unique<cmd7730::RunState>();
  cmd7730::build_catalogue(*st);
  const cmd7730::ChipMap map(st->catalogue);

  auto image = std::make_unique<cmd7730::DecodedImage>();
  const std::string why = cmd7730::decode_text(map, "f", input, *image);
  if (!why.empty()) {
    // "f:LINE: text\n", one line, LINE a line of the input.
    check(why.starts_with("f:") && why.back() == '\n');
    check(why.find('\n') == why.size() - 1);
    const int line = std::atoi(why.c_str() + 2);
    size_t lines = 1;
    for (const char c : input) lines += c == '\n';
    check(line >= 1 && static_cast<size_t>(line) <= lines);
    check(why.find(": ", 2) != std::string::npos);
    return 0;
  }
  for (const int32_t w : image->reg) check(is_word(w));
  for (const cmd7730::ChannelMemories& m : image->mem) {
    for (const int32_t w : m.coefram) check(is_word(w));
    for (const int32_t w : m.swram) check(is_word(w));
    for (const int32_t w : m.beram) check(is_word(w));
  }
  auto again = std::make_unique<cmd7730::DecodedImage>();
  check(cmd7730::decode_text(map, "g", as_header(*image), *again).empty());
  check(same(*image, *again));
  return 0;
}
