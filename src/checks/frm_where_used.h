#pragma once

#include "core/definitions.h"
#include "core/references.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/forms_registry.h"
#include "ui/list_view.h"
#include "ui/twips.h"

#include <QSize>

#include <vector>

namespace checks {

// "Where Used": every place in the game's files that names the entry a catalogue editor handed
// over (WhereUsedTarget, WhereUsedEntry), the open map as it stands in memory. A double-click
// or Enter on a row goes there: the map on that square, or the entry in its editor.
class frmWhereUsed : public ui::Form {
  Q_OBJECT

 public:
  frmWhereUsed(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
               QWidget* parent = nullptr);

  // A change to the map or a catalogue may add or take away places.
  unsigned watchedChanges() const override;
  // Room for both columns and a screenful of rows.
  QSize sizeHint() const override { return {ui::TwipsToPixels(6600), 320}; }

 protected:
  void Form_Paint() override;

 private:
  void ListView1_Pick(int position);
  // The open map, whose unsaved changes count as they stand.
  const core::MapRecord& openMap() const { return defs_.Document().Map(); }
  QString entryText() const;

  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::FormsRegistry& registry_;
  ui::Label* lblEntry_;
  ui::ListView* ListView1_;
  std::vector<core::Reference> uses_;
};

}  // namespace checks
