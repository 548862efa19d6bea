// The filter case catalogue: every FIR configuration that was tried on the
// hardware, by case code, with whether it ran correctly.  A compiled-in
// constant table in catalogue order plus a sorted index for lookups.
#pragma once

#include <span>
#include <string_view>

namespace cmd7730 {

struct FirCase {
  std::string_view code;  // eight-character case code, e.g. "SRR14N41"
  bool passes;            // false: the hardware test failed
};

inline constexpr int kFirCaseCount = 831;

// Returns the whole catalogue in catalogue order.
std::span<const FirCase> fir_cases();

struct FirCaseMatches {
  int count = 0;    // entries whose code equals the looked-up code
  int failing = 0;  // how many of those are marked as failing
};

// Returns how many catalogue entries carry exactly `code` (whole-string
// comparison) and how many of them failed on the hardware.
FirCaseMatches lookup_fir_case(std::string_view code);

}  // namespace cmd7730
