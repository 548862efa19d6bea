#include "image/register_image.h"

#include <memory>

#include "core/messages.h"
#include "core/run_state.h"
#include "core/variables.h"
#include "image/output_writers.h"
#include "image/response.h"

namespace cmd7730 {
namespace {

void pack_variable(RunState& st, RegisterImage& image, const VariableEntry& e) {
  if (e.is_pseudo() || e.is_wide()) return;
  for (int k = 0; k < field_copies(e); ++k) {
    if (e.int_cell[k] == nullptr) continue;
    set_register_field(st, image, field_index(e, k), e.bit_pos, e.width, *e.int_cell[k]);
  }
}

// Returns `x` shifted left by `s` within 32 bits (0 once everything is
// shifted out).
uint32_t shift32(uint32_t x, int s) { return s >= 32 ? 0u : x << s; }

}  // namespace

int field_copies(const VariableEntry& e) { return e.scope == Scope::kGlobal ? 1 : 4; }

int field_index(const VariableEntry& e, int k) {
  // Where channel k's copy of a pair-scope field sits relative to channel
  // A's: B shares A's page eight addresses on, C and D are the same two
  // places on the page 32 further.
  constexpr int kPairOffset[4] = {0, 8, 512, 520};
  switch (e.scope) {
    case Scope::kGlobal:
      return e.reg_address < 16 ? e.reg_address : 16 * e.reg_page + e.reg_address;
    case Scope::kChannel:
      return 16 * (e.reg_page + 32 * k) + e.reg_address;
    case Scope::kPair:
      return 16 * e.reg_page + e.reg_address + kPairOffset[k];
  }
  return -1;  // not reached: every scope is handled
}

void set_register_field(RunState& st, RegisterImage& image, int index, int bit_pos, int width,
                        int value) {
  if (index < 0 || index >= RegisterImage::kWords) {
    ConsoleLine(st, strf("Bad address %d\n", index));
    return;
  }
  if (!image.used[index]) {
    image.used[index] = true;
    image.word[index] = 0;
  }
  if (value == kUnset) {
    value = 0;
  } else {
    const int64_t max = width >= 32 ? INT64_MAX : width <= 0 ? 0 : (int64_t{1} << width) - 1;
    if (value < 0 || value > max) {
      ConsoleLine(st, strf("Value out of range register %d value %d\n", index, value));
      ConsoleLine(st, strf("Page %x Address %x\n", static_cast<unsigned>(register_page(index)),
                           static_cast<unsigned>(register_address(index))));
      // The high bits spill into the neighbouring fields of the word, so
      // the image is not one to load into a chip.
      st.error_flag = 1;
    }
  }
  const int s = bit_pos < 0 ? 32 : bit_pos;
  const uint32_t cleared =
      static_cast<uint32_t>(image.word[index]) & ~shift32(field_mask(width), s);
  image.word[index] = static_cast<int32_t>(cleared | shift32(static_cast<uint32_t>(value), s));
}

void build_register_image(RunState& st, RegisterImage& image) {
  image.clear();
  st.catalogue.for_each_variable([&](const VariableEntry& e) {
    pack_variable(st, image, e);
    return 0;
  });
}

void write_outputs(RunState& st, const RegisterImage& image) {
  write_table(st);
  write_sim_script(st, image);
  write_register_sequence(st, image);
  if (!st.output_open(kResponse) && !st.output_open(kJson)) return;
  const std::vector<ChannelResponse> responses = compute_responses(st);
  write_response_plot(st, responses);
  write_json(st, image, responses);
}

void write_register_outputs(RunState& st) {
  auto image = std::make_unique<RegisterImage>();
  build_register_image(st, *image);
  write_outputs(st, *image);
}

}  // namespace cmd7730
