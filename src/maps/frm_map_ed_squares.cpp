// Square selection and editing in the main window.
#include "maps/frm_map_ed.h"

#include "core/vocabularies.h"
#include "maps/special_descriptions.h"
#include "ui/window_ids.h"

#include <algorithm>

namespace maps {

void frmMapEd::selectSquare(int x, int y) {
  defs_.SpecialsOffset = 0;
  document().Select(x, y, changeOrigin());
}

// A click selects the square under the pointer. With the right button the selected square's
// walls travel along: they are copied onto the clicked square first (its specials stay put).
void frmMapEd::picMap_Click(QPoint pos, Qt::MouseButton, bool rightButtonDown) {
  const std::optional<QPoint> square = squareAt(pos);
  if (!square || tool_ != Tool::Select || regionDragged_) return;
  const int x = square->x();
  const int y = square->y();
  if (rightButtonDown && document().SelectionOnGrid()) {
    const int fromX = defs_.SelectedX;
    const int fromY = defs_.SelectedY;
    document().Apply(
        "Copy Square", [&](core::MapRecord& map) { map.CopySquare(fromX, fromY, x, y); },
        changeOrigin());
  }
  selectSquare(x, y);
}

// The arrows move the selected square; with Shift they move the far corner of the region that
// grows from it.
void frmMapEd::picMap_KeyPress(int key, Qt::KeyboardModifiers modifiers) {
  const bool grow = modifiers.testFlag(Qt::ShiftModifier);
  if (grow && !document().SelectionOnGrid()) return;
  const QPoint corner = grow ? regionCorner() : QPoint(defs_.SelectedX, defs_.SelectedY);
  int x = corner.x();
  int y = corner.y();
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
  if (x == corner.x() && y == corner.y()) return;
  if (grow)
    document().SetRegion(core::SquareRect::Spanning(defs_.SelectedX, defs_.SelectedY, x, y),
                         changeOrigin());
  else
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

QPoint frmMapEd::regionCorner() const {
  const core::SquareRect& region = document().Region();
  const int x = defs_.SelectedX;
  const int y = defs_.SelectedY;
  if (region.empty()) return QPoint(x, y);
  return QPoint(x == region.left ? region.right : region.left,
                y == region.top ? region.bottom : region.top);
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
  showWindow(ui::window::SpecialEditor);
}

void frmMapEd::EncounterLabel_Click(int index) {
  defs_.EncounterSlot = static_cast<std::int16_t>(index);
  showWindow(ui::window::MapEncounter);
}

}  // namespace maps
