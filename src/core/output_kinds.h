// The six outputs a run can write and everything that tells them apart: the
// word a `print` line names one by (its first letter selects it), the bit it
// sets in `print_flags`, its file extension, and which messages it receives.
// The C header is loaded into a chip as it is, so no message may reach it;
// warnings and log lines go only to the two listings a person reads.
#pragma once

#include <array>

namespace cmd7730 {

// The outputs, in the order of their `print_flags` bits.
enum OutputKind : int { kAnalysis = 0, kZq220, kSim, kTable, kDebug, kHeader, kOutputKinds };

inline constexpr int output_bit(OutputKind k) { return 1 << k; }

struct OutputKindInfo {
  OutputKind kind;
  const char* word;       // as usage texts list it; its first letter selects it
  const char* extension;  // of the output file
  bool gets_errors;       // Error and ErrorText copy their text here
  bool gets_log;          // Warning and LogLine copy their text here
};

// In the order usage texts list them.
inline constexpr OutputKindInfo kOutputKindTable[kOutputKinds] = {
    {kAnalysis, "analysis", "anl", true, true}, {kDebug, "debug", "dbg", true, true},
    {kZq220, "zq220", "zq220", true, false},    {kSim, "sim", "sim", true, false},
    {kTable, "table", "tbl", true, false},      {kHeader, "hfile", "h", false, false},
};

// Every kind has one entry and no two words share their first letter.
constexpr bool output_table_complete() {
  int kinds = 0;
  for (const OutputKindInfo& a : kOutputKindTable) {
    kinds |= output_bit(a.kind);
    for (const OutputKindInfo& b : kOutputKindTable) {
      if (&a != &b && a.word[0] == b.word[0]) return false;
    }
  }
  return kinds == (1 << kOutputKinds) - 1;
}
static_assert(output_table_complete());

// The table entry of `kind`.
constexpr const OutputKindInfo& output_info(OutputKind kind) {
  for (const OutputKindInfo& o : kOutputKindTable) {
    if (o.kind == kind) return o;
  }
  return kOutputKindTable[0];  // not reached: every kind has an entry
}

// File extensions by kind.
inline constexpr std::array<const char*, kOutputKinds> kOutputExtension = [] {
  std::array<const char*, kOutputKinds> e{};
  for (const OutputKindInfo& o : kOutputKindTable) e[o.kind] = o.extension;
  return e;
}();

}  // namespace cmd7730
