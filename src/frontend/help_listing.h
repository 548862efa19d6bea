// The `help PREFIX` listing: every variable whose name starts with the
// prefix, in the catalogue's hash order, with its width, whether it has a
// register of its own, its class in receive and transmit, and its help text.
// The interpreter's `help` logs it; `cmd7730 --variables PREFIX` prints it.
#pragma once

#include <string>
#include <string_view>

#include "core/variables.h"

namespace cmd7730 {

// The text `help` logs for one variable.
std::string help_entry_text(const VariableEntry& e);

// The whole listing for `prefix`, entry after entry; empty when no name
// starts with it.
std::string help_listing(const Catalogue& catalogue, std::string_view prefix);

}  // namespace cmd7730
