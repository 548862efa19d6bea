// The JSON document: what a run computed, for programs to read.  It holds the
// tool and its version, the control file, the run's status when written, the
// Errors and Warnings reported while the output was selected, every variable
// (null when unset), the register writes of the C header in its order, the
// FIR memories and each channel's response in dB.
#include <nlohmann/json.hpp>

#include "core/run_state.h"
#include "core/variables.h"
#include "image/output_writers.h"
#include "image/register_image.h"
#include "image/response.h"

namespace cmd7730 {
namespace {

using nlohmann::json;

json cell_value(const VariableEntry& e, int k) {
  if (e.is_wide()) {
    const double v = *e.double_cell[k];
    return is_unset(v) ? json(nullptr) : json(v);
  }
  const int v = *e.int_cell[k];
  return is_unset(v) ? json(nullptr) : json(v);
}

json variables(const RunState& st) {
  json out = json::object();
  for (const VariableEntry* e : st.catalogue.registration_list()) {
    if (e->int_cell[0] == nullptr && e->double_cell[0] == nullptr) continue;
    if (!e->per_channel()) {
      out[e->name] = cell_value(*e, 0);
      continue;
    }
    json four = json::array();
    for (int k = 0; k < 4; ++k) four.push_back(cell_value(*e, k));
    out[e->name] = std::move(four);
  }
  return out;
}

json messages(const RunState& st) {
  json out = json::array();
  for (const ReportedMessage& m : st.reported) {
    out.push_back({{"kind", m.kind}, {"text", m.text}, {"tag", m.tag}, {"line", m.line}});
  }
  return out;
}

json memories(const RunState& st) {
  json out = json::array();
  for (int k = 0; k < 4; ++k) {
    const ChannelSettings& c = st.ch[k];
    out.push_back({{"channel", std::string(1, static_cast<char>('A' + k))},
                   {"coefram", c.coefram},
                   {"swram", c.SWRAM},
                   {"beram", c.BERAM}});
  }
  return out;
}

json channels(const std::vector<ChannelResponse>& responses) {
  json out = json::array();
  for (const ChannelResponse& r : responses) {
    if (!r.has_response()) continue;
    out.push_back({{"channel", std::string(1, static_cast<char>('A' + r.channel))},
                   {"direction", r.transmit ? "transmit" : "receive"},
                   {"fs_mhz", r.fs_mhz},
                   {"rate_change", r.rate_change},
                   {"stages", r.stages},
                   {"band_edge_mhz", r.band_edge_mhz},
                   {"db", r.db}});
  }
  return out;
}

}  // namespace

void write_json(RunState& st, const RegisterImage& image,
                const std::vector<ChannelResponse>& responses) {
  if (!st.output_open(kJson)) return;
  json registers = json::array();
  for_each_register_write(st, image, [&](int page, int address, uint32_t value) {
    registers.push_back({{"page", page}, {"addr", address}, {"value", value}});
  });
  json doc = {{"tool", {{"name", "cmd7730"}, {"version", CMD7730_VERSION}}},
              {"control_file", st.control_file},
              {"status", st.error_flag},
              {"messages", messages(st)},
              {"variables", variables(st)},
              {"registers", std::move(registers)},
              {"memories", memories(st)},
              {"channels", channels(responses)}};
  std::string text = doc.dump();
  text += '\n';
  st.out[kJson].write(text);
}

}  // namespace cmd7730
