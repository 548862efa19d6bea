#include "core/open_output.h"

#include "core/early_stop.h"
#include "core/messages.h"

namespace cmd7730 {

std::string base_name(std::string_view name) { return std::string(name.substr(0, name.find('.'))); }

std::string output_file_name(std::string_view control_file, OutputKind kind) {
  std::string file = base_name(control_file);
  file.append(".").append(kOutputExtension[kind]);
  return file;
}

void open_output_file(RunState& st, OutputKind kind) {
  const std::string file = output_file_name(st.control_file, kind);
  // open_path flushes and closes a file a previous `print` opened for this
  // output before truncating it anew.  A --check run writes no file: its
  // outputs go to memory, so that everything else runs as usual.
  if (st.options.check_only) {
    st.out[kind].open_memory();
  } else if (!st.out[kind].open_path(file)) {
    ConsoleLine(st, strf("Couldn't open %s\n", file.c_str()));
    throw EarlyStop{1};
  }
  if (kind == kHeader) {
    st.out[kind].write(
        strf("/* hfile for %s configuration; necessary for config_zq7730 function */\n\n",
             base_name(st.control_file).c_str()));
  }
}

}  // namespace cmd7730
