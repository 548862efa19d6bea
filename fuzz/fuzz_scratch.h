// What both fuzz targets need around a run: a private scratch directory to
// work in (entered once per process) and a way to put the fuzzer's bytes in
// a file there.  Any failure aborts, so the fuzzer reports it.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace cmd7730::fuzz {

inline void enter_scratch_dir() {
  static bool done = false;
  if (done) return;
  done = true;
  std::string tmpl = (std::filesystem::temp_directory_path() / "cmd7730-fuzz-XXXXXX").string();
  if (mkdtemp(tmpl.data()) == nullptr || chdir(tmpl.c_str()) != 0) std::abort();
}

inline void write(const char* name, std::string_view bytes) {
  std::FILE* f = std::fopen(name, "wb");
  if (f == nullptr) std::abort();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

}  // namespace cmd7730::fuzz
