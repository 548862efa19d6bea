// In-process benchmark of one compile of the largest bundled example, whole
// and split into its phases: catalogue build, interpretation (preprocessing
// and the first pass), configuration (mixer step to the reports) and output
// writing.  Runs in a scratch copy of examples/.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "catalogue/defaults.h"
#include "catalogue/register_image.h"
#include "config/config_driver.h"
#include "config/mixer.h"
#include "config/power.h"
#include "frontend/driver.h"
#include "frontend/filter_report.h"
#include "frontend/interpreter.h"
#include "frontend/preprocess.h"
#include "frontend/run_state.h"
#include "sanity/sanity.h"

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

void interpret(RunState& st) {
  OutputFile tmp;
  tmp.open_path(kTemporaryCommandFile);
  createTmpCmdFile(st, st.control_file, tmp);
  tmp.close();
  interpret_pass(st);
}

void configure(RunState& st) {
  mixer_step(st);
  check_declarations(st);
  configure_channels(st);
  consistency_checks(st);
  if (st.output_open(kAnalysis)) {
    for (int c = 0; c < 4; ++c) filter_report(st, c);
    power_estimate(st);
  }
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
    st->build_catalogue();
  }
}
BENCHMARK(BM_CatalogueBuild)->Unit(benchmark::kMicrosecond);

void BM_Interpretation(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto st = fresh_state();
    st->build_catalogue();
    state.ResumeTiming();
    interpret(*st);
  }
}
BENCHMARK(BM_Interpretation)->Unit(benchmark::kMicrosecond);

void BM_Configuration(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto st = fresh_state();
    st->build_catalogue();
    interpret(*st);
    state.ResumeTiming();
    configure(*st);
  }
}
BENCHMARK(BM_Configuration)->Unit(benchmark::kMicrosecond);

void BM_OutputWriting(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto st = fresh_state();
    st->build_catalogue();
    interpret(*st);
    configure(*st);
    state.ResumeTiming();
    write_register_outputs(*st);
    for (auto& f : st->out) f.close();
  }
}
BENCHMARK(BM_OutputWriting)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  const fs::path examples = fs::path(CMD7730_SOURCE_DIR) / "examples";
  std::string dir = (fs::temp_directory_path() / "cmd7730-bench-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) return 1;
  for (const auto& e : fs::directory_iterator(examples)) fs::copy(e.path(), dir);
  if (chdir(dir.c_str()) != 0) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(dir);
  return 0;
}
