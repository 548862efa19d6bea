#include "support/test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace cmd7730::testing {

ScratchDir::ScratchDir() {
  std::string tmpl = (fs::temp_directory_path() / "cmd7730-test-XXXXXX").string();
  if (mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

void ScratchDir::write(const std::string& name, const std::string& content) const {
  write_file(file(name), content);
}

std::string ScratchDir::read(const std::string& name) const { return read_file(file(name)); }

bool ScratchDir::exists(const std::string& name) const { return fs::exists(file(name)); }

std::vector<std::string> ScratchDir::list() const {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(path_)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void write_file(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

StartedRun start_binary(const std::string& dir, const std::vector<std::string>& args,
                        const std::string& tag) {
  StartedRun run;
  run.err_path = dir + "/.stderr" + tag;
  run.out_path = dir + "/.stdout" + tag;
  // The child would otherwise write out the test runner's pending output a
  // second time when it reopens standard output.
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    if (!freopen(run.err_path.c_str(), "w", stderr)) _exit(127);
    if (!freopen(run.out_path.c_str(), "w", stdout)) _exit(127);
    std::vector<char*> argv;
    std::string bin = CMD7730_BINARY;
    argv.push_back(bin.data());
    std::vector<std::string> copy = args;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(bin.c_str(), argv.data());
    _exit(127);
  }
  run.pid = pid;
  return run;
}

RunResult wait_binary(const StartedRun& run) {
  RunResult r;
  int wstatus = 0;
  waitpid(run.pid, &wstatus, 0);
  r.signaled = WIFSIGNALED(wstatus);
  r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  r.err = read_file(run.err_path);
  r.out = read_file(run.out_path);
  fs::remove(run.err_path);
  fs::remove(run.out_path);
  return r;
}

RunResult run_binary(const std::string& dir, const std::vector<std::string>& args) {
  return wait_binary(start_binary(dir, args));
}

}  // namespace cmd7730::testing
