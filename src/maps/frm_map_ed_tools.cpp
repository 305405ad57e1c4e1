// The main window's tools: Select (the clicks of old), Wall (draws along grid lines) and Room
// (puts a rectangle's outline down in one drag).
#include "maps/frm_map_ed.h"

#include "core/vocabularies.h"

#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QShortcut>
#include <QToolBar>

namespace maps {

namespace {

struct ToolEntry {
  const char* name;
  const char* caption;
  Qt::Key key;
  const char* tip;
  frmMapEd::Tool tool;
};

const ToolEntry ToolTable[] = {
    {"mnuToolSelect", "&Select", Qt::Key_S,
     "Click selects a square, right-click copies the selected square onto it, a drag selects "
     "a region (Shift+arrows grow it, Escape drops it)",
     frmMapEd::Tool::Select},
    {"mnuToolWall", "&Wall", Qt::Key_W,
     "Click or drag along a grid line to set its walls; right button sets Nothing",
     frmMapEd::Tool::Wall},
    {"mnuToolRoom", "&Room", Qt::Key_R,
     "Drag over squares to put the code on the outline of the room", frmMapEd::Tool::Room},
};

constexpr int DefaultWallCode = 1;  // Wall1

}  // namespace

void frmMapEd::buildTools() {
  QToolBar* bar = addToolBar("Tools");
  bar->setObjectName("toolBar");
  bar->setMovable(false);
  // The tools go first in the one Tools menu, above the checks of the game data.
  auto* menu = findChild<QMenu*>("mnuTools");
  QAction* checks = menu->actions().value(0);
  tools_ = new QActionGroup(this);
  for (const ToolEntry& entry : ToolTable) {
    QAction* action = addMenuEntry(menu, entry.name, entry.caption);
    menu->insertAction(checks, action);
    action->setCheckable(true);
    action->setChecked(entry.tool == Tool::Select);
    action->setShortcut(QKeySequence(entry.key));
    action->setToolTip(QString("%1 (%2)").arg(entry.tip, QKeySequence(entry.key).toString()));
    tools_->addAction(action);
    bar->addAction(action);
    const Tool tool = entry.tool;
    connect(action, &QAction::triggered, this, [this, tool] { chooseTool(tool); });
  }
  if (checks) menu->insertSeparator(checks);
  bar->addSeparator();
  cboWallCode_ = new QComboBox(bar);
  cboWallCode_->setObjectName("cboWallCode");
  cboWallCode_->setToolTip("The code the Wall and Room tools put down (keys 0-7)");
  cboWallCode_->setFocusPolicy(Qt::NoFocus);
  for (std::size_t code = 0; code < core::WallNames.size(); ++code) {
    cboWallCode_->addItem(QString("%1 %2").arg(code).arg(ui::ToQString(core::WallNames[code])));
    auto* key = new QShortcut(QKeySequence(Qt::Key_0 + static_cast<int>(code)), this);
    connect(key, &QShortcut::activated, this,
            [this, code] { cboWallCode_->setCurrentIndex(static_cast<int>(code)); });
  }
  cboWallCode_->setCurrentIndex(DefaultWallCode);
  bar->addWidget(cboWallCode_);

  connect(picMap_, &ui::PictureBox::pressed, this,
          [this](QPoint pos, Qt::MouseButton button) { picMap_Press(pos, button); });
  connect(picMap_, &ui::PictureBox::moved, this, [this](QPoint pos, Qt::MouseButtons buttons) {
    if (buttons != Qt::NoButton) picMap_Drag(pos);
  });
  connect(picMap_, &ui::PictureBox::released, this, &frmMapEd::picMap_Release);
  auto* drop = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(drop, &QShortcut::activated, this, [this] { document().SetRegion({}, changeOrigin()); });
}

void frmMapEd::chooseTool(Tool tool) {
  tool_ = tool;
  for (QAction* action : tools_->actions())
    action->setChecked(action->objectName() == ToolTable[static_cast<std::size_t>(tool)].name);
  picMap_->setCursor(tool == Tool::Select ? Qt::CrossCursor : Qt::PointingHandCursor);
}

int frmMapEd::chosenWallCode() const {
  return std::max(0, cboWallCode_->currentIndex());
}

// A gesture starts with its first button; a second button during it changes nothing. The
// Select tool's gesture is a left-drag over squares; its clicks are the view's clicks.
void frmMapEd::picMap_Press(QPoint pos, Qt::MouseButton button) {
  if (gestureButton_ != Qt::NoButton) return;
  if (button != Qt::LeftButton && button != Qt::RightButton) return;
  if (tool_ == Tool::Select) {
    regionDragged_ = false;
    if (button != Qt::LeftButton || !squareAt(pos)) return;
    dragStart_ = *squareAt(pos);
  }
  gestureButton_ = button;
  gestureCode_ = button == Qt::RightButton ? 0 : chosenWallCode();
  if (tool_ == Tool::Wall) {
    wallStart_ = wallLast_ = NearestEdge(pos.x(), pos.y(), CellPixels);
    document().BeginStep("Draw Walls");
    const GridEdge edge = wallStart_;
    const int code = gestureCode_;
    document().Apply(
        "Draw Walls", [&](core::MapRecord& map) { SetEdge(map, edge, code); }, changeOrigin());
  } else if (tool_ == Tool::Room) {
    dragStart_ = QPoint(std::clamp(pos.x() / CellPixels, 0, core::MapSize - 1),
                        std::clamp(pos.y() / CellPixels, 0, core::MapSize - 1));
  }
}

// A drag stays on the line it started on; a quick drag fills every edge it skipped.
void frmMapEd::picMap_Drag(QPoint pos) {
  if (gestureButton_ == Qt::NoButton) return;
  if (tool_ == Tool::Select) {
    const QPoint end(std::clamp(pos.x() / CellPixels, 0, core::MapSize - 1),
                     std::clamp(pos.y() / CellPixels, 0, core::MapSize - 1));
    if (end == dragStart_ && !regionDragged_) return;
    if (!regionDragged_) selectSquare(dragStart_.x(), dragStart_.y());
    regionDragged_ = true;
    document().SetRegion(
        core::SquareRect::Spanning(dragStart_.x(), dragStart_.y(), end.x(), end.y()),
        changeOrigin());
    return;
  }
  if (tool_ != Tool::Wall) return;
  const GridEdge edge = EdgeAlong(wallStart_, pos.x(), pos.y(), CellPixels);
  if (edge == wallLast_) return;
  const GridEdge from = wallLast_;
  const int code = gestureCode_;
  wallLast_ = edge;
  document().Apply(
      "Draw Walls", [&](core::MapRecord& map) { SetEdges(map, from, edge, code); }, changeOrigin());
}

void frmMapEd::picMap_Release(QPoint pos, Qt::MouseButton button) {
  if (button != gestureButton_) return;
  if (tool_ == Tool::Wall) picMap_Drag(pos);
  gestureButton_ = Qt::NoButton;
  if (tool_ == Tool::Wall) {
    document().EndStep();
    RefreshMainWindow();  // the labels and the Edit menu, left alone during the drag
  } else if (tool_ == Tool::Room) {
    const QPoint end(std::clamp(pos.x() / CellPixels, 0, core::MapSize - 1),
                     std::clamp(pos.y() / CellPixels, 0, core::MapSize - 1));
    const core::SquareRect room =
        core::SquareRect::Spanning(dragStart_.x(), dragStart_.y(), end.x(), end.y());
    const int code = gestureCode_;
    const std::string label =
        "Room " + std::to_string(room.width()) + " x " + std::to_string(room.height());
    document().Apply(
        label, [&](core::MapRecord& map) { SetRoomOutline(map, room, code); }, changeOrigin());
  }
}

}  // namespace maps
