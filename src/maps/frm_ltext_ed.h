#pragma once

#include "maps/map_text_list.h"

namespace maps {

// The long texts 0..9 of the map, one row each (long text 10 is neither shown nor changed here).
class frmLTextEd : public MapTextListForm {
  Q_OBJECT

 public:
  frmLTextEd(core::ModDefinitions& defs, ui::FormsRegistry& registry, QWidget* parent = nullptr);
};

}  // namespace maps
