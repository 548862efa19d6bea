#include "core/messages.h"

#include <cstdarg>
#include <cstdio>

namespace cmd7730 {

std::string strf(const char* format, ...) {
  char small[256];
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string out;
  if (n < 0) {
    va_end(copy);
    return out;
  }
  if (static_cast<size_t>(n) < sizeof small) {
    out.assign(small, static_cast<size_t>(n));
  } else {
    out.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), format, copy);
    out.resize(static_cast<size_t>(n));
  }
  va_end(copy);
  return out;
}

namespace {

// "Kind(tag Lline): text\n"
std::string tagged(std::string_view kind, std::string_view text, std::string_view tag, int line) {
  std::string s;
  s.reserve(kind.size() + tag.size() + text.size() + 24);
  s.append(kind).append("(").append(tag).append(" L").append(std::to_string(line)).append("): ");
  s.append(text).append("\n");
  return s;
}

// Copies `s` into every open output whose table entry has `gets` set.
void to_files(RunState& st, std::string_view s, bool OutputKindInfo::*gets) {
  for (int k = 0; k < kOutputKinds; ++k) {
    const auto kind = static_cast<OutputKind>(k);
    if (output_info(kind).*gets && st.output_open(kind)) st.out[k].write(s);
  }
}

// The console copy of an Error or Warning.  Classic: "Kind: text\n".  Gnu:
// "FILE:LINE: kind: text\n" for the user's line the message is about, or
// "FILE: kind: text\n" with the control file's name when it is about none.
void to_console(RunState& st, std::string_view classic, std::string_view gnu,
                std::string_view text) {
  std::string c;
  if (st.options.diagnostics != DiagnosticsForm::kGnu) {
    c.reserve(classic.size() + text.size() + 1);
    c.append(classic).append(text).append("\n");
  } else {
    c = st.source_map.place(st.where);
    if (c.empty()) c = st.control_file;
    c.append(": ").append(gnu).append(text).append("\n");
  }
  st.console.write(c);
}

// Keeps the message for the JSON document when that output is selected.
void record(RunState& st, const char* kind, std::string_view text, std::string_view tag, int line) {
  if (!st.keep_reported) return;
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  st.reported.push_back(ReportedMessage{kind, std::string(text), std::string(tag), line});
}

}  // namespace

void Error(RunState& st, std::string_view text, std::string_view tag, int line) {
  to_files(st, tagged("Error", text, tag, line), &OutputKindInfo::gets_errors);
  to_console(st, "Error: ", "error: ", text);
  record(st, "Error", text, tag, line);
  st.error_flag = 1;
}

void ErrorText(RunState& st, std::string_view text) {
  to_files(st, text, &OutputKindInfo::gets_errors);
  st.console.write(text);
  record(st, "Error", text, {}, 0);
  st.error_flag = 1;
}

void Warning(RunState& st, std::string_view text, std::string_view tag, int line) {
  to_files(st, tagged("Warning", text, tag, line), &OutputKindInfo::gets_log);
  to_console(st, "Warning: ", "warning: ", text);
  record(st, "Warning", text, tag, line);
}

void Debug(RunState& st, std::string_view text, std::string_view tag, int line) {
  if (st.output_open(kDebug)) st.out[kDebug].write(tagged("Debug", text, tag, line));
}

void LogLine(RunState& st, std::string_view text) {
  // The debug listing before the analysis file, as log lines always went.
  for (OutputKind k : {kDebug, kAnalysis}) {
    if (output_info(k).gets_log && st.output_open(k)) st.out[k].write(text);
  }
  st.console.write(text);
}

void ConsoleLine(RunState& st, std::string_view text) { st.console.write(text); }

void WriteOutput(RunState& st, OutputKind kind, std::string_view text) {
  if (st.output_open(kind)) st.out[kind].write(text);
}

}  // namespace cmd7730
