// Square selection and editing in the main window.
#include "maps/frm_map_ed.h"

#include "core/vocabularies.h"
#include "maps/special_descriptions.h"

#include <algorithm>

namespace maps {

void frmMapEd::selectSquare(int x, int y) {
  defs_.SpecialsOffset = 0;
  document().Select(x, y, changeOrigin());
}

// A click selects the square under the pointer. With the right button the selected square's
// walls travel along: they are copied onto the clicked square first (its specials stay put).
void frmMapEd::picMap_Click(QPoint pos, Qt::MouseButton, bool rightButtonDown) {
  if (pos.x() < 0 || pos.y() < 0) return;
  const int x = pos.x() / CellPixels;
  const int y = pos.y() / CellPixels;
  // The last pixels of the view lie outside the grid.
  if (x >= core::MapSize || y >= core::MapSize) return;
  if (rightButtonDown && document().SelectionOnGrid()) {
    const int fromX = defs_.SelectedX;
    const int fromY = defs_.SelectedY;
    document().Apply(
        "Copy Square", [&](core::MapRecord& map) { map.CopySquare(fromX, fromY, x, y); },
        changeOrigin());
  }
  selectSquare(x, y);
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
  selectSquare(x, y);
}

// Steps one side through Nothing, Wall1..Wall5, Door1, Door2 and back to Nothing (with Shift,
// the other way round). Only the selected square changes; its neighbour keeps its own code for
// the shared side.
void frmMapEd::Label16_Click(int index, Qt::KeyboardModifiers modifiers) {
  if (!document().SelectionOnGrid() || index < 0 || index >= core::SideCount) return;
  const int x = defs_.SelectedX;
  const int y = defs_.SelectedY;
  const bool back = modifiers.testFlag(Qt::ShiftModifier);
  const std::string label =
      std::string(core::DirectionNames[static_cast<std::size_t>(index)]) + " Wall";
  document().Apply(
      label,
      [&](core::MapRecord& map) {
        constexpr int codes = static_cast<int>(core::WallNames.size());
        map.SetWallCode(x, y, index, (map.WallCode(x, y, index) + (back ? codes - 1 : 1)) % codes);
      },
      changeOrigin());
}

void frmMapEd::SpecialsUp_Click() {
  if (defs_.SpecialsOffset > 0) --defs_.SpecialsOffset;
  RefreshMainWindow();
}

// Down goes as far as the empty line after the square's last special, where a new one starts.
void frmMapEd::SpecialsDown_Click() {
  if (defs_.SpecialsOffset < specialsOnSquare()) ++defs_.SpecialsOffset;
  RefreshMainWindow();
}

int frmMapEd::specialsOnSquare() const {
  return BuildSpecialsPanel(defs_, document().Map(), defs_.SelectedX, defs_.SelectedY, 0).onSquare;
}

// A listed line edits its special; an empty line starts a new one in the lowest free entry.
void frmMapEd::Label15_Click(int index) {
  const int entry = SpecialAtPanelLine(document().Map(), defs_.SelectedX, defs_.SelectedY, index,
                                       defs_.SpecialsOffset);
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
