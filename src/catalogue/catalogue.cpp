#include "catalogue/catalogue.h"

#include "catalogue/register_map.h"
#include "core/run_state.h"

namespace cmd7730 {

void build_catalogue(RunState& st) {
  Catalogue& cat = st.catalogue;
  ChipSettings& chip = st.chip;
  std::array<ChannelSettings, 4>& ch = st.ch;
  cat.clear();
  for (const RegisterRow& row : register_map()) {
    const FieldRef& f = row.field;
    if (f.chip_int != nullptr) {
      cat.define_global(row, row_hash(row), wrapped_description(row), &(chip.*f.chip_int));
    } else if (f.chip_wide != nullptr) {
      cat.define_global_wide(row, row_hash(row), wrapped_description(row), &(chip.*f.chip_wide));
    } else if (f.channel_int != nullptr) {
      cat.define_channel(row, row_hash(row), wrapped_description(row),
                         {&(ch[0].*f.channel_int), &(ch[1].*f.channel_int), &(ch[2].*f.channel_int),
                          &(ch[3].*f.channel_int)});
    } else {
      cat.define_channel_wide(row, row_hash(row), wrapped_description(row),
                              {&(ch[0].*f.channel_wide), &(ch[1].*f.channel_wide),
                               &(ch[2].*f.channel_wide), &(ch[3].*f.channel_wide)});
    }
  }
  for (ChannelSettings& c : ch) c.ncoefs = kUnset;
}

}  // namespace cmd7730
