// The options around the plain `cmd7730 controlfile` run, parsed with CLI11.
// Every check of the command line is done before anything is compiled,
// entered or written, so a wrong command line leaves no file behind.
#include "app/command_line.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/driver.h"
#include "catalogue/catalogue.h"
#include "core/messages.h"
#include "core/run_state.h"
#include "decode/decode_commands.h"
#include "frontend/help_listing.h"

#ifndef CMD7730_VERSION
#error "CMD7730_VERSION must be defined by the build (the project version)"
#endif

namespace cmd7730 {
namespace {

constexpr const char* kUsage =
    "Usage: cmd7730 [OPTIONS] [--] controlfile\n"
    "       cmd7730 --variables PREFIX\n"
    "       cmd7730 [-C DIR] --decode FILE | --diff A B\n"
    "       cmd7730 --help | --version\n";

struct Request {
  std::vector<std::string> files;        // the control file, exactly one to compile
  std::vector<std::string> directories;  // -C, entered in order
  std::string diagnostics;               // empty: not given
  std::string variables;
  std::string decode;             // --decode FILE
  std::vector<std::string> diff;  // --diff A B
  bool check = false;
  bool version = false;
};

// The help text: the usage lines first, then the options, then the exit
// statuses.
class HelpFormat : public CLI::Formatter {
 public:
  HelpFormat() { column_width(30); }
  std::string make_description(const CLI::App*) const override { return {}; }
  std::string make_usage(const CLI::App* app, std::string) const override {
    return std::string(kUsage) + "\n" + app->get_description() + "\n";
  }
  std::string make_positionals(const CLI::App*) const override { return {}; }
};

void add_options(CLI::App& app, Request& rq) {
  app.set_help_flag("-h,--help", "Print this help and exit.");
  app.add_option("-C", rq.directories,
                 "Run as if started in DIR: outputs, the temporary\n"
                 "command file, coefficient and include files are\n"
                 "found and written there.  A second -C is taken\n"
                 "relative to the first.")
      ->option_text("DIR")
      ->allow_extra_args(false);
  app.add_option("--diagnostics", rq.diagnostics,
                 "How Errors and Warnings look on standard error:\n"
                 "classic (the default) or gnu (FILE:LINE: error:\n"
                 "TEXT, as compilers write them).")
      ->option_text("classic|gnu");
  app.add_flag("--check", rq.check,
               "Run every phase and check but write no output\n"
               "file; diagnostics in the gnu form unless\n"
               "--diagnostics says otherwise.")
      ->disable_flag_override();
  app.add_option("--variables", rq.variables,
                 "List the variables whose names start with PREFIX\n"
                 "as the help command does, and exit (status 1 when\n"
                 "none does).  No control file.")
      ->option_text("PREFIX");
  app.add_option("--decode", rq.decode,
                 "Read FILE, a C header, bench script or simulation\n"
                 "script as cmd7730 writes them, and print the value\n"
                 "of every register variable and FIR memory word\n"
                 "its writes leave in the chip.  No control file.")
      ->option_text("FILE");
  app.add_option("--diff", rq.diff,
                 "Decode A and B (any of the three forms) and print\n"
                 "each variable and memory word that differs; status\n"
                 "0 when none does, 1 when some do.")
      ->expected(2)
      ->option_text("A B");
  app.add_flag("--version", rq.version, "Print the version and the chip revision, and exit.")
      ->disable_flag_override();
  app.add_option("controlfile", rq.files);
  app.formatter(std::make_shared<HelpFormat>());
}

int usage_error(RunState& st, const std::string& message, bool with_usage) {
  st.console.write("cmd7730: " + message + "\n");
  if (with_usage) st.console.write(kUsage);
  st.console.write("Try 'cmd7730 --help' for the options.\n");
  st.console.flush();
  return 2;
}

bool starts_with_dash(const std::string& a) { return !a.empty() && a[0] == '-'; }

int print_variables(RunState& st, const std::string& prefix) {
  build_catalogue(st);
  const std::string text = help_listing(st.catalogue, prefix);
  st.stdout_.write(text);
  st.stdout_.flush();
  return text.empty() ? 1 : 0;
}

// The options that run a command of their own instead of a compile; a
// command line names at most one.
constexpr std::string_view kCommandOptions[] = {"--variables", "--decode", "--diff"};

// Returns the command options `app` was given, in kCommandOptions' order.
std::vector<std::string_view> commands_given(const CLI::App& app) {
  std::vector<std::string_view> given;
  for (std::string_view option : kCommandOptions) {
    if (app.count(std::string(option)) > 0) given.push_back(option);
  }
  return given;
}

// Checks what the parse leaves open and enters the -C directories; returns
// an empty text when the run can go on, else why not.  `commands` are the
// command options given.
std::string settle(const Request& rq, const std::vector<std::string_view>& commands) {
  if (!rq.diagnostics.empty() && rq.diagnostics != "classic" && rq.diagnostics != "gnu") {
    return "--diagnostics takes classic or gnu, not '" + rq.diagnostics + "'";
  }
  if (commands.size() > 1) return "--variables, --decode and --diff cannot be combined";
  if (!commands.empty() && !rq.files.empty()) {
    return std::string(commands[0]) + " takes no control file";
  }
  if (commands.empty() && rq.files.empty()) return "a control file is required";
  if (rq.files.size() > 1) return "only one control file can be compiled at a time";
  for (const std::string& dir : rq.directories) {
    if (chdir(dir.c_str()) != 0) return "-C " + dir + ": " + std::strerror(errno);
  }
  return {};
}

}  // namespace

int run_command_line(RunState& st, const std::vector<std::string>& args) {
  if (std::none_of(args.begin(), args.end(), starts_with_dash)) return run_cmd7730(st, args);

  CLI::App app{"Compiles a ZQ7730 control file into the chip's register configuration.", "cmd7730"};
  app.footer(
      "Without options, `cmd7730 controlfile` runs as it always has.  Exit status: 0 no\n"
      "Error, 1 an Error or unusable input, 2 a wrong command line, 255 an internal\n"
      "inconsistency in the FIR configuration.  --variables: 0 listed, 1 nothing matches.\n"
      "--decode: 0 decoded, 2 the file refused.  --diff: 0 the same, 1 something differs,\n"
      "2 a file refused.");
  app.allow_extras();
  Request rq;
  add_options(app, rq);
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    st.stdout_.write(app.help());
    st.stdout_.flush();
    return 0;
  } catch (const CLI::ParseError& e) {
    // CLI11 says "NAME: 1 required TYPE missing" for an option without its
    // value and "check was given a disallowed flag override" for
    // `--check=VALUE`; its other messages are clear as they are.
    const std::string what = e.what();
    // "--diff: At least 2 required but received 1" and the like.
    if (what.starts_with("--diff: ")) {
      return usage_error(st, "option --diff needs two files", false);
    }
    if (what.ends_with(" missing")) {
      return usage_error(st, "option " + what.substr(0, what.find(':')) + " needs a value", false);
    }
    if (what.ends_with(" was given a disallowed flag override")) {
      return usage_error(st, "option --" + what.substr(0, what.find(' ')) + " takes no value",
                         false);
    }
    return usage_error(st, what, false);
  }
  for (const std::string& extra : app.remaining()) {
    // CLI11 keeps the `--` that ended the options among what it left over.
    if (starts_with_dash(extra) && extra != "--") {
      return usage_error(st, "unknown option '" + extra + "'", true);
    }
  }
  if (rq.version) {
    st.stdout_.write(
        strf("cmd7730 %s\nchip revision %s, %s\n", CMD7730_VERSION, kRevision, kBuildDate));
    st.stdout_.flush();
    return 0;
  }
  const std::vector<std::string_view> commands = commands_given(app);
  if (const std::string why = settle(rq, commands); !why.empty()) {
    return usage_error(st, why, false);
  }
  const std::string_view command = commands.empty() ? std::string_view() : commands[0];
  if (command == "--variables") return print_variables(st, rq.variables);
  if (command == "--decode") return run_decode(st, rq.decode);
  if (command == "--diff") return run_diff(st, rq.diff[0], rq.diff[1]);

  if (rq.check) {
    st.options.check_only = true;
    st.options.diagnostics = DiagnosticsForm::kGnu;
  }
  if (!rq.diagnostics.empty()) {
    st.options.diagnostics =
        rq.diagnostics == "gnu" ? DiagnosticsForm::kGnu : DiagnosticsForm::kClassic;
  }
  return compile_control_file(st, rq.files[0]);
}

}  // namespace cmd7730
