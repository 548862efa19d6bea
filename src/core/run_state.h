// Everything one compile owns: the settings records and the catalogue that
// points into them, the output sinks, the console, the error flag and the
// state that the interpreter keeps between its two passes.
// Phases take it by reference; a test builds one, runs a phase and looks.
#pragma once

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/command_file_lock.h"
#include "core/output_file.h"
#include "core/output_kinds.h"
#include "core/settings.h"
#include "core/source_lines.h"
#include "core/variables.h"

namespace cmd7730 {

inline constexpr const char* kTemporaryCommandFile = "cmd7730TmpCmdFile";
inline constexpr const char* kRevision = "revW";
inline constexpr const char* kBuildDate = "Mar 27 2007";

// How a run was asked to behave beyond the plain `cmd7730 controlfile`,
// whose behaviour the defaults give.
enum class DiagnosticsForm { kClassic, kGnu };
struct RunOptions {
  // kGnu: Errors and Warnings on the console as "FILE:LINE: error: TEXT".
  DiagnosticsForm diagnostics = DiagnosticsForm::kClassic;
  // --check: every phase and check runs, no output file is written and no
  // temporary command file is left behind.
  bool check_only = false;
  // Where the cleaned copy of the control file is written and read back.
  std::string command_file = kTemporaryCommandFile;

  // True when messages need the user's file and line of the line they are
  // about (the preprocessor then records where each line came from).
  bool wants_locations() const { return diagnostics == DiagnosticsForm::kGnu || check_only; }
};

// What the command interpreter keeps between its first and `override` pass.
struct InterpreterState {
  int current_channel = 0;
  bool channel_declared = false;
  bool modes_set = false;
  int failure = 0;  // the result of a pass
  bool override_mark = false;
  std::FILE* command_file = nullptr;  // open between the two passes
  int line_number = 1;
  // The temporary-file line (from 0) being carried out.  Unlike
  // `line_number` it goes on counting across `override`.
  int temp_line = 0;
};

// An Error or Warning as reported, kept for the JSON document.
struct ReportedMessage {
  const char* kind;  // "Error" or "Warning"
  std::string text;
  std::string tag;  // empty for a message without one
  int line;         // the source tag's line; 0 without a tag
};

struct RunState {
  RunState() = default;
  RunState(const RunState&) = delete;
  RunState& operator=(const RunState&) = delete;
  ~RunState() {
    if (interp.command_file != nullptr) std::fclose(interp.command_file);
  }

  bool output_open(OutputKind k) const { return (chip.print_flags & output_bit(k)) != 0; }

  std::string control_file;  // as given on the command line
  RunOptions options;
  ChipSettings chip;
  std::array<PairSettings, 2> pair;
  std::array<ChannelSettings, 4> ch;
  Catalogue catalogue;

  std::array<OutputFile, kOutputKinds> out;
  OutputFile console;  // standard error
  OutputFile stdout_;  // standard output
  int error_flag = 0;
  // Errors and Warnings in the order reported, for the JSON document.  Kept
  // from the start of the run, since its `print json` line may come after
  // the first of them; once the first pass has read every print line and
  // the document is not selected, they are dropped and no more are kept.
  std::vector<ReportedMessage> reported;
  bool keep_reported = true;

  CommandFileLock command_file_lock;  // held from before the file is emptied to the run's end
  InterpreterState interp;
  SourceMap source_map;           // filled by the preprocessor when options.wants_locations()
  SourceLocation where;           // the line that messages are about now, if any
  CheckState check;               // what a --check run collects
  int active_transmit_count = 0;  // set by the configuration driver
};

}  // namespace cmd7730
