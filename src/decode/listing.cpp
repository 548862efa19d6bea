#include "decode/listing.h"

#include <cstdio>
#include <span>
#include <string_view>

#include "image/register_image.h"

namespace cmd7730 {
namespace {

constexpr const char* kMemoryNames[3] = {"coefram", "swram", "beram"};

// Returns the words of memory `m` (as in kMemoryNames) of one channel.
std::span<const int32_t> memory_words(const ChannelMemories& c, int m) {
  if (m == 0) return c.coefram;
  return m == 1 ? std::span<const int32_t>(c.swram) : std::span<const int32_t>(c.beram);
}

// Appends `v` right-aligned in `width` columns ("%5d", or "%d" for width
// 0), or "-" there when it is unwritten.
void value(TextLine& out, int32_t v, int width) {
  if (v != DecodedImage::kUnwritten) {
    out.dec(v, width);
  } else {
    if (width > 1) out.blanks(static_cast<size_t>(width - 1));
    out.put('-');
  }
}

// Appends "%-20s %c %5s %5s\n".
void difference(TextLine& out, std::string_view name, char channel, int32_t a, int32_t b) {
  out.left(name, 20).put(' ').put(channel).put(' ');
  value(out, a, 5);
  out.put(' ');
  value(out, b, 5);
  out.put('\n');
}

char channel_letter(int k) { return static_cast<char>('A' + k); }

}  // namespace

void append_listing(const ChipMap& map, const DecodedImage& image, TextLine& out) {
  for (const VariableEntry* e : map.variables()) {
    out.left(e->name, 20);
    const int copies = field_copies(*e);
    for (int k = 0; k < copies; ++k) {
      out.put(' ');
      value(out, ChipMap::value(image, *e, k), copies == 4 ? 5 : 0);
    }
    out.put('\n');
  }
  for (int k = 0; k < 4; ++k) {
    for (int m = 0; m < 3; ++m) {
      out.text(kMemoryNames[m]).put(' ').put(channel_letter(k));
      for (const int32_t w : memory_words(image.mem[k], m)) {
        out.put(' ');
        value(out, w, 0);
      }
      out.put('\n');
    }
  }
}

int append_differences(const ChipMap& map, const DecodedImage& a, const DecodedImage& b,
                       TextLine& out) {
  int lines = 0;
  for (const VariableEntry* e : map.variables()) {
    const int copies = field_copies(*e);
    for (int k = 0; k < copies; ++k) {
      const int32_t va = ChipMap::value(a, *e, k);
      const int32_t vb = ChipMap::value(b, *e, k);
      if (va == vb) continue;
      difference(out, e->name, copies == 4 ? channel_letter(k) : '-', va, vb);
      ++lines;
    }
  }
  for (int k = 0; k < 4; ++k) {
    for (int m = 0; m < 3; ++m) {
      const std::span<const int32_t> wa = memory_words(a.mem[k], m);
      const std::span<const int32_t> wb = memory_words(b.mem[k], m);
      for (size_t i = 0; i < wa.size(); ++i) {
        if (wa[i] == wb[i]) continue;
        char name[24];
        const int n = std::snprintf(name, sizeof name, "%s[%zu]", kMemoryNames[m], i);
        difference(out, std::string_view(name, static_cast<size_t>(n)), channel_letter(k), wa[i],
                   wb[i]);
        ++lines;
      }
    }
  }
  return lines;
}

}  // namespace cmd7730
