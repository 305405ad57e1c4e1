#pragma once

#include "maps/map_text_entry.h"

namespace maps {

// The entry dialog of one short text of the map: all 50 characters in a one-line box.
class frmTextEnter : public MapTextEntryForm {
  Q_OBJECT

 public:
  explicit frmTextEnter(core::ModDefinitions& defs, QWidget* parent = nullptr);

  static const MapTextKind& Kind();
};

}  // namespace maps
