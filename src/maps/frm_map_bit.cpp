#include "maps/frm_map_bit.h"

namespace maps {

frmMapBit::frmMapBit(const core::ModDefinitions& defs, QWidget* parent)
    : ui::PictureForm("frmMapBit", parent), defs_(defs) {
  setWindowTitle("Map Picture");
}

// No special is being edited when CurrentSpecial is off the table; there is no picture then, and
// the window says which file it would have shown (Map0.bmp, the number of a blank entry).
std::filesystem::path frmMapBit::picturePath() const {
  const int special = defs_.CurrentSpecial;
  const bool onTable = special >= 0 && special < core::SpecialCount;
  const long number =
      onTable ? defs_.Document().Map().Special(special, core::SpecialField::Param1) : 0;
  return ui::NumberedPicturePath(defs_, "Map", number);
}

}  // namespace maps
