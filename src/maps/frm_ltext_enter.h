#pragma once

#include "maps/map_text_entry.h"

namespace maps {

// The entry dialog of one long text of the map: the text without its trailing blanks in a box
// of many lines, under a reminder of the game's escape pairs.
class frmLTextEnter : public MapTextEntryForm {
  Q_OBJECT

 public:
  explicit frmLTextEnter(core::ModDefinitions& defs, QWidget* parent = nullptr);

  static const MapTextKind& Kind();
};

}  // namespace maps
