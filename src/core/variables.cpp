#include "core/variables.h"

namespace cmd7730 {

int effective_class(const VariableEntry& entry, int xmt) {
  // The class word holds three 3-bit codes; any other xmt (unset, or a
  // value the user stored out of range) has none.
  if (xmt < 0 || xmt > 2) return 0;
  return static_cast<int>((entry.class_word >> (3 * xmt)) & 7u);
}

void wrap_description(std::string& text) { wrap_text(text.data(), text.size()); }

VariableEntry* Catalogue::intern_variable(std::string_view name) {
  return intern(name, hash_name(name));
}

VariableEntry* Catalogue::intern(std::string_view name, int b) {
  for (VariableEntry* e = buckets_[b]; e != nullptr; e = e->bucket_next) {
    if (e->name == name) return e;
  }
  if (count_ == kCapacity) return nullptr;
  if (count_ % kBlock == 0) blocks_.push_back(std::make_unique<VariableEntry[]>(kBlock));
  VariableEntry& e = blocks_.back()[count_ % kBlock];
  ++count_;
  e.name = name;
  e.bucket_next = buckets_[b];
  buckets_[b] = &e;
  return &e;
}

VariableEntry* Catalogue::lookup_variable(std::string_view name) const {
  for (VariableEntry* e = buckets_[hash_name(name)]; e != nullptr; e = e->bucket_next) {
    if (e->name == name) return e;
  }
  return nullptr;
}

VariableEntry* Catalogue::register_row(const RegisterRow& row, int bucket,
                                       std::string_view description) {
  VariableEntry* e = intern(row.name, bucket);
  if (e == nullptr) return nullptr;
  e->class_word = row.class_word();
  e->width = row.width;
  e->reg_page = row.page;
  e->reg_address = row.address;
  e->bit_pos = row.bit;
  e->default_value = row.default_value;
  e->scope = row.scope;
  e->description = description;
  e->int_cell = {};
  e->double_cell = {};
  registered_.push_back(e);
  return e;
}

VariableEntry* Catalogue::define_global(const RegisterRow& row, int bucket,
                                        std::string_view description, int* cell) {
  VariableEntry* e = register_row(row, bucket, description);
  if (e == nullptr) return nullptr;
  e->int_cell[0] = cell;
  *cell = kUnset;
  return e;
}

VariableEntry* Catalogue::define_global_wide(const RegisterRow& row, int bucket,
                                             std::string_view description, double* cell) {
  VariableEntry* e = register_row(row, bucket, description);
  if (e == nullptr) return nullptr;
  e->double_cell[0] = cell;
  *cell = kUnsetWide;
  return e;
}

VariableEntry* Catalogue::define_channel(const RegisterRow& row, int bucket,
                                         std::string_view description, std::array<int*, 4> cells) {
  VariableEntry* e = register_row(row, bucket, description);
  if (e == nullptr) return nullptr;
  e->int_cell = cells;
  for (int* c : cells) *c = kUnset;
  return e;
}

VariableEntry* Catalogue::define_channel_wide(const RegisterRow& row, int bucket,
                                              std::string_view description,
                                              std::array<double*, 4> cells) {
  VariableEntry* e = register_row(row, bucket, description);
  if (e == nullptr) return nullptr;
  e->double_cell = cells;
  for (double* c : cells) *c = kUnsetWide;
  return e;
}

void Catalogue::clear() {
  blocks_.clear();
  count_ = 0;
  buckets_.fill(nullptr);
  registered_.clear();
}

}  // namespace cmd7730
