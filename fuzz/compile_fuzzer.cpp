// Fuzz target: the whole compile, in-process, on a control file and a
// coefficient file cut from the fuzzer's bytes.  The input is split at the
// first "\n@@\n": before it the control file "c.txt", after it the
// coefficient file "f.coef" (which the control file may name with
// `fir_coef f.coef`).  Runs inside a private scratch directory.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "app/driver.h"
#include "core/run_state.h"
#include "fuzz_scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  cmd7730::fuzz::enter_scratch_dir();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t cut = input.find("\n@@\n");
  cmd7730::fuzz::write("c.txt", input.substr(0, cut));
  cmd7730::fuzz::write("f.coef",
                       cut == std::string_view::npos ? std::string_view() : input.substr(cut + 4));

  auto st = std::make_unique<cmd7730::RunState>();
  st->console.open_memory();
  st->stdout_.open_memory();
  const int status = cmd7730::run_cmd7730(*st, {"c.txt"});
  if (status != 0 && status != 1 && status != -1) std::abort();
  // An Error must never end as success.
  if (st->error_flag != 0 && status == 0) std::abort();
  // Nothing is written but the temporary command file and the outputs named
  // after the control file.
  for (const auto& e : std::filesystem::directory_iterator(".")) {
    const std::string name = e.path().filename().string();
    bool expected = name == "c.txt" || name == "f.coef" || name == "cmd7730TmpCmdFile";
    for (const char* extension : cmd7730::kOutputExtension) {
      expected = expected || name == std::string("c.") + extension;
    }
    if (!expected) std::abort();
  }
  return 0;
}
