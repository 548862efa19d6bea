// The variable table: every variable with its value(s), unset ones as -1.
#include "core/run_state.h"
#include "core/variables.h"
#include "image/line_format.h"
#include "image/output_writers.h"

namespace cmd7730 {

void write_table(RunState& st) {
  if (!st.output_open(kTable)) return;
  OutputFile& out = st.out[kTable];
  TextLine line;  // lines not yet written
  for (const VariableEntry* e : st.catalogue.registration_list()) {
    if (e->is_wide()) {
      const auto& d = e->double_cell;
      if (d[0] == nullptr) continue;
      // "%-20s %lf %lf %lf %lf\n" for four values, "%-20s %lf\n" for one.
      line.left(e->name, 20);
      for (int k = 0; k < (d[1] != nullptr ? 4 : 1); ++k) line.put(' ').fixed(*d[k]);
      line.put('\n').spill_to(out);
    } else {
      const auto& c = e->int_cell;
      if (c[0] == nullptr) continue;
      // "%-20s %5d %5d %5d %5d\n" for four values, "%-20s %d\n" for one.
      line.left(e->name, 20);
      if (c[1] != nullptr) {
        for (int k = 0; k < 4; ++k) line.put(' ').dec(*c[k], 5);
      } else {
        line.put(' ').dec(*c[0]);
      }
      line.put('\n').spill_to(out);
    }
  }
  line.write_to(out);
}

}  // namespace cmd7730
