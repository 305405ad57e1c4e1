#pragma once

#include "core/definitions.h"
#include "core/map_record.h"
#include "core/references.h"
#include "maps/map_tools.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/forms_registry.h"
#include "ui/game_folders.h"
#include "ui/picture_box.h"

#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QActionGroup;
class QBoxLayout;
class QComboBox;
class QLabel;
class QMenu;
class QScrollArea;

namespace maps {

// One map property that a click on its value label asks for.
struct PropertyInput {
  const char* heading;  // the heading label, e.g. "Label1"
  const char* caption;  // its caption
  const char* tooltip;
  const char* value;  // the value label that is clicked, e.g. "Label2"
  const char* prompt;
  const char* title;
  // The map field it sets; null for the map number, which is CurrentMap (and MapNo after it).
  std::int16_t core::MapRecord::*field;
};

// The main window: one map as a 33 x 33 grid beside its properties, its encounter slots and the
// selected square, with the menus that make, open and save maps and open every other editor.
class frmMapEd : public ui::Form {
  Q_OBJECT

 public:
  frmMapEd(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
           QWidget* parent = nullptr);
  ~frmMapEd() override;

  // Opens map `number` as Open does, after the unsaved-changes question; false when the
  // designer cancelled or the map could not be read (a message said why).
  bool openMap(std::int16_t number);

  // Redraws the map view and every label from the map record, at once.
  void RefreshMainWindow();
  // Goes to a place of Maps.dat that a list of places names: opens its map (asking about
  // unsaved changes first), selects its square, and opens a special or encounter slot in its
  // editor with the special's line shown. False when cancelled or the map cannot be read.
  bool ShowPlace(const core::Place& place);

  unsigned watchedChanges() const override;

  static constexpr int CellPixels = 13;
  static constexpr int MapViewPixels = 434;
  static constexpr int MaxZoom = 6;
  static constexpr int FocusMargin = 2;  // the ring around the view for its focus frame

  // The map view's zoom (1..6); remembered for the next start.
  int zoom() const;
  void setZoom(int zoom);

  // The designer's game folders, for the File menu's folder entries (disabled without them).
  void setGameFolders(ui::GameFolders* folders);

 protected:
  void Form_Load() override;
  void Form_Paint() override;
  bool Form_QueryUnload() override;
  void Form_Resize() override;

 private:
  // --- Building the window (frm_map_ed_layout.cpp) ---
  void buildControls();
  void buildMenus();
  void layOutControls();
  void setTabOrder();
  void updateMenuStates();
  void updateUndoEntries();

  // --- Start-up (frm_map_ed.cpp) ---
  void loadMapPictures();
  void runStartup();

  // --- Menus and properties (frm_map_ed_commands.cpp) ---
  void mnuNew_Click();
  void mnuOpen_Click();
  void mnuSave_Click();
  void mnuBrowse_Click();
  void mnuExit_Click();
  void mnuUndo_Click();
  void mnuRedo_Click();
  void mnuMapTxt_Click();
  void mnuMapLTxt_Click();
  void mnuItemEdit_Click();
  void mnuShop_Click();
  void mnuMonEdit_Click();
  void mnuMagEdit_Click();
  void mnuSpellProg_Click();
  void mnuCheckData_Click();
  void askProperty(const PropertyInput& property);

  // --- Game folders and Help (frm_map_ed_folders.cpp) ---
  void buildFolderMenu(QMenu* file, QAction* before);
  void buildHelpMenu();
  void fillRecentFolders();
  void mnuOpenFolder_Click();
  void mnuNewFolder_Click();
  void mnuAbout_Click();
  // Goes on in `folder`: closes this window (asking about unsaved work), then the editor starts
  // afresh on it.
  void goToFolder(const QString& folder);

  // --- Game data as text (frm_map_ed_data.cpp) ---
  void mnuExportData_Click();
  void mnuImportData_Click();
  void mnuExportPicture_Click();
  // The first window holding unsaved changes, by its title; empty when none does.
  QString windowWithUnsavedChanges() const;
  // Before the map record is replaced: asks about unsaved changes. False stops the command.
  bool offerToSave();
  bool saveCurrentMap();
  bool loadMap(std::int16_t number);
  // Shows another window; a window that was already open reloads the choice handed to it.
  void showWindow(const QString& name);
  void openCatalogueEditor(const QString& name);
  void showMessage(const QString& text);
  // What the last command did, in the status bar ("Opened map 2").
  void tellDone(const QString& text);
  void showTitle();
  // Every change to the map repaints this window: its own at once, another window's after that
  // window's handler (the change hub's queued repaint).
  void mapDocument_Change(const core::MapChange& change);
  // The map, the selected square and the region's frame onto the view's picture.
  void drawMap();
  core::MapDocument& document() { return defs_.Document(); }
  const core::MapDocument& document() const { return defs_.Document(); }

  // --- The view: zoom and the status bar (frm_map_ed_view.cpp) ---
  void buildView();
  void mnuZoomIn_Click();
  void mnuZoomOut_Click();
  void mnuZoomActual_Click();
  void mnuZoomFit_Click();
  void picMap_Move(QPoint pos);
  void picMap_Leave();
  void showStatus();
  // A zoomed map wants the width: the panels go one above the other when the window is tall
  // enough for that. At 1x they stand side by side as they always did.
  void arrangePanels(bool stack);
  // The square under surface pixel `pos`, or none off the grid.
  static std::optional<QPoint> squareAt(QPoint pos);

  // --- Tools: Select, Wall, Room (frm_map_ed_tools.cpp) ---
 public:
  enum class Tool { Select, Wall, Room };
  Tool tool() const { return tool_; }

 private:
  void buildTools();
  void chooseTool(Tool tool);
  // The code the Wall and Room tools put down (0..7).
  int chosenWallCode() const;
  void picMap_Press(QPoint pos, Qt::MouseButton button);
  void picMap_Drag(QPoint pos);
  void picMap_Release(QPoint pos, Qt::MouseButton button);

  // --- Square editing (frm_map_ed_squares.cpp) ---
  void picMap_Click(QPoint pos, Qt::MouseButton button, bool rightButtonDown);
  void picMap_KeyPress(int key, Qt::KeyboardModifiers modifiers);
  // Shift steps the side's wall code back instead of forward.
  void Label16_Click(int index, Qt::KeyboardModifiers modifiers);
  void Label15_Click(int index);
  void SpecialsUp_Click();
  void SpecialsDown_Click();
  void EncounterLabel_Click(int index);
  void selectSquare(int x, int y);
  // The corner of the region across from the selected square (the square itself without one).
  QPoint regionCorner() const;
  int specialsOnSquare() const;

  // --- Regions of squares: cut, copy, paste, clear (frm_map_ed_regions.cpp) ---
  void mnuCut_Click();
  void mnuCopy_Click();
  void mnuPaste_Click();
  void mnuClear_Click();
  void updateRegionEntries();

  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::FormsRegistry& registry_;
  int documentObserver_ = 0;

  std::vector<ui::Label*> propertyHeadings_;  // Label1, Label3, ... in the order of the table
  std::vector<ui::Label*> propertyValues_;    // Label2, Label4, ...
  std::vector<ui::Label*> Label9_, Label10_, Label11_, Label12_;
  std::vector<ui::Label*> Label13_, Label14_, Label15_, Label16_;
  ui::Button* SpecialsUp_ = nullptr;
  ui::Button* SpecialsDown_ = nullptr;
  ui::PictureBox* picMap_ = nullptr;
  ui::PictureBox* picTiles_ = nullptr;
  QScrollArea* mapScroll_ = nullptr;
  QBoxLayout* panels_ = nullptr;  // the map and square column beside the encounters, or above
  QLabel* statusSquare_ = nullptr;
  QLabel* statusZoom_ = nullptr;
  std::optional<QPoint> hovered_;  // the square under the pointer

  Tool tool_ = Tool::Select;
  QActionGroup* tools_ = nullptr;
  QComboBox* cboWallCode_ = nullptr;
  // A gesture in progress: the button, the code it puts down, where it started.
  Qt::MouseButton gestureButton_ = Qt::NoButton;
  int gestureCode_ = 0;
  GridEdge wallStart_, wallLast_;
  QPoint dragStart_;
  bool regionDragged_ = false;  // the Select gesture drew a region: its release selects nothing

  // Menu entries that open a window, with the window's name (enabled only when it exists).
  std::vector<std::pair<QAction*, QString>> windowEntries_;
  std::vector<QMenu*> menus_;
  QAction* mnuUndo_ = nullptr;
  QAction* mnuRedo_ = nullptr;
  std::array<QAction*, 3> regionEntries_{};  // Cut, Copy and Clear: only with a region
  ui::GameFolders* gameFolders_ = nullptr;
  QMenu* mnuRecentFolders_ = nullptr;
  QAction* mnuOpenFolder_ = nullptr;
  QAction* mnuNewFolder_ = nullptr;
};

// The six property inputs, in the order of the window's table.
const std::array<PropertyInput, 6>& PropertyInputs();

}  // namespace maps
