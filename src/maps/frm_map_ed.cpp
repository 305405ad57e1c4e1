// The main window: start-up and painting.
#include "maps/frm_map_ed.h"

#include "core/numbers.h"
#include "core/tile_sheet.h"
#include "core/vocabularies.h"
#include "maps/map_view.h"
#include "maps/special_descriptions.h"
#include "ui/window_ids.h"

#include <QStatusBar>
#include <QStringList>

namespace maps {

namespace {

QString pathText(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

}  // namespace

frmMapEd::frmMapEd(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
                   QWidget* parent)
    : ui::Form(ui::window::MainWindow, parent),
      defs_(defs),
      dialogs_(dialogs),
      registry_(registry) {
  setCaption("Map Editor");
  buildControls();
  buildMenus();
  buildView();
  buildTools();
  layOutControls();
}

frmMapEd::~frmMapEd() {
  if (documentObserver_) document().Unobserve(documentObserver_);
}

unsigned frmMapEd::watchedChanges() const {
  return core::MapChanged | core::CreaturesChanged | core::SelectionChanged;
}

void frmMapEd::Form_Load() {
  loadMapPictures();
  runStartup();
  defs_.TextPage = 0;
  document().Select(1, 0);
  documentObserver_ =
      document().Observe([this](const core::MapChange& change) { mapDocument_Change(change); });
  updateMenuStates();
  // The arrow keys move the selection from the start.
  picMap_->setFocus();
}

// A missing or unreadable picture is no reason to stop editing: the editor draws its own
// background and tile sheet, and says once which files it could not use.
void frmMapEd::loadMapPictures() {
  QStringList failures;
  const std::filesystem::path backFile = defs_.DataFile("Back.bmp");
  core::Status back = core::CheckBmpFile(backFile, MapViewPixels, MapViewPixels);
  if (back.ok()) back = picMap_->loadPicture(pathText(backFile));
  if (!back.ok()) {
    picMap_->setBackground(ui::ToQImage(core::MakeMapBackground()));
    failures << QString::fromStdString(back.message());
  }
  const std::filesystem::path tilesFile = defs_.DataFile("Tiles.bmp");
  core::Status tiles = core::CheckBmpFile(tilesFile, core::TileSheetWidth, core::TileSheetHeight);
  if (tiles.ok()) tiles = picTiles_->loadPicture(pathText(tilesFile));
  if (!tiles.ok()) {
    picTiles_->setBackground(ui::ToQImage(core::MakeTileSheet()));
    failures << QString::fromStdString(tiles.message());
  }
  if (!failures.isEmpty()) {
    showMessage(failures.join('\n') +
                "\n\nThe map view uses the editor's own drawing instead; the game's files are "
                "not changed.");
  }
}

// The four start-up steps in their order. A step that fails is reported and the others still
// run, so that as much of the game's data as can be read is there to edit.
void frmMapEd::runStartup() {
  const core::Status status = defs_.Startup();
  if (!status.ok()) showMessage(QString::fromStdString(status.message()));
  QStringList notices;
  for (const std::string& notice : defs_.Notices()) notices << QString::fromStdString(notice);
  if (!notices.isEmpty()) showMessage(notices.join('\n'));
}

// "Map 4 - Dungeon - Map Editor", marked while the map holds unsaved changes.
void frmMapEd::showTitle() {
  std::filesystem::path folder = defs_.DataDir();
  if (folder.filename().empty()) folder = folder.parent_path();
  setSubject(QStringLiteral("Map %1 - %2")
                 .arg(ui::ToQString(core::PlainNumber(defs_.CurrentMap)),
                      QString::fromStdString(folder.filename().string())),
             document().IsModified());
}

void frmMapEd::tellDone(const QString& text) {
  statusBar()->showMessage(text);
}

void frmMapEd::RefreshMainWindow() {
  refresh();
}

void frmMapEd::mapDocument_Change(const core::MapChange& change) {
  if (change.origin != nullptr && change.origin != changeOrigin()) return;
  // A step of this window's own drag redraws the picture and repaints only the squares it
  // touched (their neighbours' sides share the lines); the rest follows when the drag ends.
  if (document().InStep() && change.parts == core::MapChange::Squares) {
    drawMap();
    const core::SquareRect& touched = change.squares;
    picMap_->updateSurface(QRect(CellPixels * (touched.left - 1), CellPixels * (touched.top - 1),
                                 CellPixels * (touched.width() + 2),
                                 CellPixels * (touched.height() + 2)));
    return;
  }
  RefreshMainWindow();
}

void frmMapEd::drawMap() {
  picMap_->clear();
  DrawMapGrid(picMap_->surface(), picTiles_->image(), document().Map(), defs_.SelectedX,
              defs_.SelectedY);
  DrawRegionFrame(picMap_->surface(), document().Region());
}

void frmMapEd::Form_Paint() {
  const core::MapRecord& map = document().Map();
  updateUndoEntries();
  showTitle();
  updateRegionEntries();

  const std::array<std::int16_t, 6> values = {defs_.CurrentMap,    map.GraphicSet,
                                              map.EncounterChance, map.EncounterLevel,
                                              map.HitRefresh,      map.ManaRefresh};
  for (std::size_t i = 0; i < values.size(); ++i)
    propertyValues_[i]->setText(ui::ToQString(core::PlainNumber(values[i])));

  for (int s = 0; s < core::EncounterSlotCount; ++s) {
    const EncounterLabels encounter = DescribeEncounter(defs_, map, s);
    const QString creature = ui::ToShownText(encounter.creature);
    Label10_[s]->setText(creature);
    // The name may be cut short on a narrow window: the tip has all of it.
    Label10_[s]->setToolTip(
        QStringLiteral("%1\nClick to edit encounter %2").arg(creature).arg(s + 1));
    Label11_[s]->setText(ui::ToQString(encounter.number));
    Label12_[s]->setText(ui::ToQString(encounter.others));
  }

  drawMap();
  picMap_->update();

  Label13_[1]->setText(
      ui::ToQString(core::SquareCoordinatesText(defs_.SelectedX, defs_.SelectedY)));
  showStatus();

  const SpecialsPanel panel =
      BuildSpecialsPanel(defs_, map, defs_.SelectedX, defs_.SelectedY, defs_.SpecialsOffset);
  for (std::size_t line = 0; line < Label15_.size(); ++line) {
    const QString text = ui::ToShownText(panel.lines[line]);
    Label15_[line]->setText(text);
    Label15_[line]->setToolTip(text.isEmpty() ? QStringLiteral("Click to add a special here")
                                              : text + QStringLiteral("\nClick to edit it"));
  }
  Label14_[4]->setText(ui::ToQString(SpecialsCountText(panel.total)));
  SpecialsUp_->setEnabled(defs_.SpecialsOffset > 0);
  SpecialsDown_->setEnabled(defs_.SpecialsOffset < panel.onSquare);

  // Another window may hand over a selection off the grid; its sides are then not shown.
  for (int d = 0; d < core::SideCount; ++d) {
    const std::string_view name =
        document().SelectionOnGrid()
            ? core::TextOfCode(core::WallNames, map.WallCode(defs_.SelectedX, defs_.SelectedY, d))
            : std::string_view();
    Label16_[d]->setText(ui::ToQString(name));
  }
}

}  // namespace maps
