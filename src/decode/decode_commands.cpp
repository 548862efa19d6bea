#include "decode/decode_commands.h"

#include <memory>

#include "catalogue/catalogue.h"
#include "core/run_state.h"
#include "decode/decode.h"
#include "decode/listing.h"

namespace cmd7730 {
namespace {

constexpr int kRefused = 2;

// Writes a refusal on the console; returns the status that goes with it.
int refuse(RunState& st, const std::string& why) {
  st.console.write(why);
  st.console.flush();
  return kRefused;
}

void print(RunState& st, const TextLine& text) {
  st.stdout_.write(text.view());
  st.stdout_.flush();
}

}  // namespace

int run_decode(RunState& st, const std::string& file) {
  build_catalogue(st);
  const ChipMap map(st.catalogue);
  auto image = std::make_unique<DecodedImage>();
  if (const std::string why = decode_file(map, file, *image); !why.empty()) return refuse(st, why);
  TextLine text;
  append_listing(map, *image, text);
  print(st, text);
  return 0;
}

int run_diff(RunState& st, const std::string& a, const std::string& b) {
  build_catalogue(st);
  const ChipMap map(st.catalogue);
  auto image_a = std::make_unique<DecodedImage>();
  auto image_b = std::make_unique<DecodedImage>();
  if (const std::string why = decode_file(map, a, *image_a); !why.empty()) return refuse(st, why);
  if (const std::string why = decode_file(map, b, *image_b); !why.empty()) return refuse(st, why);
  TextLine text;
  const int lines = append_differences(map, *image_a, *image_b, text);
  print(st, text);
  return lines == 0 ? 0 : 1;
}

}  // namespace cmd7730
