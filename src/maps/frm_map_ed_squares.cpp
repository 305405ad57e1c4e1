// Square selection and editing in the main window.
#include "maps/frm_map_ed.h"

#include "maps/special_descriptions.h"

#include <algorithm>
#include <limits>

namespace maps {

bool frmMapEd::selectionOnGrid() const {
  return defs_.SelectedX >= 0 && defs_.SelectedX < core::MapSize && defs_.SelectedY >= 0 &&
         defs_.SelectedY < core::MapSize;
}

void frmMapEd::selectSquare(int x, int y, unsigned changes) {
  defs_.SelectedX = static_cast<std::int16_t>(x);
  defs_.SelectedY = static_cast<std::int16_t>(y);
  defs_.SpecialsOffset = 0;
  RefreshMainWindow();
  notifyChanged(changes | core::SelectionChanged);
}

// A click selects the square under the pointer. With the right button the selected square's
// walls travel along: they are copied onto the clicked square first (its specials stay put).
void frmMapEd::picMap_Click(QPoint pos, Qt::MouseButton, bool rightButtonDown) {
  if (pos.x() < 0 || pos.y() < 0) return;
  const int x = pos.x() / CellPixels;
  const int y = pos.y() / CellPixels;
  // The last pixels of the view lie outside the grid.
  if (x >= core::MapSize || y >= core::MapSize) return;
  unsigned changes = 0;
  if (rightButtonDown && selectionOnGrid()) {
    defs_.Map.CopySquare(defs_.SelectedX, defs_.SelectedY, x, y);
    changes = core::MapChanged;
  }
  selectSquare(x, y, changes);
}

void frmMapEd::picMap_KeyPress(int key) {
  int x = defs_.SelectedX;
  int y = defs_.SelectedY;
  switch (key) {
    case Qt::Key_Left:
      --x;
      break;
    case Qt::Key_Right:
      ++x;
      break;
    case Qt::Key_Up:
      --y;
      break;
    case Qt::Key_Down:
      ++y;
      break;
    default:
      return;
  }
  x = std::clamp(x, 0, core::MapSize - 1);
  y = std::clamp(y, 0, core::MapSize - 1);
  if (x == defs_.SelectedX && y == defs_.SelectedY) return;
  selectSquare(x, y, 0);
}

// Steps one side through Nothing, Wall1..Wall5, Door1, Door2 and back to Nothing. Only the
// selected square changes; its neighbour keeps its own code for the shared side.
void frmMapEd::Label16_Click(int index) {
  if (!selectionOnGrid() || index < 0 || index >= core::SideCount) return;
  defs_.Map.NextWallCode(defs_.SelectedX, defs_.SelectedY, index);
  RefreshMainWindow();
  notifyChanged(core::MapChanged);
}

void frmMapEd::SpecialsUp_Click() {
  if (defs_.SpecialsOffset > 0) --defs_.SpecialsOffset;
  RefreshMainWindow();
}

void frmMapEd::SpecialsDown_Click() {
  if (defs_.SpecialsOffset < std::numeric_limits<std::int16_t>::max()) ++defs_.SpecialsOffset;
  RefreshMainWindow();
}

// A listed line edits its special; an empty line starts a new one in the lowest free entry.
void frmMapEd::Label15_Click(int index) {
  const int entry =
      SpecialAtPanelLine(defs_.Map, defs_.SelectedX, defs_.SelectedY, index, defs_.SpecialsOffset);
  if (entry < 0) return;  // all 101 entries in use
  defs_.CurrentSpecial = static_cast<std::int16_t>(entry);
  defs_.SpecialReload = 1;
  showWindow("frmMapSpe");
}

void frmMapEd::EncounterLabel_Click(int index) {
  defs_.EncounterSlot = static_cast<std::int16_t>(index);
  showWindow("frmMapEnc");
}

}  // namespace maps
