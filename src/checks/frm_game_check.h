#pragma once

#include "core/definitions.h"
#include "core/game_check.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/forms_registry.h"
#include "ui/list_view.h"

#include <QSize>

#include <vector>

namespace checks {

// "Check Game Data": runs the checker over the game folder, the open map as it stands in
// memory, and lists its findings. A click on a column heading sorts by it (again: the other way
// round); the filter box keeps the rows that hold its text; a double-click or Enter on a row
// goes to the place. Shown again, or with "Check Again", it checks afresh.
class frmGameCheck : public ui::Form {
  Q_OBJECT

 public:
  frmGameCheck(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
               QWidget* parent = nullptr);

  // Room for the whole text of most findings and a screenful of rows.
  QSize sizeHint() const override { return {1000, 420}; }

  // The columns a click on a heading sorts by.
  enum Column { SeverityColumn, FileColumn, PlaceColumn, FindingColumn };

 protected:
  void Form_Paint() override;

 private:
  void runCheck();
  void showRows();
  void Heading_Click(int column);
  void lvwFindings_Pick(int position);
  // The open map and its number, checked in place of its slot of Maps.dat.
  const core::MapRecord& openMap() const { return defs_.Document().Map(); }
  long openMapNumber() const { return defs_.CurrentMap; }

  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::FormsRegistry& registry_;
  ui::Label* lblSummary_;
  ui::Label* lblFilter_;
  ui::TextBox* txtFilter_;
  ui::Button* cmdCheckAgain_;
  ui::ListView* lvwFindings_;
  std::vector<core::Finding> findings_;
  std::vector<std::size_t> shown_;  // the findings listed, by row
  int sortColumn_ = -1;             // -1: in the checker's order (file, then place)
  bool descending_ = false;
};

}  // namespace checks
