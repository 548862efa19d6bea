// The eight outputs a run can write and everything that tells them apart:
// the word a `print` line names one by (its first letter selects it), the bit
// it sets in `print_flags`, its file extension, which messages it receives
// and whether usage texts list it.  The C header is loaded into a chip as it
// is, so no message may reach it; warnings and log lines go only to the two
// listings a person reads.  The response plot and the JSON document are
// written whole at the end of a run and take no message text either (the
// JSON document lists the Errors and Warnings itself).
#pragma once

#include <array>

namespace cmd7730 {

// The outputs, in the order of their `print_flags` bits.
enum OutputKind : int {
  kAnalysis = 0,
  kZq220,
  kSim,
  kTable,
  kDebug,
  kHeader,
  kResponse,
  kJson,
  kOutputKinds
};

inline constexpr int output_bit(OutputKind k) { return 1 << k; }

struct OutputKindInfo {
  OutputKind kind;
  const char* word;       // as usage texts list it; its first letter selects it
  const char* extension;  // of the output file
  bool gets_errors;       // Error and ErrorText copy their text here
  bool gets_log;          // Warning and LogLine copy their text here
  bool listed;            // named by the usage texts ("Options are: ...")
};

// In the order usage texts list them; the unlisted ones last.  The usage
// texts name the first six only and stay as they always were.
inline constexpr OutputKindInfo kOutputKindTable[kOutputKinds] = {
    {kAnalysis, "analysis", "anl", true, true, true},
    {kDebug, "debug", "dbg", true, true, true},
    {kZq220, "zq220", "zq220", true, false, true},
    {kSim, "sim", "sim", true, false, true},
    {kTable, "table", "tbl", true, false, true},
    {kHeader, "hfile", "h", false, false, true},
    {kResponse, "response", "svg", false, false, false},
    {kJson, "json", "json", false, false, false},
};

// The number of leading table entries the usage texts list.
inline constexpr int kListedOutputKinds = 6;

// Every kind has one entry, no two words share their first letter and the
// listed entries come first.
constexpr bool output_table_complete() {
  int kinds = 0;
  for (int i = 0; i < kOutputKinds; ++i) {
    if (kOutputKindTable[i].listed != (i < kListedOutputKinds)) return false;
  }
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
