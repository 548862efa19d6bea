// In-process benchmark of one compile of the largest bundled example, whole
// and split into its phases: catalogue build, interpretation (preprocessing
// and the first pass), configuration (mixer step to the reports) and output
// writing; and, to compare with the whole compile, decoding the C header
// that compile wrote (--decode).  Runs in a scratch copy of examples/.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/driver.h"
#include "catalogue/catalogue.h"
#include "core/run_state.h"
#include "decode/decode_commands.h"

namespace fs = std::filesystem;
using namespace cmd7730;

namespace {

constexpr const char* kExample = "wideband4.txt";

std::unique_ptr<RunState> fresh_state() {
  auto st = std::make_unique<RunState>();
  st->console.open_memory();
  st->stdout_.open_memory();
  st->control_file = kExample;
  return st;
}

void BM_WholeCompile(benchmark::State& state) {
  for (auto _ : state) {
    auto st = fresh_state();
    benchmark::DoNotOptimize(run_cmd7730(*st, {kExample}));
  }
}
BENCHMARK(BM_WholeCompile)->Unit(benchmark::kMicrosecond);

void BM_CatalogueBuild(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto st = fresh_state();
    state.ResumeTiming();
    build_catalogue(*st);
  }
}
BENCHMARK(BM_CatalogueBuild)->Unit(benchmark::kMicrosecond);

void BM_Interpretation(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto st = fresh_state();
    build_catalogue(*st);
    state.ResumeTiming();
    interpret_control_file(*st);
  }
}
BENCHMARK(BM_Interpretation)->Unit(benchmark::kMicrosecond);

void BM_Configuration(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto st = fresh_state();
    build_catalogue(*st);
    prepare_and_interpret(*st);
    state.ResumeTiming();
    compute_configuration(*st);
  }
}
BENCHMARK(BM_Configuration)->Unit(benchmark::kMicrosecond);

void BM_OutputWriting(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto st = fresh_state();
    build_catalogue(*st);
    prepare_and_interpret(*st);
    compute_configuration(*st);
    state.ResumeTiming();
    finish_outputs(*st);
  }
}
BENCHMARK(BM_OutputWriting)->Unit(benchmark::kMicrosecond);

// The header wideband4.txt compiles to, read back and listed: it must
// cost no more than the compile that wrote it.
void BM_DecodeHeader(benchmark::State& state) {
  for (auto _ : state) {
    auto st = fresh_state();
    benchmark::DoNotOptimize(run_decode(*st, "wideband4.h"));
  }
}
BENCHMARK(BM_DecodeHeader)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  const fs::path examples = fs::path(CMD7730_SOURCE_DIR) / "examples";
  std::string dir = (fs::temp_directory_path() / "cmd7730-bench-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) return 1;
  for (const auto& e : fs::directory_iterator(examples)) fs::copy(e.path(), dir);
  if (chdir(dir.c_str()) != 0) return 1;
  {
    // The header BM_DecodeHeader reads, whichever benchmarks are selected.
    auto st = fresh_state();
    if (run_cmd7730(*st, {kExample}) != 0) return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(dir);
  return 0;
}
