#include "decode/image_builder.h"

#include "core/messages.h"
#include "decode/line_scan.h"

namespace cmd7730 {
namespace {

constexpr int kPowerRegister = 0;  // power-downs and reset
constexpr int kSyncRegister = 1;   // sync-out selection and one-shot

}  // namespace

void ImageBuilder::check_width(uint32_t value, int line) {
  if (value > 0xffffu) {
    throw Refusal{line, strf("value %u (0x%x) is wider than 16 bits", value, value)};
  }
}

void ImageBuilder::write(int64_t page, int64_t address, uint32_t value, int line) {
  check_width(value, line);
  const WriteTarget t = map_.locate(page, address);
  if (t.kind == WriteTarget::kOutside) {
    if (page == -1) {
      throw Refusal{line, strf("global register 0x%llx is outside the register map",
                               static_cast<unsigned long long>(address))};
    }
    throw Refusal{line, strf("page 0x%llx, address 0x%llx is outside the register map",
                             static_cast<unsigned long long>(page),
                             static_cast<unsigned long long>(address))};
  }
  if (t.kind != WriteTarget::kRegister) {
    memory(t.kind, t.channel, t.index, value, line);
    return;
  }
  // The run loads everything with the chip powered down and releases it
  // with the second write to register 0; a write to register 1 after that
  // fires the sync one-shot, a pulse rather than a setting.
  if (t.index == kPowerRegister && register0_writes_ < 2) ++register0_writes_;
  if (t.index == kSyncRegister && register0_writes_ >= 2) return;
  image_.reg[t.index] = static_cast<int32_t>(value);
}

void ImageBuilder::memory(WriteTarget::Kind kind, int channel, int index, uint32_t value,
                          int line) {
  check_width(value, line);
  ChannelMemories& m = image_.mem[channel];
  int32_t& word = kind == WriteTarget::kCoefram ? m.coefram[index]
                  : kind == WriteTarget::kSwram ? m.swram[index]
                                                : m.beram[index];
  word = static_cast<int32_t>(value);
}

}  // namespace cmd7730
