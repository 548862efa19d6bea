// cmd7730: compiles one control file into ZQ7730 register settings.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "core/run_state.h"

int main(int argc, char** argv) {
  auto st = std::make_unique<cmd7730::RunState>();
  st->console.attach(stderr);
  st->stdout_.attach(stdout);
  std::vector<std::string> args(argv + 1, argv + argc);
  const int status = cmd7730::run_command_line(*st, args);
  return status;
}
