// The two commands that read register files back, `--decode FILE` and
// `--diff A B`.  Neither reads a control file, takes the lock or writes a
// file: the text goes to standard output, built whole first, so a refused
// file leaves standard output empty; a refusal is one line on the console.
#pragma once

#include <string>

namespace cmd7730 {

struct RunState;

// Prints the listing of the file's decoded image (decode/listing.h).
// Returns 0, or 2 when the file is refused or cannot be read.
int run_decode(RunState& st, const std::string& file);

// Prints what differs between the images of files `a` and `b`.  Returns 0
// when nothing differs, 1 when something does (as diff(1) does), 2 when
// either file is refused or cannot be read.
int run_diff(RunState& st, const std::string& a, const std::string& b);

}  // namespace cmd7730
