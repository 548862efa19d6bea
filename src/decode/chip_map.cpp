#include "decode/chip_map.h"

namespace cmd7730 {

ChipMap::ChipMap(const Catalogue& catalogue) {
  for (const VariableEntry* e : catalogue.registration_list()) {
    if (e->is_pseudo() || e->is_wide()) continue;
    bool inside = true;
    for (int k = 0; k < field_copies(*e); ++k) {
      const int i = field_index(*e, k);
      inside = inside && i >= 0 && i < RegisterImage::kWords;
    }
    // The image packer refuses such a field too ("Bad address"); the map
    // has none.
    if (!inside) continue;
    variables_.push_back(e);
    for (int k = 0; k < field_copies(*e); ++k) holds_field_[field_index(*e, k)] = true;
  }
  for (int k = 0; k < 4; ++k) {
    for (int j = 0; j < 16; ++j) memory_pages_[coefram_page(k, j)] = {WriteTarget::kCoefram, k, j};
    memory_pages_[swram_page(k)] = {WriteTarget::kSwram, k, 0};
    memory_pages_[beram_page(k)] = {WriteTarget::kBeram, k, 0};
  }
}

WriteTarget ChipMap::locate(int64_t page, int64_t address) const {
  if (page == -1) {
    if (address >= 0 && address < 16 && holds_field_[address]) {
      return {WriteTarget::kRegister, 0, static_cast<int>(address)};
    }
    return {};
  }
  if (page < 0 || address < 16 || address > 31) return {};
  if (page < kMemoryPages && memory_pages_[page].kind != WriteTarget::kOutside) {
    const MemoryPage& m = memory_pages_[page];
    return {m.kind, m.channel, 16 * m.block + static_cast<int>(address) - 16};
  }
  if (page > register_page(RegisterImage::kWords - 1)) return {};
  const int index = register_index(static_cast<int>(page), static_cast<int>(address));
  if (index < RegisterImage::kWords && holds_field_[index])
    return {WriteTarget::kRegister, 0, index};
  return {};
}

int32_t ChipMap::value(const DecodedImage& image, const VariableEntry& e, int k) {
  const int32_t word = image.reg[field_index(e, k)];
  if (word == DecodedImage::kUnwritten) return word;
  return static_cast<int32_t>(field_bits(static_cast<uint32_t>(word), e.bit_pos, e.width));
}

}  // namespace cmd7730
