// The chip's register map: one row per chip variable, in registration order.
//
// Each row names the variable, where its bits sit in the register space, its
// default, its three class codes (receive / transmit / third), its help text
// and the settings field that stores it.  The catalogue is built from this
// table and nothing else.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "core/variables.h"

namespace cmd7730 {

// All 250 rows in registration order.
std::span<const RegisterRow> register_map();

// hash_name of the name of `row`, a row of register_map(), worked out when
// the program is compiled.
int row_hash(const RegisterRow& row);

// The description of `row`, a row of register_map(), wrapped by wrap_text.
// The wrapping is done when the program is compiled, not on every run.
std::string_view wrapped_description(const RegisterRow& row);

}  // namespace cmd7730
