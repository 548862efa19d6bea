// Reading numbers: the integer and decimal words of the control file, and
// the digit accumulation that the control file and coefficient file readers
// share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace cmd7730 {

// Appends one digit to a magnitude being read in `base`.  A magnitude past
// `cap` is held where it is, so a long digit string cannot overflow; each
// reader picks a cap beyond every value it accepts, so a held magnitude is
// still reported as out of range.
constexpr int64_t add_digit(int64_t magnitude, int digit, int base, int64_t cap) {
  return magnitude > cap ? magnitude : magnitude * base + digit;
}

// Reads an integer word: hexadecimal after a leading "0x" (lower-case x),
// otherwise decimal with an optional sign.  The number ends at the first
// character that is not a digit, so "0X1f" reads as 0 and "12ab" as 12.
// Returns false when the word does not start with a number.  Magnitudes
// beyond 2^40 are held there (out of range for every variable and channel).
// When `used` is given, stores there how many characters the number took.
bool parse_int_word(std::string_view w, int64_t& value, size_t* used = nullptr);

// Reads a wide variable's value: the decimal floating-point number the word
// starts with ([sign] digits [. digits] [e [sign] digits]); the rest of the
// word is ignored, so "0xA" is 0.  Hexadecimal, "inf" and "nan" are not
// decimal numbers; a value too large for a double is refused too, since every
// use of it downstream would be meaningless.
// When `used` is given, stores there how many characters the number took.
bool parse_double_word(std::string_view w, double& value, size_t* used = nullptr);

// `v` limited to the 32-bit range.
int32_t clamp_to_int32(int64_t v);

}  // namespace cmd7730
