// Helpers shared by the tests: a scratch directory, file I/O and running the
// built cmd7730 binary.
#pragma once

#include <string>
#include <vector>

#include "core/early_stop.h"

namespace cmd7730::testing {

// A fresh directory under the system temp dir, removed on destruction.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  void write(const std::string& name, const std::string& content) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;
  // Names of the entries in the directory, sorted.
  std::vector<std::string> list() const;

 private:
  std::string path_;
};

struct RunResult {
  int status = 0;  // exit status as the shell sees it (-1 shows as 255)
  bool signaled = false;
  std::string err;  // standard error
  std::string out;  // standard output
};

// Runs the built cmd7730 with `args` in directory `dir`.
RunResult run_binary(const std::string& dir, const std::vector<std::string>& args);

// A cmd7730 started in the background, for runs that overlap.  Its standard
// streams go to files in `dir` named after `tag`.
struct StartedRun {
  int pid = -1;
  std::string err_path;
  std::string out_path;
};
StartedRun start_binary(const std::string& dir, const std::vector<std::string>& args,
                        const std::string& tag = "");
// Waits for a started run to end.
RunResult wait_binary(const StartedRun& run);

// Runs `fn`; returns the status of the EarlyStop it throws, or 0 when it
// returns normally.
template <typename Fn>
int early_stop_status(Fn&& fn) {
  try {
    fn();
  } catch (const EarlyStop& stop) {
    return stop.status;
  }
  return 0;
}

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& content);

}  // namespace cmd7730::testing
