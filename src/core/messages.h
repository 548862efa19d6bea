// The five ways a phase reports: Error, ErrorText, Warning, Debug, LogLine.
// Each writes to the output files open at that moment, in a fixed order, and
// then to the console; Error and ErrorText set the error flag.  The text is
// always data: callers format numbers into it first with `strf`.
//
// With the gnu diagnostics form, the console copy of an Error or Warning is
// "FILE:LINE: error: TEXT" for the user's line in `st.where` (set while the
// preprocessor reads a line and while the interpreter carries one out), or
// "FILE: error: TEXT" with the control file's name when it is about no line.
#pragma once

#include <string>
#include <string_view>

#include "core/run_state.h"

namespace cmd7730 {

// Source tags that name the reporting module in file copies of messages.
inline constexpr std::string_view kTagCmdin = ".\\cmdin";
inline constexpr std::string_view kTagConfig = ".\\config";
inline constexpr std::string_view kTagAgenconf = ".\\agenconf";
inline constexpr std::string_view kTagFirconfig = ".\\firconfig";
inline constexpr std::string_view kTagDefaults = ".\\defaults";
inline constexpr std::string_view kTagSanity = ".\\sanity";
inline constexpr std::string_view kTagDriver = ".\\cmd7730";

// printf-style formatting into a string of any length.
std::string strf(const char* format, ...) __attribute__((format(printf, 1, 2)));

void Error(RunState& st, std::string_view text, std::string_view tag, int line);
void ErrorText(RunState& st, std::string_view text);
void Warning(RunState& st, std::string_view text, std::string_view tag, int line);
void Debug(RunState& st, std::string_view text, std::string_view tag, int line);
void LogLine(RunState& st, std::string_view text);

// A line straight to standard error: no file copy, no error flag.
void ConsoleLine(RunState& st, std::string_view text);

// Writes to one output file if it is open (plain report text, no tag).
void WriteOutput(RunState& st, OutputKind kind, std::string_view text);

}  // namespace cmd7730
