// The variable table: every variable with its value(s), unset ones as -1.
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/line_format.h"
#include "catalogue/output_writers.h"
#include "frontend/run_state.h"

namespace cmd7730 {

void write_table(RunState& st) {
  if (!st.output_open(kTable)) return;
  OutputFile& out = st.out[kTable];
  std::string line;  // the text being formatted, reused
  for (const VariableEntry* e : st.catalogue.registration_list()) {
    const char* name = e->name.c_str();
    if (e->is_wide()) {
      const auto& d = e->double_cell;
      if (d[0] == nullptr) continue;
      if (d[1] != nullptr) {
        writef(out, "%-20s %lf %lf %lf %lf\n", name, *d[0], *d[1], *d[2], *d[3]);
      } else {
        writef(out, "%-20s %lf\n", name, *d[0]);
      }
    } else {
      const auto& c = e->int_cell;
      if (c[0] == nullptr) continue;
      // "%-20s %5d %5d %5d %5d\n" for four values, "%-20s %d\n" for one.
      line.clear();
      append_left(line, e->name, 20);
      if (c[1] != nullptr) {
        for (int k = 0; k < 4; ++k) {
          line.push_back(' ');
          append_dec(line, *c[k], 5);
        }
      } else {
        line.push_back(' ');
        append_dec(line, *c[0]);
      }
      line.push_back('\n');
      out.write(line);
    }
  }
}

}  // namespace cmd7730
