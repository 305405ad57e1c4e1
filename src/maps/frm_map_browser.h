#pragma once

#include "core/definitions.h"
#include "ui/catalogue_list.h"
#include "ui/dialogs.h"
#include "ui/forms_registry.h"

namespace maps {

// "Browse Maps": every map Maps.dat holds, with its graphic set, its specials, its encounter
// slots in use and its first text, a filter box over all of them; Enter or a double-click opens
// the map as Open does (the unsaved-changes question included).
class frmMapBrowser : public ui::CatalogueList {
  Q_OBJECT

 public:
  frmMapBrowser(core::ModDefinitions& defs, ui::Dialogs& dialogs, ui::FormsRegistry& registry,
                QWidget* parent = nullptr);

 protected:
  std::vector<ui::ListRow> entryRows() override;
  // Maps.dat is read at every show, not once at loading: a map saved since then is listed.
  void fillRows(ui::ListView*) override {}
  void Form_Paint() override;
  bool pickEntry(long entry) override;

 private:
  core::ModDefinitions& defs_;
  ui::Dialogs& dialogs_;
  ui::FormsRegistry& registry_;
};

}  // namespace maps
