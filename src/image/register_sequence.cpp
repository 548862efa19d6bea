// The bench register-write script and the C header's table of writes: one
// sequence of (page, address, value) writes sent to both.  The chip is put
// in power-down with the receive mixer inputs deselected, every register and
// FIR memory is loaded, then the mixer selections, register 0 (power-up) and
// register 3 (output enables) are written, and finally any sync pulse that
// the sync mode asks for is issued through the one-shot of register 1.
#include <functional>

#include "core/run_state.h"
#include "image/line_format.h"
#include "image/output_writers.h"
#include "image/register_image.h"

namespace cmd7730 {
namespace {

constexpr int kGlobalPage = -1;
constexpr int kMixPages[2] = {128, 160};
constexpr int kMixSelAddresses[2] = {21, 29};  // A / C and B / D

class RegisterSequence {
 public:
  explicit RegisterSequence(RunState& st)
      : bench_(st.output_open(kZq220) ? &st.out[kZq220] : nullptr),
        header_(st.output_open(kHeader) ? &st.out[kHeader] : nullptr) {}

  bool active() const { return bench_ != nullptr || header_ != nullptr; }

  // Writes register `address` on `page` (-1: a global register) with the
  // low 16 bits of `value`.
  void emit(int page, int address, uint32_t value) {
    value &= 0xffffu;
    if (bench_ != nullptr) {
      // The page register is written only when the page changes; global
      // registers are reached without it and leave it as it was.
      if (page != kGlobalPage && page != bench_page_) {
        dwr16(kPageRegister, static_cast<uint32_t>(page));
        bench_page_ = page;
      }
      dwr16(static_cast<uint32_t>(address), value);
      bench_text_.spill_to(*bench_);
    }
    if (header_ != nullptr) {
      // "%s    { 0x%x, 0x%x, 0x%x }", the first row without the separator.
      TextLine& h = header_text_;
      h.text(rows_ == 0 ? "    { 0x" : ",\n    { 0x").hex(static_cast<uint32_t>(page));
      h.text(", 0x").hex(static_cast<uint32_t>(address)).text(", 0x").hex(value).text(" }");
      h.spill_to(*header_);
    }
    ++rows_;
  }

  void header_text(const char* text) {
    if (header_ != nullptr) header_text_.text(text);
  }

  // Ends the header's table with the count of its rows and writes out what
  // is pending.
  void finish() {
    if (bench_ != nullptr) bench_text_.write_to(*bench_);
    if (header_ != nullptr) {
      header_text_.text("\n};\n\nint nwrites = ").dec(rows_).text(";\n");
      header_text_.write_to(*header_);
    }
  }

 private:
  // "dwr16 %x %x\n"
  void dwr16(uint32_t address, uint32_t value) {
    bench_text_.text("dwr16 ").hex(address).put(' ').hex(value).put('\n');
  }

  OutputFile* bench_;
  OutputFile* header_;
  TextLine bench_text_;           // bench script lines not yet written
  TextLine header_text_;          // header rows not yet written
  int bench_page_ = kGlobalPage;  // none yet
  int rows_ = 0;
};

bool is_mix_select(int page, int address) {
  return (page == kMixPages[0] || page == kMixPages[1]) &&
         (address == kMixSelAddresses[0] || address == kMixSelAddresses[1]);
}

}  // namespace

void for_each_register_write(const RunState& st, const RegisterImage& image,
                             const std::function<void(int, int, uint32_t)>& write) {
  const auto emit = [&](int page, int address, uint32_t value) {
    write(page, address, value & 0xffffu);
  };
  // Every power-down and the reset bit of register 0 set, mixer inputs off.
  emit(kGlobalPage, 0, 0xfff0u);
  for (int page : kMixPages) {
    for (int address : kMixSelAddresses) emit(page, address, 0);
  }

  for (int i = next_used(image, 1); i < RegisterImage::kWords; i = next_used(image, i + 1)) {
    const int p = register_page(i);
    const int a = register_address(i);
    if (is_mix_select(p, a)) continue;
    emit(p, a, static_cast<uint32_t>(image.word[i]));
  }

  for (int k = 0; k < 4; ++k) {
    const ChannelSettings& c = st.ch[k];
    for (int n = 0; n < 16; ++n) emit(swram_page(k), 16 + n, static_cast<uint32_t>(c.SWRAM[n]));
    for (int n = 0; n < 16; ++n) emit(beram_page(k), 16 + n, static_cast<uint32_t>(c.BERAM[n]));
    for (int j = 0; j < 16; ++j) {
      for (int n = 0; n < 16; ++n) {
        emit(coefram_page(k, j), 16 + n, static_cast<uint32_t>(c.coefram[16 * j + n]));
      }
    }
  }

  for (int page : kMixPages) {
    for (int address : kMixSelAddresses) {
      emit(page, address, static_cast<uint32_t>(image.word[register_index(page, address)]));
    }
  }
  emit(kGlobalPage, 0, static_cast<uint32_t>(image.word[0]));
  emit(kGlobalPage, 3, static_cast<uint32_t>(image.word[3]));

  // Sync pulses through register 1: one_shot (bits 3..4) 2 drives the sync
  // output level 0; 0 then 1 arms and fires the one-shot.  The sync-out
  // selection packs as 0 when unset, and so it does here.
  const int sync_mode = st.chip.sync_mode;
  const int64_t sob = st.chip.soB_sync == kUnset ? 0 : st.chip.soB_sync;
  if (sync_mode == 4 || sync_mode == 6 || sync_mode == 8) {
    emit(kGlobalPage, 1, static_cast<uint32_t>(sob + 16));
  } else if (sync_mode == 5 || sync_mode == 7 || sync_mode == 9) {
    emit(kGlobalPage, 1, static_cast<uint32_t>(sob));
    emit(kGlobalPage, 1, static_cast<uint32_t>(sob + 8));
  }
}

void write_register_sequence(RunState& st, const RegisterImage& image) {
  RegisterSequence seq(st);
  if (!seq.active()) return;
  seq.header_text("struct {\n    short page;\n    short addr;\n    short val;\n} regs[] = {\n");
  for_each_register_write(
      st, image, [&](int page, int address, uint32_t value) { seq.emit(page, address, value); });
  seq.finish();
}

}  // namespace cmd7730
