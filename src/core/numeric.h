// Plain arithmetic shared by the computation steps and the reports: the one
// saturating conversion to an integer range, the base-2 logarithm and power
// the gain rules are written in, and the sign-keeping right shift of the
// chip's datapath.
#pragma once

#include <climits>
#include <cmath>
#include <cstdint>

namespace cmd7730 {

// `x` (already floored or ceiled) as an integer pinned to [lo, hi]; NaN gives
// `nan_value`.  Every double that becomes a register value goes through here,
// so no out-of-range conversion is ever made.
inline int64_t clamp_to(double x, int64_t lo, int64_t hi, int64_t nan_value = 0) {
  if (std::isnan(x)) return nan_value;
  if (x <= static_cast<double>(lo)) return lo;
  if (x >= static_cast<double>(hi)) return hi;
  return static_cast<int64_t>(x);
}

// A 64-bit working quantity narrowed for storage in a 32-bit cell.  Every
// value of the 32-bit range converts to double exactly, so this is the same
// clamp as above.
inline int narrow(int64_t v) {
  return static_cast<int>(clamp_to(static_cast<double>(v), INT_MIN, INT_MAX));
}

// log2 as the gain rules evaluate it: ln x / ln 2 in double precision.  Kept
// in this form (not std::log2) because results on exact powers of two sit on
// a floor/ceil edge and the chosen shifts depend on the rounding.
inline double log2_of(double x) { return std::log(x) / std::log(2.0); }

inline double pow2(double e) { return std::pow(2.0, e); }

// v >> count with the sign kept (floor of v / 2^count), as the chip's
// arithmetic shifters do.  A shift count comes from a register field: an
// unset one (-1) reaches the chip as 0, so a negative count shifts by 0, and
// counts are capped at 63 where 64-bit shifting stays defined.
inline int64_t shift_right(int64_t v, int count) {
  if (count < 0) count = 0;
  if (count > 63) count = 63;
  return v >> count;
}

}  // namespace cmd7730
