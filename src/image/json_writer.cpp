// The JSON document: what a run computed, for programs to read.  It holds the
// tool and its version, the control file, the run's status when written,
// every Error and Warning of the run, every variable (null when unset) in
// registration order, the register writes of the C header in its order, the
// FIR memories and each channel's response in dB.
//
// Every name, number and string is written by nlohmann/json's serializer.
// The document is streamed member by member: its thousand-odd register
// writes are serialized one at a time through one reused object instead of
// being held as a tree, which would cost a few hundred kilobytes of small
// allocations on a run that otherwise takes a couple of milliseconds.
// Members keep the order they are added in (ordered objects), and are added
// with `append`: every name is known to be new, so the ordered map's search
// for an existing member, linear in its size, is skipped.
#include <nlohmann/json.hpp>

#include "core/output_file.h"
#include "core/run_state.h"
#include "core/variables.h"
#include "image/output_writers.h"
#include "image/register_image.h"
#include "image/response.h"

namespace cmd7730 {
namespace {

using Json = nlohmann::ordered_json;

// Returns an empty object with room for `members` members.
Json object(size_t members) {
  Json out = Json::object();
  out.get_ref<Json::object_t&>().reserve(members);
  return out;
}

// Returns an empty array with room for `elements` elements.
Json array(size_t elements) {
  Json out = Json::array();
  out.get_ref<Json::array_t&>().reserve(elements);
  return out;
}

// Adds member `name`, which `obj` does not have yet.
void append(Json& obj, const char* name, Json value) {
  obj.get_ref<Json::object_t&>().emplace_back(name, std::move(value));
}

Json cell_value(const VariableEntry& e, int k) {
  if (e.is_wide()) {
    const double v = *e.double_cell[k];
    return is_unset(v) ? Json(nullptr) : Json(v);
  }
  const int v = *e.int_cell[k];
  return is_unset(v) ? Json(nullptr) : Json(v);
}

Json variables(const RunState& st) {
  const auto& list = st.catalogue.registration_list();
  Json out = object(list.size());
  for (const VariableEntry* e : list) {
    if (e->int_cell[0] == nullptr && e->double_cell[0] == nullptr) continue;
    if (!e->per_channel()) {
      append(out, e->name.c_str(), cell_value(*e, 0));
      continue;
    }
    Json four = array(4);
    for (int k = 0; k < 4; ++k) four.push_back(cell_value(*e, k));
    append(out, e->name.c_str(), std::move(four));
  }
  return out;
}

Json messages(const RunState& st) {
  Json out = array(st.reported.size());
  for (const ReportedMessage& m : st.reported) {
    Json one = object(4);
    append(one, "kind", m.kind);
    append(one, "text", m.text);
    append(one, "tag", m.tag);
    append(one, "line", m.line);
    out.push_back(std::move(one));
  }
  return out;
}

Json memories(const RunState& st) {
  Json out = array(4);
  for (int k = 0; k < 4; ++k) {
    const ChannelSettings& c = st.ch[k];
    Json one = object(4);
    append(one, "channel", std::string(1, static_cast<char>('A' + k)));
    append(one, "coefram", c.coefram);
    append(one, "swram", c.SWRAM);
    append(one, "beram", c.BERAM);
    out.push_back(std::move(one));
  }
  return out;
}

Json channels(const std::vector<ChannelResponse>& responses) {
  Json out = array(responses.size());
  for (const ChannelResponse& r : responses) {
    if (!r.has_response()) continue;
    Json one = object(7);
    append(one, "channel", std::string(1, static_cast<char>('A' + r.channel)));
    append(one, "direction", r.transmit ? "transmit" : "receive");
    append(one, "fs_mhz", r.fs_mhz);
    append(one, "rate_change", r.rate_change);
    append(one, "stages", r.stages);
    append(one, "band_edge_mhz", r.band_edge_mhz);
    append(one, "db", r.db);
    out.push_back(std::move(one));
  }
  return out;
}

// The document as it is written: an object whose members come one after
// the other, an array member taking its elements one at a time.  The text
// goes to the output in blocks of a few kilobytes.
class JsonStream {
 public:
  explicit JsonStream(OutputFile& out)
      : out_(out), serializer_(nlohmann::detail::output_adapter<char, std::string>(text_), ' ') {}

  // Writes member `name` with `value`.
  void member(const char* name, const Json& value) {
    open(name);
    write(value);
  }
  // Starts member `name`, an array; `element` adds to it until `end_array`.
  void begin_array(const char* name) {
    open(name);
    text_ += '[';
    first_element_ = true;
  }
  void element(const Json& value) {
    if (!first_element_) text_ += ',';
    first_element_ = false;
    write(value);
  }
  void end_array() { text_ += ']'; }
  // Closes the document, ends it with a newline and writes out the rest.
  void finish() {
    text_ += first_member_ ? "{}\n" : "}\n";
    out_.write(text_);
    text_.clear();
  }

 private:
  void open(const char* name) {
    text_ += first_member_ ? '{' : ',';
    first_member_ = false;
    write(Json(name));
    text_ += ':';
  }
  void write(const Json& value) {
    serializer_.dump(value, false, false, 0);
    if (text_.size() >= kBlock) {
      out_.write(text_);
      text_.clear();
    }
  }

  static constexpr size_t kBlock = 8192;
  OutputFile& out_;
  std::string text_;  // written, not yet handed to the output
  nlohmann::detail::serializer<Json> serializer_;
  bool first_member_ = true;
  bool first_element_ = true;
};

}  // namespace

void write_json(RunState& st, const RegisterImage& image,
                const std::vector<ChannelResponse>& responses) {
  if (!st.output_open(kJson)) return;
  Json tool = object(2);
  append(tool, "name", "cmd7730");
  append(tool, "version", CMD7730_VERSION);
  JsonStream doc(st.out[kJson]);
  doc.member("tool", tool);
  doc.member("control_file", st.control_file);
  doc.member("status", st.error_flag);
  doc.member("messages", messages(st));
  doc.member("variables", variables(st));
  // {"page", "addr", "value"} per write, in the header's order.
  Json write = object(3);
  append(write, "page", 0);
  append(write, "addr", 0);
  append(write, "value", 0);
  Json& page = write["page"];
  Json& addr = write["addr"];
  Json& value = write["value"];
  doc.begin_array("registers");
  for_each_register_write(st, image, [&](int p, int a, uint32_t v) {
    page = p;
    addr = a;
    value = v;
    doc.element(write);
  });
  doc.end_array();
  doc.member("memories", memories(st));
  doc.member("channels", channels(responses));
  doc.finish();
}

}  // namespace cmd7730
