#include "app/driver.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/defaults.h"
#include "config/config_driver.h"
#include "config/mixer.h"
#include "core/early_stop.h"
#include "core/messages.h"
#include "core/run_state.h"
#include "frontend/check_findings.h"
#include "frontend/interpreter.h"
#include "frontend/preprocess.h"
#include "image/register_image.h"
#include "reports/consistency_checks.h"
#include "reports/filter_report.h"
#include "reports/power.h"

namespace cmd7730 {
namespace {

void close_outputs(RunState& st) {
  for (int k = 0; k < kOutputKinds; ++k) {
    if (st.output_open(static_cast<OutputKind>(k))) st.out[k].close();
  }
}

}  // namespace

int prepare_and_interpret(RunState& st) {
  st.error_flag = 0;
  build_catalogue(st);
  return interpret_control_file(st);
}

int interpret_control_file(RunState& st) {
  {
    // Another run in this directory finishes with the file first.
    OutputFile tmp;
    if (!st.command_file_lock.acquire(st.options.command_file.c_str()) ||
        !tmp.open_path(st.options.command_file)) {
      Error(st, "Could not open temporary command file for writing", kTagDriver, 25);
      return 1;
    }
    if (createTmpCmdFile(st, st.control_file, tmp) == 1) {
      st.stdout_.write("createTmpCmdFile returned 1\n");
      return 1;
    }
    tmp.close();
    if (tmp.failed()) {
      Error(st, "Could not write temporary command file", kTagDriver, 25);
      return 1;
    }
  }
  const int status = interpret_pass(st) == 1 ? 1 : 0;
  // Every print line has been read: without the JSON document nobody needs
  // the messages kept so far or later.
  if (!st.output_open(kJson)) {
    st.keep_reported = false;
    st.reported = {};
  }
  return status;
}

void compute_configuration(RunState& st) {
  LogLine(st, strf("cmd7730 - %s, %s\n", kRevision, kBuildDate));
  mixer_step(st);
  check_declarations(st);
  configure_channels(st);
  consistency_checks(st);
  if (st.output_open(kAnalysis)) {
    for (int c = 0; c < 4; ++c) filter_report(st, c);
    power_estimate(st);
  }
}

int finish_outputs(RunState& st) {
  if (st.interp.override_mark && interpret_pass(st) == 1) return 1;
  write_register_outputs(st);
  close_outputs(st);
  return st.error_flag;
}

namespace {

// The compile proper, from the catalogue build to the written outputs.
// Returns the exit status or throws EarlyStop.
//
// --check runs the same phases and adds the findings that need the
// computation (power-downs) or the whole file (print lines); a finding
// fails the run as an Error does.
int compile(RunState& st) {
  const bool check = st.options.check_only;
  if (check) st.check = CheckState{};
  int status = 1;
  if (prepare_and_interpret(st) == 0) {
    compute_configuration(st);
    if (check) report_powered_down_settings(st);
    status = finish_outputs(st);
    if (check) report_powered_down_settings(st);  // what the override pass set
  }
  if (!check) return status;
  report_missing_print(st);
  return status == 0 && st.check.warnings > 0 ? 1 : status;
}

// The private temporary command file of a --check run: created with a
// unique name (in $TMPDIR, else the working directory) so that it never
// touches another run's file, and removed when the run ends, however it
// ends.
class PrivateCommandFile {
 public:
  explicit PrivateCommandFile(RunOptions& options) : options_(options) {}
  PrivateCommandFile(const PrivateCommandFile&) = delete;
  PrivateCommandFile& operator=(const PrivateCommandFile&) = delete;
  ~PrivateCommandFile() {
    if (!path_.empty()) {
      ::unlink(path_.c_str());
      options_.command_file = std::move(saved_);
    }
  }

  // Returns false when no file could be created.
  bool create() {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = (dir != nullptr && *dir != '\0') ? std::string(dir) + "/" : std::string();
    pattern.append(kTemporaryCommandFile).append(".XXXXXX");
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return false;
    ::close(fd);
    path_ = name.data();
    saved_ = std::move(options_.command_file);
    options_.command_file = path_;
    return true;
  }

 private:
  RunOptions& options_;
  std::string path_;   // empty: none created
  std::string saved_;  // the option's value before
};

}  // namespace

int run_cmd7730(RunState& st, const std::vector<std::string>& args) {
  if (args.size() != 1) {
    st.console.write("Usage: cmd7730 controlfile\n");
    st.console.write(strf(" Version: %s, %s\n", kRevision, kBuildDate));
    st.console.flush();
    return 2;
  }
  return compile_control_file(st, args[0]);
}

int compile_control_file(RunState& st, const std::string& control_file) {
  st.control_file = control_file;
  PrivateCommandFile private_file(st.options);
  int status;
  if (st.options.check_only && !private_file.create()) {
    Error(st, "Could not create a temporary command file", kTagDriver, 25);
    status = 1;
  } else {
    try {
      status = compile(st);
    } catch (const EarlyStop& stop) {
      status = stop.status;
    }
  }
  st.where = SourceLocation{};
  // Outputs opened by `print` keep what was written to them, also after an
  // early stop.  An output that could not be written whole (a full disk)
  // must not leave the run looking like a success: its outputs go into a
  // chip.
  for (OutputFile& f : st.out) {
    f.flush();
    if (f.failed()) {
      Error(st, strf("Couldn't write %s", f.path().c_str()), kTagDriver, 27);
      if (status == 0) status = 1;
    }
  }
  st.console.flush();
  st.stdout_.flush();
  st.command_file_lock.release();
  return status;
}

}  // namespace cmd7730
